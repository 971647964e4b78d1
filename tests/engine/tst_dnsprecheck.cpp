// The DNS step of automated runs: the resolver client against every kind of answer, and
// whole runs (the engine's and tarnwick-cli's) against honest, lying and silent resolvers.
#include "LoopbackDnsServer.h"
#include "SearchRunHarness.h"
#include "engine/dns/DnsResolver.h"
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <algorithm>

using Dns = LoopbackDnsServer::Answer;

namespace {

const QString kCli = QStringLiteral(TARNWICK_PROGRAM_DIR "/tarnwick-cli");

// Names and what the resolver says of them, when it is honest.
void FillHonestTable(LoopbackDnsServer& dns)
{
    dns.set("delegated.com", Dns::Delegated);
    dns.set("delegated.net", Dns::Delegated);
    dns.set("takenone.com", Dns::ServFail);
    dns.set("takenone.net", Dns::Garbage);
    dns.set("freeone.net", Dns::NoRecords);
}

QStringList Sorted(QList<QByteArray> names)
{
    std::sort(names.begin(), names.end());
    QStringList list;
    for (const QByteArray& name : names)
        list.append(QString::fromLatin1(name));
    return list;
}

} // namespace

class TestDnsPrecheck : public QObject {
    Q_OBJECT

private slots:
    // Every answer a resolver can give, all questions at once through a queue of two.
    void resolverReadsEveryAnswer()
    {
        LoopbackDnsServer dns;
        QVERIFY(dns.listen());
        const QList<std::pair<Dns, NsAnswer>> table = {
            {Dns::Delegated, NsAnswer::Delegated},     {Dns::NxDomain, NsAnswer::NotDelegated},
            {Dns::NoRecords, NsAnswer::NotDelegated},  {Dns::ServFail, NsAnswer::ServerFailure},
            {Dns::Truncated, NsAnswer::NoReply},       {Dns::Silent, NsAnswer::NoReply},
            {Dns::Garbage, NsAnswer::NotDelegated},
        };
        TDnsResolver resolver({QStringLiteral("127.0.0.1"), dns.port(), 200, 1, 2});
        QVERIFY2(resolver.isReady(), qPrintable(resolver.error()));
        QCOMPARE(resolver.serverName(), dns.address());
        QHash<QByteArray, NsAnswer> heard;
        for (int i = 0; i < table.size(); ++i) {
            const QByteArray name = "name" + QByteArray::number(i) + ".test";
            dns.set(name, table[i].first);
            resolver.AskNameServers(name, [&heard, name](const TDnsResolver::Answer& a) { heard.insert(name, a.verdict); });
        }
        const quint64 forgotten = resolver.AskNameServers("name0.test", [](const TDnsResolver::Answer&) { QFAIL("forgotten"); });
        resolver.Forget(forgotten);
        QTRY_COMPARE_WITH_TIMEOUT(heard.size(), table.size(), 10'000);
        for (int i = 0; i < table.size(); ++i) {
            const QByteArray name = "name" + QByteArray::number(i) + ".test";
            QVERIFY2(heard.value(name) == table[i].second,
                     qPrintable(QStringLiteral("%1: %2").arg(QString::fromLatin1(name)).arg(int(heard.value(name)))));
        }
        QCOMPARE(resolver.pending(), 0);
    }

    // A whole run over .com and .net (whois) and .org (a web page, asked at its turn):
    // names delegated in DNS are taken without a registry query; the others are asked there. A resolver that lies about made-up names, or
    // does not answer, is not used, and the run says so once.
    void runAsksDnsFirst_data()
    {
        QTest::addColumn<QString>("resolver");
        QTest::addColumn<QStringList>("askedAtWhois");
        QTest::addColumn<QString>("notice");
        const QStringList everything = {"delegated.com", "delegated.net", "freeone.com",
                                        "freeone.net",   "takenone.com",  "takenone.net"};
        QTest::newRow("honest") << "honest" << QStringList{"freeone.com", "freeone.net", "takenone.com", "takenone.net"}
                                << QString();
        QTest::newRow("lying") << "lying" << everything
                               << "DNS pre-check off for .com, .net, .org: the resolver at %1 says made-up names there exist";
        QTest::newRow("wildcard under .net")
            << "wildcard" << QStringList{"delegated.net", "freeone.com", "freeone.net", "takenone.com", "takenone.net"}
            << "DNS pre-check off for .net: the resolver at %1 says made-up names there exist";
        QTest::newRow("silent") << "silent" << everything << "DNS pre-check off for this run: the resolver at %1 does not answer";
    }

    void runAsksDnsFirst()
    {
        QFETCH(QString, resolver);
        QFETCH(QStringList, askedAtWhois);
        QFETCH(QString, notice);
        LoopbackDnsServer dns;
        QVERIFY(dns.listen());
        if (resolver == QLatin1String("lying"))
            dns.otherwise = Dns::Delegated;
        else if (resolver == QLatin1String("silent"))
            dns.otherwise = Dns::Silent;
        else
            FillHonestTable(dns);
        if (resolver == QLatin1String("wildcard"))
            dns.setOtherwiseUnder("net", Dns::Delegated);

        SearchRunHarness h;
        h.engine.DnsPrecheck = true;
        h.engine.DnsResolver = {QStringLiteral("127.0.0.1"), dns.port(), 100, 1, 200};
        h.engine.DnsProbeBoundMs = 300;
        h.addWhoisTLD(QStringLiteral(".com"));
        h.addWhoisTLD(QStringLiteral(".net"));
        h.addHttpTLD(QStringLiteral(".org"));
        h.setNames({"delegated", "freeone", "takenone"});
        h.runAutomated();

        QCOMPARE(Sorted(h.whois.queries), askedAtWhois);
        QCOMPARE(h.view.notices, notice.isEmpty() ? QStringList() : QStringList{notice.arg(dns.address())});
        const bool delegatedAtDns = resolver != QLatin1String("lying") && resolver != QLatin1String("silent");
        QCOMPARE(h.view.list(ISearchView::ResultList::All).last(), QStringLiteral("DELEGATED.com : Registered"));
        QCOMPARE(h.view.verdicts.first().reason.Route, delegatedAtDns ? LookupRoute::Dns : LookupRoute::Whois);
        if (delegatedAtDns) {
            QCOMPARE(h.view.verdicts.first().reason.Text, QStringLiteral("delegated in DNS"));
            QCOMPARE(h.view.verdicts.first().reason.Server, dns.address());
            QVERIFY(dns.questions.contains("delegated.com"));
            QVERIFY(dns.questions.contains("takenone.com"));
        }
        const QString free = QStringLiteral(" : FREE, Click on the Register Domain button now !");
        QCOMPARE(h.view.list(ISearchView::ResultList::Free), (QStringList{"FREEONE.org" + free, "FREEONE.net" + free,
                                                                          "FREEONE.com" + free}));
        QCOMPARE(h.view.counterText, QStringLiteral("9 checked, 6 taken, 3 free, 0 errors"));
    }

    // tarnwick-cli with its resolver named: the registry hears only of the names DNS
    // cannot answer; a resolver that claims every name exists is not used.
    void cliNamesItsResolver_data()
    {
        QTest::addColumn<bool>("lying");
        QTest::newRow("honest") << false;
        QTest::newRow("every name delegated") << true;
    }

    void cliNamesItsResolver()
    {
        QFETCH(bool, lying);
        QTemporaryDir dir;
        LoopbackDnsServer dns;
        LoopbackWhoisServer whois;
        QVERIFY(dns.listen() && whois.listen());
        whois.setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query); });
        if (lying)
            dns.otherwise = Dns::Delegated;
        else
            FillHonestTable(dns);
        QFile names(dir.filePath(QStringLiteral("names.txt")));
        QVERIFY(names.open(QIODevice::WriteOnly));
        names.write("delegated\nfreeone\ntakenone\n");
        names.close();

        QProcess cli;
        cli.start(kCli, {"--program-folder", dir.path(), "--dns-server", dns.address(), "--whois-port",
                         QString::number(whois.port()), "--server", ".com=127.0.0.1", "--server", ".net=127.0.0.1",
                         "--set", "NewServer/Item0=127.0.0.1", "--set", "NewMatch/Item0=No match",
                         "--set", "Options/DictCheck=0", "--set", "Options/CustomListCheck=1", "--set",
                         "CustomList/UseList=" + names.fileName(), "--set", "Options/AutoSave=0", "--set", "Lookup/SelfCheck=0", "--tlds", ".com,.net", "auto"});
        QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 30'000);
        const QStringList out = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'));
        const QString free = QStringLiteral(" : FREE, Click on the Register Domain button now !");
        QCOMPARE(out.mid(0, 6), (QStringList{"DELEGATED.com : Registered", "DELEGATED.net : Registered", "FREEONE.com" + free,
                                             "FREEONE.net" + free, "TAKENONE.com : Registered", "TAKENONE.net : Registered"}));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(dns.questions.contains("takenone.net"), !lying);
        QCOMPARE(whois.queries.contains("delegated.com"), lying);
        QCOMPARE(whois.queries.size(), lying ? 6 : 4);
        QByteArray err = cli.readAllStandardError();
        QCOMPARE(err.count("Notice: DNS pre-check off"), lying ? 1 : 0);

        // check with names that carry their TLDs, none ticked: each TLD is checked for lies
        // at its first domain, which waits for that.
        whois.queries.clear();
        cli.start(kCli, {"--program-folder", dir.path(), "--dns-server", dns.address(), "--whois-port",
                         QString::number(whois.port()), "--server", ".com=127.0.0.1", "--server", ".net=127.0.0.1",
                         "--set", "NewServer/Item0=127.0.0.1", "--set", "NewMatch/Item0=No match", "--set", "Lookup/SelfCheck=0", "--tlds", "",
                         "--format", "jsonl", "check", "delegated.com", "freeone.net"});
        QTRY_VERIFY_WITH_TIMEOUT(cli.state() == QProcess::NotRunning, 30'000);
        const QList<QByteArray> records = cli.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(records.size(), 2);
        const QJsonObject first = QJsonDocument::fromJson(records.first()).object();
        QCOMPARE(first.value("domain").toString(), QStringLiteral("delegated.com"));
        QCOMPARE(first.value("verdict").toString(), QStringLiteral("taken"));
        QCOMPARE(first.value("route").toString(), lying ? QStringLiteral("whois") : QStringLiteral("dns"));
        QCOMPARE(QJsonDocument::fromJson(records.last()).object().value("verdict").toString(), QStringLiteral("free"));
        QCOMPARE(Sorted(whois.queries), lying ? (QStringList{"delegated.com", "freeone.net"}) : QStringList{"freeone.net"});
        err = cli.readAllStandardError();
        QCOMPARE(err.count("Notice: DNS pre-check off for .net:"), lying ? 1 : 0);
        QCOMPARE(err.count("Notice: DNS pre-check off for .com:"), lying ? 1 : 0);
        QCOMPARE(cli.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDnsPrecheck)
#include "tst_dnsprecheck.moc"
