#include "engine/Misc1.h"
#include "tests/support/FreePort.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/LoopbackWhoisServer.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(LookupVerdict)

// Choosing the server for a domain, asking it, and judging the reply. The table of TLDs
// in use is filled with servers on 127.0.0.1 that the test runs itself.
class TestLookUp : public QObject {
    Q_OBJECT

    LoopbackWhoisServer* whois = nullptr;
    LoopbackHttpServer* web = nullptr;
    TMisc1* engine = nullptr;
    ScriptedMessageBoxes* boxes = nullptr;
    QTemporaryDir* folder = nullptr;

    QString page(const QByteArray& pathAndQuery) const { return QString::fromLatin1(web->origin() + pathAndQuery); }

private slots:
    void init()
    {
        whois = new LoopbackWhoisServer(this);
        web = new LoopbackHttpServer(this);
        QVERIFY(whois->listen());
        QVERIFY(web->listen());
        folder = new QTemporaryDir;
        engine = new TMisc1(this);
        engine->setProgramFolder(folder->path());
        boxes = new ScriptedMessageBoxes;
        engine->setMessageBoxes(boxes);
        engine->Whois1.Port = whois->port();
        engine->Whois1.IdleTimeoutMs = 3000;
        engine->Http.IdleTimeoutMs = 3000;
        engine->whoisQuery().FirstRefusalPauseMs = 20;
        engine->whoisQuery().RefusalBoundMs = 100;
        engine->TakenListCache.RegistryHosts[QStringLiteral("IE")] = QString::fromLatin1(web->hostAndPort());

        engine->TLDInfoList.Add(QStringLiteral(".com"), QStringLiteral("127.0.0.1"), QStringLiteral("No Match"), true);
        engine->TLDInfoList.Add(QStringLiteral(".net"), QStringLiteral("127.0.0.1"), QStringLiteral("No Match"), false);
        engine->TLDInfoList.Add(QStringLiteral(".co.uk"), QStringLiteral("127.0.0.1"), QStringLiteral("No Match"), false);
        engine->TLDInfoList.Add(QStringLiteral(".org"), page("/org?d=<shortname>&t=<ext>"), QStringLiteral("is available"), false);
        engine->TLDInfoList.Add(QStringLiteral(".info"), page("/org?d=<shortname>&t=<ext>"), QStringLiteral("is available"), false);
        engine->TLDInfoList.Add(QStringLiteral(".ie"), QStringLiteral("Cache Domains Taken List"), QStringLiteral("No Match"), false);
        engine->TLDInfoList.Add(QStringLiteral(".tm.hu"), QStringLiteral("Cache Domains Taken List"), QStringLiteral("No Match"), false);
        engine->TLDInfoList.Add(QStringLiteral(".empty"), QString(), QStringLiteral("No Match"), false);
    }
    void cleanup()
    {
        delete engine;
        delete boxes;
        delete whois;
        delete web;
        delete folder;
    }

    void requestIsSplitAndRouted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("name and TLD") << "Example" << ".com" << QByteArray("example.com");
        QTest::newRow("TLD in capitals keeps its case") << "example" << ".COM" << QByteArray("example.COM");
        QTest::newRow("spaces are removed") << "ex am ple" << ".net" << QByteArray("example.net");
        QTest::newRow("TLD carried by the name") << "My Name.co .uk" << "" << QByteArray("myname.co.uk");
        QTest::newRow("other characters stay") << "a_b!c" << ".com" << QByteArray("a_b!c.com");
    }
    void requestIsSplitAndRouted()
    {
        QFETCH(QString, name);
        QFETCH(QString, tld);
        QFETCH(QByteArray, query);
        whois->setReply("the reply\r\n");
        QStringList reply{"stale"};
        bool isWhois = false;
        bool takenListError = true;
        QVERIFY(engine->LookUpAddress(name, tld, reply, isWhois, false, takenListError));
        QCOMPARE(whois->queries, QList<QByteArray>{query});
        QCOMPARE(reply, (QStringList{"the reply", ""}));
        QVERIFY(isWhois);
        QVERIFY(!takenListError);
        QCOMPARE(engine->Whois1.Host, QStringLiteral("127.0.0.1"));
        QVERIFY(boxes->shown.isEmpty());
    }

    void noServerIsReportedAndTouchesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tld");
        QTest::newRow("unknown TLD") << "example" << ".zz";
        QTest::newRow("entry without server") << "example" << ".empty";
        QTest::newRow("name without a dot") << "example" << "";
    }
    void noServerIsReportedAndTouchesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, tld);
        QStringList reply{"kept"};
        bool isWhois = false;
        bool takenListError = true;
        QVERIFY(!engine->LookUpAddress(name, tld, reply, isWhois, false, takenListError));
        QCOMPARE(boxes->texts(), QStringList{"A server to use could not be found."});
        QCOMPARE(boxes->shown.first().kind, MessageKind::Error);
        QCOMPARE(boxes->shown.first().buttons, int(MbOk));
        QCOMPARE(reply, QStringList{"kept"});
        QVERIFY(!isWhois);
        QVERIFY(takenListError);
        QCOMPARE(whois->connections, 0);
    }

    void emptyNameDoesNothing()
    {
        QStringList reply{"kept"};
        bool isWhois = true;
        bool takenListError = true;
        QVERIFY(!engine->LookUpAddress(QString(), QStringLiteral(".com"), reply, isWhois, false, takenListError));
        QCOMPARE(reply, QStringList{"kept"});
        QVERIFY(boxes->shown.isEmpty());
    }

    void httpServerIsUsedForItsTemplate()
    {
        web->route("/org", ScriptedReply::Page("example.co.uk is available"));
        QStringList reply;
        bool isWhois = true;
        bool takenListError = true;
        QVERIFY(engine->LookUpAddress(QStringLiteral("Example"), QStringLiteral(".org"), reply, isWhois, true, takenListError));
        QVERIFY(!isWhois);
        QCOMPARE(web->requests.first().target, QByteArray("/org?d=example&t=org"));
        QCOMPARE(reply, QStringList{"example.co.uk is available"});
    }

    void verdicts_data()
    {
        QTest::addColumn<QByteArray>("whoisReply");
        QTest::addColumn<QString>("matchText");
        QTest::addColumn<LookupVerdict>("verdict");
        QTest::newRow("match in another case") << QByteArray("Status: NO MATCH for x\r\n") << "No Match" << LookupVerdict::Free;
        QTest::newRow("match inside a notice") << QByteArray("Terms: no matchmaking here\r\n") << "No Match" << LookupVerdict::Free;
        QTest::newRow("no match text") << QByteArray("Domain: X.COM\r\nRegistrar: Y\r\n") << "No Match" << LookupVerdict::Taken;
        QTest::newRow("host not found") << QByteArray("Error WSAHOST_NOT_FOUND\r\n") << "No Match" << LookupVerdict::ServerError;
        QTest::newRow("host not found, other case is taken") << QByteArray("error wsahost_not_found\r\n") << "No Match"
                                                             << LookupVerdict::Taken;
        QTest::newRow("match wins over host not found") << QByteArray("Error WSAHOST_NOT_FOUND\r\nno match\r\n") << "No Match"
                                                        << LookupVerdict::Free;
        QTest::newRow("empty match text is never free") << QByteArray("anything\r\n") << "" << LookupVerdict::Taken;
        QTest::newRow("phrase across two lines never matches") << QByteArray("No\r\nMatch\r\n") << "No Match" << LookupVerdict::Taken;
        QTest::newRow("accented phrase never matches") << QByteArray("Dom\xc3\xadnio inexistente\r\n")
                                                       << QString::fromUtf8("Dom\xc3\xadnio inexistente") << LookupVerdict::Taken;
        // No bytes at all is a refusal, asked again; past the bound it is an error.
        QTest::newRow("empty reply") << QByteArray() << "No Match" << LookupVerdict::LookupFailed;
    }
    void verdicts()
    {
        QFETCH(QByteArray, whoisReply);
        QFETCH(QString, matchText);
        QFETCH(LookupVerdict, verdict);
        whois->setReply(whoisReply);
        TLDInfo& com = *engine->TLDInfoList.Find(QStringLiteral(".com"));
        com.MatchText = matchText;
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("example"), com, isWhois, &details), verdict);
        QVERIFY(isWhois);
        QCOMPARE(details.LookupSucceeded, verdict != LookupVerdict::LookupFailed);
        QVERIFY(!details.StopRequested);
        QCOMPARE(engine->FailedServers.Count(), 0);   // a refusal never lists the server
    }

    void unreachableServerFailsEveryLaterLookup()
    {
        engine->Whois1.Port = FreeLoopbackPort();   // nothing listens there
        const TLDInfo& com = *engine->TLDInfoList.Find(QStringLiteral(".com"));
        const TLDInfo& net = *engine->TLDInfoList.Find(QStringLiteral(".net"));
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("a"), com, isWhois, &details), LookupVerdict::LookupFailed);
        QVERIFY(!details.LookupSucceeded);
        QCOMPARE(VerdictStatusText(LookupVerdict::LookupFailed),
                 QStringLiteral("Error, Try using another server for this domain extension !"));
        // .net shares the host, so it fails at once even once the server is back.
        engine->Whois1.Port = whois->port();
        whois->setReply("no match");
        QCOMPARE(engine->JudgeDomain(QStringLiteral("b"), net, isWhois, &details), LookupVerdict::LookupFailed);
        QCOMPARE(whois->connections, 0);
        engine->FailedServers.Clear();
        QCOMPARE(engine->JudgeDomain(QStringLiteral("b"), net, isWhois, &details), LookupVerdict::Free);
    }

    void sharedTemplateSharesItsFailure()
    {
        web->route("/org", ScriptedReply::Page("down", 503));
        bool isWhois = true;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("a"), *engine->TLDInfoList.Find(QStringLiteral(".org")), isWhois),
                 LookupVerdict::LookupFailed);
        QVERIFY(!isWhois);
        QCOMPARE(engine->JudgeDomain(QStringLiteral("a"), *engine->TLDInfoList.Find(QStringLiteral(".info")), isWhois),
                 LookupVerdict::LookupFailed);
        QCOMPARE(web->requests.size(), 1);
    }

    void emptyPageIsTaken()
    {
        web->route("/org", ScriptedReply::Hostile(ScriptedReply::Mode::CloseWithoutReply));
        bool isWhois = true;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("a"), *engine->TLDInfoList.Find(QStringLiteral(".org")), isWhois),
                 LookupVerdict::Taken);
    }

    void tmHuTakesTheServerRouteAndFails()
    {
        const TLDInfo& tmhu = *engine->TLDInfoList.Find(QStringLiteral(".tm.hu"));
        bool isWhois = false;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("abc"), tmhu, isWhois), LookupVerdict::LookupFailed);
        QVERIFY(isWhois);
        QCOMPARE(engine->FailedServers.Entries(), QStringList{"CACHE DOMAINS TAKEN LIST"});
        QCOMPARE(engine->JudgeDomain(QStringLiteral("def"), tmhu, isWhois), LookupVerdict::LookupFailed);
        QCOMPARE(web->requests.size() + whois->connections, 0);
    }

    void singleSearchNeverUsesTheTakenList()
    {
        QStringList reply;
        bool isWhois = false;
        bool takenListError = true;
        QVERIFY(!engine->LookUpAddress(QStringLiteral("abc"), QStringLiteral(".ie"), reply, isWhois, true, takenListError));
        QVERIFY(isWhois);
        QVERIFY(!takenListError);
        QVERIFY(engine->FailedServers.Contains(QStringLiteral("Cache Domains Taken List")));
        QCOMPARE(web->requests.size(), 0);
    }

    void automatedRunUsesTheTakenList()
    {
        web->route("/statistics/a-doms.html", ScriptedReply::Page("<p>ABC.ie<br>\nabcd.ie<br>\n"));
        const TLDInfo& ie = *engine->TLDInfoList.Find(QStringLiteral(".ie"));
        bool isWhois = false;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("abc"), ie, isWhois), LookupVerdict::Taken);
        QCOMPARE(engine->JudgeDomain(QStringLiteral("abx"), ie, isWhois), LookupVerdict::Free);
        QCOMPARE(web->requests.size(), 1);   // the second name came from the cache

        // The TLD carried by the name instead of the entry is not the taken-list route.
        QStringList reply;
        bool takenListError = false;
        QVERIFY(!engine->LookUpAddress(QStringLiteral("abc.ie"), QString(), reply, isWhois, false, takenListError));
        QVERIFY(engine->FailedServers.Contains(QStringLiteral("Cache Domains Taken List")));
    }

    void unavailableTakenListFails()
    {
        web->route("/statistics/a-doms.html", ScriptedReply::Page("missing", 404));
        bool isWhois = false;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("abc"), *engine->TLDInfoList.Find(QStringLiteral(".ie")), isWhois),
                 LookupVerdict::LookupFailed);
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void stopBeforeTheVerdictIsReported()
    {
        whois->setReply("no match");
        engine->pump().setHook([this] {
            if (whois->queries.size() == 1)
                engine->StopRequest = 1;
        });
        bool isWhois = false;
        JudgeDetails details;
        engine->JudgeDomain(QStringLiteral("a"), *engine->TLDInfoList.Find(QStringLiteral(".com")), isWhois, &details);
        QVERIFY(details.LookupSucceeded);
        QVERIFY(details.StopRequested);
    }

    void stopDuringTheWaitIsToldApart()
    {
        whois->setMode(LoopbackWhoisServer::Mode::NeverAnswer);
        engine->Whois1.IdleTimeoutMs = 60'000;
        connect(whois, &LoopbackWhoisServer::queryReceived, engine, &TMisc1::RequestStop);
        bool isWhois = false;
        JudgeDetails details;
        QCOMPARE(engine->JudgeDomain(QStringLiteral("a"), *engine->TLDInfoList.Find(QStringLiteral(".com")), isWhois, &details),
                 LookupVerdict::LookupFailed);
        QVERIFY(details.QueryStopped);
        QVERIFY(engine->LastLookupStopped());
        QCOMPARE(engine->FailedServers.Count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLookUp)
#include "tst_lookup.moc"
