// Every route a step of the run: RDAP services on loopback addresses of their own run side
// by side, each paced alone, over kept connections; a refusing, dead or broken service
// holds back no other server; a fall-back is paced like any query; Stop ends a run in the
// middle of an RDAP request; a name whose A-label is too long is never asked.
#include "FreePort.h"
#include "SearchRunHarness.h"
#include <QElapsedTimer>
#include <QtTest>
#include <memory>
#include <vector>

namespace {

QByteArray DomainObject(const QByteArray& name)
{
    return R"({"objectClassName":"domain","ldhName":")" + name + R"(","status":["active"]})";
}

// The name's fate as its beginning says: free... not registered, anything else registered.
ScriptedReply AnswerByName(const HttpRequestSeen& request)
{
    const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
    if (name.startsWith("free"))
        return ScriptedReply::Page(R"({"errorCode":404,"title":"Not Found"})", 404);
    return ScriptedReply::Page(DomainObject(name)).withHeader("Content-Type", "application/rdap+json");
}

enum class Trouble { TooManyRequests, Dead, Broken };

// A run whose TLDs each have an RDAP service of their own on 127.0.0.N (one port, kept
// connections), and a whois server for the fall-back on 127.0.0.9 (.net has one of its
// own on 127.0.0.10, so its names meet nothing of the others).
struct RdapRun {
    SearchRunHarness h;
    std::vector<std::unique_ptr<LoopbackHttpServer>> services;
    LoopbackWhoisServer fallback;
    LoopbackWhoisServer netWhois;
    QElapsedTimer clock;

    RdapRun(const QStringList& rdapTlds, int delayMs)
    {
        const quint16 port = FreeLoopbackPort();
        QHash<QString, QString> bootstrap;
        for (int i = 0; i < rdapTlds.size(); ++i) {
            auto service = std::make_unique<LoopbackHttpServer>();
            service->listen(QHostAddress(QStringLiteral("127.0.0.%1").arg(i + 1)), port);
            service->keepAlive = true;
            service->answerDelayMs = delayMs;
            service->setHandler(AnswerByName);
            bootstrap.insert(rdapTlds.at(i).mid(1), QString::fromLatin1(service->origin()) + QStringLiteral("/rdap/"));
            services.push_back(std::move(service));
        }
        const quint16 whoisPort = FreeLoopbackPort();
        h.engine.Whois1.Port = whoisPort;
        for (LoopbackWhoisServer* whois : {&fallback, &netWhois}) {
            whois->listen(QHostAddress(whois == &fallback ? QStringLiteral("127.0.0.9") : QStringLiteral("127.0.0.10")), whoisPort);
            whois->setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query); });
        }
        h.engine.RdapEnabled = true;
        h.engine.RdapBootstrap.Use(bootstrap, {});
        h.engine.RdapRetries = {20, 1000, 1500};
        for (const QString& tld : rdapTlds)
            h.addTLD(tld, QStringLiteral("127.0.0.9"));
        h.addTLD(QStringLiteral(".net"), QStringLiteral("127.0.0.10"));
        h.engine.DnsPrecheck = false;
    }
    void setNames(const QStringList& names)   // as UTF-8, so names in any script come through
    {
        QFile file(h.view.opts.UseList);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(names.join(QStringLiteral("\r\n")).toUtf8());
    }
    void run()
    {
        clock.start();
        h.runAutomated();
    }
    bool anyServiceSaw(const QByteArray& part) const
    {
        for (const auto& service : services)
            for (const HttpRequestSeen& request : service->requests)
                if (request.path.contains(part))
                    return true;
        return false;
    }
};

QStringList Names(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("%1name%2").arg(i % 3 ? "taken" : "free").arg(i);
    return names;
}

// A whois server for the route checks: every name is free ("No match for ...", with
// a count that changes from reply to reply) but those starting with "taken" and nic.*;
// or, as `boilerplate`, one notice for every name.
std::function<QByteArray(const QByteArray&)> CheckedWhois(bool boilerplate)
{
    auto served = std::make_shared<int>(0);
    return [boilerplate, served](const QByteArray& query) -> QByteArray {
        if (boilerplate)
            return "Lookups of this TLD are made at https://registry.example/\r\n";
        if (query.startsWith("taken") || query.startsWith("nic."))
            return "Domain Name: " + query.toUpper() + "\r\nRegistrar: Example Registrar\r\n";
        return "No match for " + query + "\r\n%% query " + QByteArray::number(++*served) + " served\r\n";
    };
}

} // namespace

class TestLookupRoutes : public QObject {
    Q_OBJECT
private slots:
    // Four RDAP TLDs at once give what one lookup at a time gives, never more than one
    // request at a service, over a few kept connections; the name whose A-label has 66
    // octets is an invalid name, asked nowhere.
    void rdapServicesRunSideBySide()
    {
        const QStringList tlds{".com", ".org", ".info", ".biz"};
        // 31 letters of one script: 66 octets as an A-label ("xn--" and 62 more).
        QString tooLong;
        for (int i = 0; i < 31; ++i)
            tooLong += QChar(0x4E00 + 8 * i);
        QVERIFY(!FitsInDns(tooLong));
        QStringList names = Names(12);
        names.insert(5, tooLong);

        RdapRun sequential(tlds, 5);
        sequential.h.engine.LookupParallel = 1;
        sequential.setNames(names);
        sequential.run();

        RdapRun parallel(tlds, 5);
        parallel.h.engine.LookupParallel = 16;
        parallel.setNames(names);
        int busyServices = 0;
        for (const auto& service : parallel.services)
            connect(service.get(), &LoopbackHttpServer::requestReceived, this, [&] {
                int busy = 0;
                for (const auto& s : parallel.services)
                    busy += s->answering > 0;
                busyServices = std::max(busyServices, busy);
            });
        parallel.run();

        for (int list = 0; list < 4; ++list)
            QCOMPARE(parallel.h.view.lists[list], sequential.h.view.lists[list]);
        QCOMPARE(parallel.h.resultsFile(), sequential.h.resultsFile());
        QCOMPARE(parallel.h.view.verdicts.size(), 12 * 5);
        for (const auto& service : parallel.services) {
            QCOMPARE(service->requests.size(), 12);
            QCOMPARE(service->mostAnswering, 1);
            QVERIFY2(service->connections <= 4, qPrintable(QString::number(service->connections)));
        }
        QVERIFY2(busyServices > 1, qPrintable(QString::number(busyServices)));
        // Every verdict came from RDAP, the long name from nowhere.
        for (const auto& verdict : parallel.h.view.verdicts)
            QCOMPARE(verdict.reason.Route, verdict.domain.endsWith(QLatin1String(".net")) ? LookupRoute::Whois : LookupRoute::Rdap);
        const QStringList errors = parallel.h.view.list(ISearchView::ResultList::Errors);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().startsWith(tooLong + QStringLiteral(" : Invalid Name")));
        QVERIFY(!parallel.anyServiceSaw("xn--"));
        QVERIFY(!parallel.netWhois.queries.join().contains("xn--"));
    }

    // A service in trouble costs only its own names: the names of another server are all
    // asked before the troubled service's names fall back; the fall-back to the TLD's
    // whois server never holds more than PerServer connections there; a dead service is
    // asked only as often as PerServer lets lookups at it at once.
    void troubledServiceHoldsBackNoOther_data()
    {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<int>("names");
        QTest::addColumn<int>("perServer");
        QTest::addColumn<int>("mostServiceRequests");
        QTest::newRow("429, Retry-After 1") << Trouble::TooManyRequests << 2 << 1 << 4;
        QTest::newRow("dead, 1 per server") << Trouble::Dead << 10 << 1 << 1;
        QTest::newRow("dead, 2 per server") << Trouble::Dead << 10 << 2 << 2;
        QTest::newRow("HTTP 500, 1 per server") << Trouble::Broken << 10 << 1 << 10;
        QTest::newRow("HTTP 500, 2 per server") << Trouble::Broken << 10 << 2 << 10;
    }
    void troubledServiceHoldsBackNoOther()
    {
        QFETCH(Trouble, trouble);
        QFETCH(int, names);
        QFETCH(int, perServer);
        QFETCH(int, mostServiceRequests);
        RdapRun run({QStringLiteral(".com")}, 0);
        run.h.engine.LookupPerServer = perServer;
        run.h.engine.SetLookupTimeout(1);
        run.fallback.answerDelayMs = 20;
        LoopbackHttpServer& service = *run.services.front();
        service.setHandler([trouble](const HttpRequestSeen&) {
            switch (trouble) {
            case Trouble::TooManyRequests: return ScriptedReply::Page("", 429).withHeader("Retry-After", "1");
            case Trouble::Dead: return ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer);
            case Trouble::Broken: break;
            }
            return ScriptedReply::Page("Internal error", 500);
        });
        // Each name under .com first, then .net: .net's answers must not wait for .com's.
        run.h.setNames(Names(names));
        qint64 lastNetQueryMs = -1;
        qint64 firstFallbackMs = -1;
        connect(&run.netWhois, &LoopbackWhoisServer::queryReceived, this, [&] { lastNetQueryMs = run.clock.elapsed(); });
        connect(&run.fallback, &LoopbackWhoisServer::queryReceived, this, [&] {
            if (firstFallbackMs < 0)
                firstFallbackMs = run.clock.elapsed();
        });
        run.run();

        QCOMPARE(run.h.view.verdicts.size(), names * 2);
        for (const auto& verdict : run.h.view.verdicts) {
            const bool free = verdict.domain.startsWith(QLatin1String("free"), Qt::CaseInsensitive);
            QVERIFY2(verdict.verdict == (free ? LookupVerdict::Free : LookupVerdict::Taken),
                     qPrintable(verdict.domain + QLatin1Char(' ') + verdict.reason.Text));
            QCOMPARE(verdict.reason.Route, LookupRoute::Whois);
        }
        QVERIFY2(service.requests.size() <= mostServiceRequests, qPrintable(QString::number(service.requests.size())));
        QVERIFY(run.fallback.mostOpenConnections <= perServer);
        if (trouble != Trouble::Broken)
            QVERIFY2(lastNetQueryMs < firstFallbackMs, qPrintable(QStringLiteral("%1 %2").arg(lastNetQueryMs).arg(firstFallbackMs)));
        if (trouble == Trouble::Dead) {   // the last .com name was not sent to the service
            const auto& lastCom = run.h.view.verdicts.at(run.h.view.verdicts.size() - 2);
            QVERIFY2(lastCom.reason.Text.contains(QLatin1String("given up")), qPrintable(lastCom.reason.Text));
        }
    }

    // Stop while an RDAP request waits for its answer ends the run at once.
    void stopEndsAWaitingRdapRequest()
    {
        RdapRun run({QStringLiteral(".com")}, 0);
        run.h.engine.Http.IdleTimeoutMs = 60'000;   // only Stop can end this wait
        run.services.front()->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer); });
        run.h.setNames(Names(5));
        QElapsedTimer sinceStop;
        connect(run.services.front().get(), &LoopbackHttpServer::requestReceived, this, [&] {
            if (!sinceStop.isValid()) {
                sinceStop.start();
                run.h.engine.RequestStop();
            }
        });
        run.run();
        QVERIFY(sinceStop.isValid());
        QVERIFY2(sinceStop.elapsed() < 1000, qPrintable(QString::number(sinceStop.elapsed())));
        QVERIFY(run.h.view.verdicts.isEmpty());
        QCOMPARE(run.h.engine.FailedServers.Count(), 0);
    }
    // Routes check themselves once a run: an RDAP service that calls a gTLD's nic.<tld>
    // free is not used for that gTLD (a country's TLD only hears of it); a whois server
    // whose phrase misses a made-up name tells free names by their likeness to its reply,
    // unless a registered name gets that reply too. Off, runs are as they were.
    void routesCheckThemselves_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<bool>("rdapSaysFree");
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<bool>("boilerplate");
        QTest::addColumn<bool>("selfCheck");
        QTest::addColumn<int>("freeNames");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("rdapRequests");
        const QString right = QStringLiteral("No match");
        const QString wrong = QStringLiteral("Status: AVAILABLE");
        QTest::newRow("RDAP free for all, gTLD") << ".xyz" << true << right << false << true << 2 << "not used for .xyz" << 1;
        QTest::newRow("RDAP free for all, off") << ".xyz" << true << right << false << false << 6 << "" << 6;
        QTest::newRow("RDAP free for all, ccTLD") << ".de" << true << right << false << true << 6 << "cannot be trusted" << 7;
        QTest::newRow("phrase misses") << ".xyz" << false << wrong << false << true << 2 << "counts as free" << 0;
        QTest::newRow("phrase misses, off") << ".xyz" << false << wrong << false << false << 0 << "" << 0;
        QTest::newRow("same reply for all") << ".xyz" << false << wrong << true << true << 0 << "gets the same reply" << 0;
        QTest::newRow("phrase right") << ".xyz" << false << right << false << true << 2 << "" << 0;
    }
    void routesCheckThemselves()
    {
        QFETCH(QString, tld);
        QFETCH(bool, rdapSaysFree);
        QFETCH(QString, phrase);
        QFETCH(bool, boilerplate);
        QFETCH(bool, selfCheck);
        QFETCH(int, freeNames);
        QFETCH(QString, notice);
        QFETCH(int, rdapRequests);
        const QString wrong = QStringLiteral("Status: AVAILABLE");
        RdapRun run(rdapSaysFree ? QStringList{tld} : QStringList{}, 0);
        if (!rdapSaysFree)
            run.h.addTLD(tld, QStringLiteral("127.0.0.9"));
        run.h.engine.TLDInfoList.Find(tld)->MatchText = phrase;
        for (const auto& service : run.services)
            service->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page(R"({"errorCode":404})", 404); });
        run.fallback.setResponder(CheckedWhois(boilerplate));
        run.netWhois.setResponder(CheckedWhois(false));
        run.h.engine.LookupSelfCheck = selfCheck;
        run.h.setNames(Names(6));
        run.run();

        QCOMPARE(run.h.view.verdicts.size(), 12);
        int free = 0;
        for (const auto& verdict : run.h.view.verdicts) {
            const bool isFree = verdict.verdict == LookupVerdict::Free;
            if (verdict.domain.endsWith(QLatin1String(".net"))) {
                QCOMPARE(isFree, verdict.domain.startsWith(QLatin1String("free"), Qt::CaseInsensitive));
                continue;
            }
            free += isFree;
            if (isFree && phrase == wrong)
                QCOMPARE(verdict.reason.Text, QStringLiteral("same reply as a name that does not exist"));
        }
        QCOMPARE(free, freeNames);
        QCOMPARE(run.h.view.notices.size(), notice.isEmpty() ? 0 : 1);
        if (!notice.isEmpty())
            QVERIFY2(run.h.view.notices.first().contains(notice), qPrintable(run.h.view.notices.first()));
        QCOMPARE(run.services.empty() ? 0 : int(run.services.front()->requests.size()), rdapRequests);
    }
};

QTEST_GUILESS_MAIN(TestLookupRoutes)
#include "tst_lookuproutes.moc"
