// Today's registries, replayed on loopback: each registry's reply for a free name and for
// a registered one (data/replies/) must give FREE and Registered with the phrase that the
// program itself knows for that registry's whois host, in process and through
// tarnwick-cli; a registry that refuses the client is asked again after a pause, and only
// a refusal that outlasts the bound gives an error, with its reason.
#include "FreePort.h"
#include "LoopbackWhoisServer.h"
#include "RegistryReplies.h"
#include "engine/Misc1.h"
#include "engine/lookup/WhoisRefusal.h"
#include <QRegularExpression>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(LookupVerdict)

namespace {

const QString kCli = QStringLiteral(TARNWICK_PROGRAM_DIR "/tarnwick-cli");
const QByteArray kPirRefusal = "WHOIS LIMIT EXCEEDED - SEE WWW.PIR.ORG/WHOIS FOR DETAILS\r\n";

// Answers a whois query from a registry's sample replies: names beginning "free" get the
// reply for a name that is not registered, all others the registered one.
QByteArray SampleReplyFor(const RegistrySample& sample, const QByteArray& query)
{
    return FillReply(query.startsWith("free") ? sample.freeReply : sample.takenReply, query);
}

QStringList RunCli(const QStringList& args, QByteArray* err = nullptr)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        env.remove(QLatin1String(name));
    process.setProcessEnvironment(env);
    process.start(kCli, args);
    // The run needs the event loop here: the loopback servers live in this process.
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 60'000)
        QTest::qWait(20);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    if (err)
        *err = process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestRegistryReplies : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<LoopbackWhoisServer> whois;
    std::unique_ptr<TMisc1> engine;

    const TLDInfo& pointTldAtLoopback(const QString& tld, const QString& matchText)
    {
        engine->TLDInfoList.Add(tld, QStringLiteral("127.0.0.1"), matchText, true);
        return *engine->TLDInfoList.Find(tld);
    }

    // Names in an import file, no results file: the options of an automated CLI run.
    QStringList importOptions(const QStringList& names)
    {
        QFile list(dir->filePath(QStringLiteral("names.txt")));
        if (!list.open(QIODevice::WriteOnly) || list.write(names.join(QStringLiteral("\r\n")).toUtf8()) < 0)
            return {};
        list.close();
        return {"--program-folder", dir->path(), "--set", "Options/DictCheck=0", "--set", "Options/CustomListCheck=1",
                "--set", "CustomList/UseList=" + list.fileName(), "--set", "CustomList/SepCombo=0",
                "--set", "Options/AutoSave=0", "--set", "Lookup/DNSPrecheck=0", "--set", "Lookup/SelfCheck=0"};
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        whois = std::make_unique<LoopbackWhoisServer>();
        QVERIFY(whois->listen());
        engine = std::make_unique<TMisc1>();
        engine->setProgramFolder(dir->path());
        engine->Whois1.Port = whois->port();
        engine->Whois1.IdleTimeoutMs = 5000;
        // Short refusal pauses: the rule is the same, the test is quick.
        engine->whoisQuery().FirstRefusalPauseMs = 100;
        engine->whoisQuery().MaxRefusalPauseMs = 400;
        engine->whoisQuery().RefusalBoundMs = 1000;
    }
    void cleanup()
    {
        engine.reset();
        whois.reset();
        dir.reset();
    }

    void eachRegistrysRepliesGetTheirVerdict_data()
    {
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QByteArray>("freeReply");
        QTest::addColumn<QByteArray>("takenReply");
        const QList<RegistrySample> samples = LoadRegistrySamples();
        QVERIFY(samples.size() >= 20);
        for (const RegistrySample& s : samples)
            QTest::newRow(qPrintable(s.tld)) << s.tld << s.host << s.freeReply << s.takenReply;
    }
    void eachRegistrysRepliesGetTheirVerdict()
    {
        QFETCH(QString, tld);
        QFETCH(QString, host);
        QFETCH(QByteArray, freeReply);
        QFETCH(QByteArray, takenReply);
        const RegistrySample sample{tld, host, freeReply, takenReply};
        whois->setResponder([&](const QByteArray& query) { return SampleReplyFor(sample, query); });
        const QString matchText = engine->FindMatchTextForServer(host);
        const TLDInfo& entry = pointTldAtLoopback(QLatin1Char('.') + tld, matchText);

        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("freeone"), entry, isWhois, &details), LookupVerdict::Free);
        QCOMPARE(details.Reason.Route, LookupRoute::Whois);
        QCOMPARE(details.Reason.Text, QStringLiteral("the reply holds \"%1\"").arg(matchText));
        QCOMPARE(engine->JudgeDomain(QStringLiteral("takentwo"), entry, isWhois, &details), LookupVerdict::Taken);
        QCOMPARE(whois->queries.size(), 2);   // neither reply was taken for a refusal
    }

    // One tarnwick-cli run over every registry, each on a loopback address of its own
    // (sharing one port), with the match text the CLI itself reports for the registry's host.
    void cliRunGivesEveryRegistrysVerdicts()
    {
        const QList<RegistrySample> samples = LoadRegistrySamples();
        QStringList hostOptions;
        for (const RegistrySample& s : samples)
            hostOptions << "--server" << QStringLiteral(".%1=%2").arg(s.tld, s.host);
        QHash<QString, QString> matchTexts;   // ".de" -> phrase
        for (const QString& row : RunCli(QStringList{"--program-folder", dir->path()} + hostOptions + QStringList{"tlds"})) {
            const QStringList fields = row.split(QLatin1Char('\t'));
            if (fields.size() == 4)
                matchTexts.insert(fields.at(0), fields.at(2));
        }

        const quint16 port = FreeLoopbackPort();
        std::vector<std::unique_ptr<LoopbackWhoisServer>> servers;
        QStringList options = importOptions({"freeone", "takentwo"});
        QStringList tlds;
        QStringList expected;
        for (int i = 0; i < samples.size(); ++i) {
            const RegistrySample& s = samples.at(i);
            const QString address = QStringLiteral("127.0.0.%1").arg(10 + i);
            auto server = std::make_unique<LoopbackWhoisServer>();
            QVERIFY(server->listen(QHostAddress(address), port));
            server->setResponder([s](const QByteArray& query) { return SampleReplyFor(s, query); });
            servers.push_back(std::move(server));
            const QString tld = QLatin1Char('.') + s.tld;
            QVERIFY2(matchTexts.contains(tld), qPrintable(tld));
            options << "--server" << tld + QLatin1Char('=') + address << "--set"
                    << QStringLiteral("NewServer/Item%1=%2").arg(i).arg(address) << "--set"
                    << QStringLiteral("NewMatch/Item%1=%2").arg(i).arg(matchTexts.value(tld));
            tlds << tld;
            expected << QStringLiteral("FREEONE%1 : FREE, Click on the Register Domain button now !").arg(tld)
                     << QStringLiteral("TAKENTWO%1 : Registered").arg(tld);
        }
        options << "--whois-port" << QString::number(port) << "--tlds" << tlds.join(QLatin1Char(',')) << "auto";
        QByteArray err;
        const QStringList out = RunCli(options, &err);
        for (const QString& line : expected)
            QVERIFY2(out.contains(line), qPrintable(line + QStringLiteral("\n--- output:\n") + out.join(QLatin1Char('\n')) + err));
        for (const auto& server : servers)
            QCOMPARE(server->queries.size(), 2);
    }

    // A registry that refuses the first queries (with its own text, an empty reply or a
    // reset before any byte) and then answers: the name gets its true verdict, the pauses
    // grow, and the server is never listed as failed.
    void refusalsAreAskedAgain_data()
    {
        QTest::addColumn<QByteArray>("refusal");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<int>("times");
        // A refusal that names its wait ("replenished in 50 seconds") is waited for that
        // long; here it names one second.
        static const QRegularExpression namedWait(QStringLiteral(R"(in \d+ seconds)"));
        for (const auto& [name, reply] : LoadRefusalSamples())
            QTest::newRow(qPrintable(name)) << QString::fromLatin1(reply).replace(namedWait, QStringLiteral("in 1 seconds")).toLatin1()
                                            << false << 2;
        QTest::newRow("an empty reply") << QByteArray() << false << 2;
        QTest::newRow("a reset before any byte") << QByteArray() << true << 2;
        QTest::newRow("refused three times (PIR)") << kPirRefusal << false << 3;
    }
    void refusalsAreAskedAgain()
    {
        QFETCH(QByteArray, refusal);
        QFETCH(bool, reset);
        QFETCH(int, times);
        QList<qint64> askedAt;
        QElapsedTimer clock;
        clock.start();
        whois->setResponder([&](const QByteArray& query) {   // called first, then the chooser
            askedAt.append(clock.elapsed());
            return askedAt.size() <= times ? refusal : "Domain Name: " + query.toUpper() + "\r\n";
        });
        whois->setModeChooser([&](const QByteArray&) {
            return reset && askedAt.size() <= times ? LoopbackWhoisServer::Mode::Reset : LoopbackWhoisServer::Mode::Answer;
        });
        engine->whoisQuery().RefusalBoundMs = 60'000;
        const TLDInfo& entry = pointTldAtLoopback(QStringLiteral(".org"), QStringLiteral("Domain not found."));

        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("takenone"), entry, isWhois, &details), LookupVerdict::Taken);
        QCOMPARE(askedAt.size(), times + 1);
        qint64 pause = RequestedWaitMs(refusal) > 0 ? RequestedWaitMs(refusal) : 100;
        for (int i = 1; i < askedAt.size(); ++i, pause *= 2)
            QVERIFY2(askedAt.at(i) - askedAt.at(i - 1) >= std::min<qint64>(pause, 1000) - 5,
                     qPrintable(QStringLiteral("query %1 came %2 ms after the refusal").arg(i + 1).arg(askedAt.at(i) - askedAt.at(i - 1))));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    // Refused past the bound: an error verdict that says why, the server not listed, and
    // the next domain asked as usual. A refusal that names its wait is waited for that long.
    void refusalPastTheBoundIsAnErrorWithItsReason()
    {
        QList<qint64> askedAt;
        QElapsedTimer clock;
        clock.start();
        whois->setResponder([&](const QByteArray&) {
            askedAt.append(clock.elapsed());
            return QByteArray("The WHOIS query quota for 127.0.0.1 has been exceeded and will be replenished in 1 seconds.\r\n");
        });
        engine->whoisQuery().RefusalBoundMs = 1500;
        const TLDInfo& entry = pointTldAtLoopback(QStringLiteral(".uk"), QStringLiteral("No match for"));
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("anyname"), entry, isWhois, &details), LookupVerdict::LookupFailed);
        QCOMPARE(askedAt.size(), 2);   // one pause of the second it asked for; a second one would pass the bound
        QVERIFY(askedAt.at(1) - askedAt.at(0) >= 995);
        QVERIFY2(details.Reason.Text.startsWith(QStringLiteral("refused by the registry (asked 2 times): The WHOIS query quota")),
                 qPrintable(details.Reason.Text));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void stopEndsARefusalPauseAtOnce()
    {
        whois->setReply(kPirRefusal);
        engine->whoisQuery().FirstRefusalPauseMs = 30'000;
        engine->whoisQuery().RefusalBoundMs = 60'000;
        const TLDInfo& entry = pointTldAtLoopback(QStringLiteral(".org"), QStringLiteral("Domain not found."));
        QObject::connect(whois.get(), &LoopbackWhoisServer::queryReceived, engine.get(), [this] {
            QTimer::singleShot(50, engine.get(), [this] { engine->RequestStop(); });
        });
        QElapsedTimer clock;
        clock.start();
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("anyname"), entry, isWhois, &details), LookupVerdict::LookupFailed);
        QVERIFY(details.QueryStopped);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    // The whole route through tarnwick-cli with the real pauses: PIR's refusal once, then
    // the answer; the second query comes at least a second after the refusal.
    void cliWaitsAfterARefusal()
    {
        QList<qint64> askedAt;
        QElapsedTimer clock;
        clock.start();
        whois->setResponder([&](const QByteArray& query) {
            askedAt.append(clock.elapsed());
            return askedAt.size() == 1 ? kPirRefusal : QByteArray("Domain not found.\r\n") + query + "\r\n";
        });
        QStringList options = importOptions({"freethree"});
        options << "--server" << ".org=127.0.0.1" << "--set" << "NewServer/Item0=127.0.0.1" << "--set"
                << "NewMatch/Item0=Domain not found." << "--whois-port" << QString::number(whois->port()) << "--tlds"
                << ".org" << "auto";
        const QStringList out = RunCli(options);
        QVERIFY2(out.contains(QStringLiteral("FREETHREE.org : FREE, Click on the Register Domain button now !")),
                 qPrintable(out.join(QLatin1Char('\n'))));
        QCOMPARE(askedAt.size(), 2);
        QVERIFY(askedAt.at(1) - askedAt.at(0) >= 995);
    }
};

QTEST_GUILESS_MAIN(TestRegistryReplies)
#include "tst_registryreplies.moc"
