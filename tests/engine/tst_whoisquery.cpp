#include "tests/support/FreePort.h"
#include "tests/support/LoopbackWhoisServer.h"
#include "engine/Misc1.h"
#include "engine/lookup/ReplyLines.h"
#include <QtTest>

// The whois exchange against a server the test runs itself on 127.0.0.1, the failed-
// server list, and the rule that cuts a reply into lines.
class TestWhoisQuery : public QObject {
    Q_OBJECT

    LoopbackWhoisServer* server = nullptr;
    TMisc1* engine = nullptr;

    void pointAt(const QString& host, quint16 port)
    {
        engine->Whois1.Host = host;
        engine->Whois1.Port = port;
    }

private slots:
    void init()
    {
        server = new LoopbackWhoisServer(this);
        QVERIFY(server->listen());
        engine = new TMisc1(this);
        pointAt(QStringLiteral("127.0.0.1"), server->port());
        engine->Whois1.IdleTimeoutMs = 2000;
        engine->Whois1.ConnectTimeoutMs = 2000;
    }
    void cleanup()
    {
        delete engine;
        delete server;
    }

    void replyIsCutIntoLines_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF gives an empty line after each line") << QByteArray("one\r\ntwo") << QStringList{"one", "", "two"};
        QTest::newRow("ending with CR LF ends with one empty line") << QByteArray("one\r\n") << QStringList{"one", ""};
        QTest::newRow("last line without an end is kept") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("tilde cuts and is lost") << QByteArray("ab~cd") << QStringList{"ab", "cd"};
        QTest::newRow("accented letter (UTF-8) cuts twice") << QByteArray("dom\xc3\xadnio") << QStringList{"dom", "", "nio"};
        QTest::newRow("DEL cuts, a tab is a blank") << QByteArray("a\x7f" "b\tc") << QStringList{"a", "b c"};
        QTest::newRow("brace 125 stays, NUL cuts") << QByteArray("{x}\0y", 5) << QStringList{"{x}", "y"};
        QTest::newRow("nothing") << QByteArray() << QStringList{};
        QTest::newRow("only line ends") << QByteArray("\n\n") << QStringList{"", ""};
    }
    void replyIsCutIntoLines()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, lines);
        QCOMPARE(CutReplyIntoLines(reply), lines);
    }

    void everyByteValueIsHandled()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const QStringList lines = CutReplyIntoLines(all);
        // 31 cuts below 32 (not the tab, a blank in the line the LF at 10 ends), 130 from 126
        // up; the cut at 126 ends the piece of 94 printable characters.
        QCOMPARE(lines.size(), 31 + 130);
        QCOMPARE(lines.at(9), QStringLiteral(" "));
        QCOMPARE(lines.at(31).size(), 94);
        for (const QString& line : lines)
            for (const QChar c : line)
                QVERIFY(c.unicode() >= 32 && c.unicode() <= 125);
    }

    void exchangeSendsQueryAndReadsToTheClose()
    {
        server->setReply("Domain: EXAMPLE.COM\r\nNo match for this\r\n");
        QStringList reply{"stale"};
        QVERIFY(engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QCOMPARE(server->queries, QList<QByteArray>{"example.com"});
        QCOMPARE(reply, (QStringList{"Domain: EXAMPLE.COM", "", "No match for this", ""}));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    // A server that closes without a word is limiting this client: it is asked again after
    // growing pauses, and when they reach their bound the query fails without listing it.
    void silentCloseIsARefusalAskedAgain()
    {
        server->setMode(LoopbackWhoisServer::Mode::CloseWithoutReply);
        engine->whoisQuery().FirstRefusalPauseMs = 50;
        engine->whoisQuery().RefusalBoundMs = 200;
        QStringList reply{"stale"};
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QVERIFY(reply.isEmpty());
        QCOMPARE(server->connections, 3);   // pauses of 50 and 100 ms; a third of 200 would pass the bound
        QCOMPARE(engine->whoisQuery().LastAttempts(), 3);
        QVERIFY(engine->whoisQuery().LastFailure().startsWith(QStringLiteral("refused by the registry (asked 3 times)")));
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void failuresListTheHost_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("refused") << 0;
        QTest::newRow("reset in mid-reply") << 1;
        QTest::newRow("accepts and never answers") << 2;
        QTest::newRow("reply over the cap") << 3;
        QTest::newRow("not a host name") << 4;
    }
    void failuresListTheHost()
    {
        QFETCH(int, kind);
        QString host = QStringLiteral("127.0.0.1");
        switch (kind) {
        case 0: pointAt(host, FreeLoopbackPort()); break;
        case 1:
            server->setMode(LoopbackWhoisServer::Mode::Reset);
            server->setReply("Domain: EXAMPLE.COM\r\nRegis");
            break;
        case 2:
            server->setMode(LoopbackWhoisServer::Mode::NeverAnswer);
            engine->Whois1.IdleTimeoutMs = 300;
            break;
        case 3: server->setReply(QByteArray(engine->Whois1.MaxReplyBytes + 1, 'x')); break;
        case 4:
            host = QStringLiteral("Cache Domains Taken List");
            pointAt(host, server->port());
            break;
        }
        QStringList reply{"stale"};
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QVERIFY(reply.isEmpty());
        QVERIFY(!engine->whoisQuery().LastQueryStopped());
        QCOMPARE(engine->FailedServers.Entries(), QStringList{host.toUpper()});
    }

    void replyAtTheCapIsRead()
    {
        server->setReply(QByteArray(engine->Whois1.MaxReplyBytes, 'x'));
        QStringList reply;
        QVERIFY(engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QCOMPARE(reply.size(), 1);
        QCOMPARE(reply.first().size(), engine->Whois1.MaxReplyBytes);
    }

    void failedHostIsSkippedUntilTheListIsEmptied()
    {
        server->setMode(LoopbackWhoisServer::Mode::Reset);
        server->setReply("Domain: A.COM\r\nRegis");   // reset in mid-reply
        QStringList reply;
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("a.com"), reply));
        QCOMPARE(server->connections, 1);

        // The server would answer now, but the host stays failed for this search...
        server->setMode(LoopbackWhoisServer::Mode::Answer);
        server->setReply("No match\r\n");
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("b.com"), reply));
        QCOMPARE(server->connections, 1);
        // ...whatever the case of its name...
        pointAt(QStringLiteral("127.0.0.1"), server->port());
        QVERIFY(engine->FailedServers.Contains(QStringLiteral("127.0.0.1")));

        // ...and the next search asks it again.
        engine->FailedServers.Clear();
        QVERIFY(engine->GetWhoisResults(QStringLiteral("b.com"), reply));
        QCOMPARE(server->connections, 2);
        QCOMPARE(reply, (QStringList{"No match", ""}));
    }

    void stopEndsTheWaitWithoutBlamingTheServer()
    {
        server->setMode(LoopbackWhoisServer::Mode::NeverAnswer);
        engine->Whois1.IdleTimeoutMs = 60'000;   // only Stop can end this wait
        connect(server, &LoopbackWhoisServer::queryReceived, engine, &TMisc1::RequestStop);
        QStringList reply;
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QVERIFY(engine->whoisQuery().LastQueryStopped());
        QCOMPARE(engine->FailedServers.Count(), 0);
        QVERIFY(!engine->Whois1.Connected());
    }

    void disconnectDuringTheWaitEndsIt()
    {
        server->setMode(LoopbackWhoisServer::Mode::NeverAnswer);
        engine->Whois1.IdleTimeoutMs = 60'000;
        connect(server, &LoopbackWhoisServer::queryReceived, engine, [this] {
            QVERIFY(engine->Whois1.Connected());
            engine->Disconnect();
        });
        QStringList reply;
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("example.com"), reply));
        QVERIFY(engine->whoisQuery().LastQueryStopped());
    }

    void queryWithALineBreakIsNeverSent()
    {
        server->setReply("x");
        QStringList reply;
        QVERIFY(!engine->GetWhoisResults(QStringLiteral("a.com\r\nb.com"), reply));
        QCOMPARE(server->connections, 0);
        QCOMPARE(engine->FailedServers.Count(), 0);
    }

    void sequentialQueriesEachGetTheirOwnConnection()
    {
        server->setResponder([](const QByteArray& q) { return "reply for " + q; });
        for (const QString& name : {QStringLiteral("a.com"), QStringLiteral("b.com"), QStringLiteral("c.com")}) {
            QStringList reply;
            QVERIFY(engine->GetWhoisResults(name, reply));
            QCOMPARE(reply, QStringList{QStringLiteral("reply for ") + name});
        }
        QCOMPARE(server->connections, 3);
    }
};

QTEST_GUILESS_MAIN(TestWhoisQuery)
#include "tst_whoisquery.moc"
