// Servers that misbehave on purpose, on loopback: each must end in a failed lookup
// within its bound, with the event loop kept running meanwhile and memory bounded, and
// the run must go on with the next domain. The bounds are shortened so that every case
// ends in well under two seconds; the real ones are the same code with larger numbers.
#include "SearchRunHarness.h"
#include "engine/lookup/HttpClient.h"
#include "engine/lookup/WhoisClient.h"
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest>

using ResultList = ISearchView::ResultList;

namespace {

constexpr int kConnectMs = 2000;
constexpr int kIdleMs = 400;
constexpr int kExchangeMs = 1200;
constexpr int kTrickleMs = 40;   // well inside the idle bound: only the whole-exchange bound can end it
constexpr qint64 kReplyCap = 256 * 1024;
// What a whole case may take beyond its bound: start-up of the run, a loaded machine.
constexpr int kSlackMs = 3000;
// Peak memory a case may add: the reply caps are a quarter of a megabyte.
constexpr qint64 kMemoryGrowthKiB = 64 * 1024;

void ShortenBounds(TWhoisClient& whois, THttpClient& http)
{
    whois.ConnectTimeoutMs = kConnectMs;
    whois.IdleTimeoutMs = kIdleMs;
    whois.ExchangeTimeoutMs = kExchangeMs;
    whois.MaxReplyBytes = kReplyCap;
    http.IdleTimeoutMs = kIdleMs;
    http.PageTimeoutMs = kExchangeMs;
    http.MaxPageBytes = kReplyCap;
}

// The process's peak resident memory, restarted from now where the kernel allows it.
class PeakMemory {
public:
    PeakMemory()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");   // resets the peak to the present size
        start_ = PeakKiB();
    }
    qint64 growthKiB() const { return PeakKiB() - start_; }

private:
    static qint64 PeakKiB()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        return 0;
    }
    qint64 start_ = 0;
};

// Counts turns of the event loop while it lives: a wait that blocked the loop (and with
// it the window's repaints and the Stop button) would count none.
class LoopTicks {
public:
    LoopTicks()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { ++ticks; });
        timer_.start(20);
    }
    int ticks = 0;

private:
    QTimer timer_;
};

ScriptedReply HttpHostile(const QString& kind)
{
    if (kind == QLatin1String("never answers"))
        return ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer);
    if (kind == QLatin1String("endless headers"))
        return ScriptedReply::Hostile(ScriptedReply::Mode::EndlessHeaders);
    if (kind == QLatin1String("body a byte at a time")) {
        ScriptedReply r = ScriptedReply::Hostile(ScriptedReply::Mode::TrickleBody);
        r.trickleIntervalMs = kTrickleMs;
        return r;
    }
    if (kind == QLatin1String("body past the cap")) {
        ScriptedReply r = ScriptedReply::Hostile(ScriptedReply::Mode::Stream);
        r.streamBytes = 64LL << 20;
        return r;
    }
    if (kind == QLatin1String("closes mid-body"))
        return ScriptedReply::Hostile(ScriptedReply::Mode::CloseMidBody);
    return ScriptedReply::Redirect("/lookup");   // "redirect loop": back to itself
}

} // namespace

class TestHostileServers : public QObject {
    Q_OBJECT
private slots:
    void whoisClientEndsEachByItsBound_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("atLeastMs");   // the bound that must have ended it
        using M = LoopbackWhoisServer::Mode;
        QTest::newRow("accepts and never answers") << int(M::NeverAnswer) << "the server did not answer in time" << kIdleMs;
        QTest::newRow("a byte at a time") << int(M::Trickle) << "the reply took too long" << kExchangeMs;
        QTest::newRow("floods without end") << int(M::Flood) << "the reply is too long" << 0;
        QTest::newRow("closes mid-reply") << int(M::Reset) << "the connection was reset" << 0;
    }
    void whoisClientEndsEachByItsBound()
    {
        QFETCH(int, mode);
        QFETCH(QString, reason);
        QFETCH(int, atLeastMs);
        LoopbackWhoisServer server;
        QVERIFY(server.listen());
        server.setMode(LoopbackWhoisServer::Mode(mode));
        server.trickleIntervalMs = kTrickleMs;
        server.setReply(QByteArray("   Domain Name: EXAMPLE.COM\r\n").repeated(50));
        TWhoisClient client;
        THttpClient unused;
        ShortenBounds(client, unused);
        client.Host = QStringLiteral("127.0.0.1");
        client.Port = server.port();

        PeakMemory memory;
        LoopTicks loop;
        QElapsedTimer clock;
        clock.start();
        QByteArray reply;
        QString why;
        QCOMPARE(client.Exchange(QStringLiteral("example.com"), reply, &why), TWhoisClient::Outcome::Failed);
        const qint64 took = clock.elapsed();

        QCOMPARE(why, reason);
        QVERIFY(reply.isEmpty());
        QVERIFY2(took >= atLeastMs * 9 / 10, qPrintable(QString::number(took)));
        QVERIFY2(took < kExchangeMs + kSlackMs, qPrintable(QString::number(took)));
        if (took >= 200)
            QVERIFY2(loop.ticks >= 3, qPrintable(QString::number(loop.ticks)));
        QVERIFY2(memory.growthKiB() < kMemoryGrowthKiB, qPrintable(QString::number(memory.growthKiB())));
        if (LoopbackWhoisServer::Mode(mode) == LoopbackWhoisServer::Mode::Trickle)
            QVERIFY(server.bytesSent > kExchangeMs / kTrickleMs / 2);   // data kept coming: the idle bound never ran out
        if (LoopbackWhoisServer::Mode(mode) == LoopbackWhoisServer::Mode::Flood)
            QVERIFY(server.bytesSent > kReplyCap);
        QVERIFY(!client.Connected());
    }

    void httpClientEndsEachByItsBound_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("atLeastMs");
        QTest::newRow("never answers") << "never answers" << "the server did not answer in time" << kIdleMs;
        QTest::newRow("endless headers") << "endless headers" << "" << 0;
        QTest::newRow("body a byte at a time") << "body a byte at a time" << "the page took too long" << kExchangeMs;
        QTest::newRow("body past the cap") << "body past the cap" << "the page is too long" << 0;
        QTest::newRow("redirect loop") << "redirect loop" << "" << 0;
        QTest::newRow("closes mid-body") << "closes mid-body" << "" << 0;
    }
    void httpClientEndsEachByItsBound()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QFETCH(int, atLeastMs);
        TWhoisClient unused;
        THttpClient client;   // before the server, which goes first and resets its connections
        ShortenBounds(unused, client);
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        server.setHandler([&](const HttpRequestSeen&) { return HttpHostile(kind); });

        PeakMemory memory;
        LoopTicks loop;
        QElapsedTimer clock;
        clock.start();
        const THttpClient::Result result = client.Get(QUrl(QString::fromLatin1(server.origin() + "/lookup?d=example")));
        const qint64 took = clock.elapsed();

        QCOMPARE(result.outcome, THttpClient::Outcome::Failed);
        QVERIFY(!result.failure.isEmpty());
        if (!reason.isEmpty())
            QCOMPARE(result.failure, reason);
        QVERIFY(result.body.isEmpty());
        QVERIFY2(took >= atLeastMs * 9 / 10, qPrintable(QString::number(took)));
        QVERIFY2(took < kExchangeMs + kSlackMs, qPrintable(QString::number(took)));
        if (took >= 200)
            QVERIFY2(loop.ticks >= 3, qPrintable(QString::number(loop.ticks)));
        QVERIFY2(memory.growthKiB() < kMemoryGrowthKiB, qPrintable(QString::number(memory.growthKiB())));
        if (kind == QLatin1String("redirect loop"))
            QVERIFY(server.requests.size() > NetworkLimits::MaxRedirects && server.requests.size() < 3 * NetworkLimits::MaxRedirects);
        QVERIFY(!client.Busy());
    }

    // Qt reads response headers in a thread of its own, a byte per system call: a flood
    // of headers keeps that thread busy after the fetch was given up. The next fetch and
    // the closing of connections must not wait for it.
    void webClientRecoversFromEndlessHeaders()
    {
        TWhoisClient unused;
        THttpClient client;   // before the servers, which go first and reset their connections
        ShortenBounds(unused, client);
        LoopbackHttpServer hostile;
        QVERIFY(hostile.listen());
        hostile.setHandler([](const HttpRequestSeen&) { return HttpHostile(QStringLiteral("endless headers")); });
        LoopbackHttpServer sound;
        QVERIFY(sound.listen());
        sound.setHandler([](const HttpRequestSeen& request) {
            return ScriptedReply::Page("No match").withHeader("Set-Cookie", "seen=" + request.header("cookie").toHex());
        });
        const QUrl soundPage(QString::fromLatin1(sound.origin() + "/lookup"));
        QCOMPARE(client.Get(soundPage).outcome, THttpClient::Outcome::Fetched);   // leaves a cookie

        QCOMPARE(client.Get(QUrl(QString::fromLatin1(hostile.origin() + "/lookup"))).outcome, THttpClient::Outcome::Failed);
        QElapsedTimer clock;
        clock.start();
        const THttpClient::Result after = client.Get(soundPage);
        QCOMPARE(after.outcome, THttpClient::Outcome::Fetched);
        QCOMPARE(after.body, QByteArray("No match"));
        QVERIFY(!sound.requests.last().header("cookie").isEmpty());   // the jar outlived the manager
        client.Disconnect();
        QVERIFY2(clock.elapsed() < kIdleMs + 1000, qPrintable(QString::number(clock.elapsed())));
    }

    // A whole run: the hostile server holds the .com lookups, a sound one the .net ones.
    // The first .com lookup fails by its bound, the server goes on the failed list so the
    // second is not even tried, and every .net domain is answered.
    void runGoesOnPastAHostileWhoisServer_data()
    {
        QTest::addColumn<int>("mode");
        using M = LoopbackWhoisServer::Mode;
        QTest::newRow("accepts and never answers") << int(M::NeverAnswer);
        QTest::newRow("a byte at a time") << int(M::Trickle);
        QTest::newRow("floods without end") << int(M::Flood);
        QTest::newRow("closes mid-reply") << int(M::Reset);
    }
    void runGoesOnPastAHostileWhoisServer()
    {
        QFETCH(int, mode);
        SearchRunHarness h;
        ShortenBounds(h.engine.Whois1, h.engine.Http);
        // Every whois lookup uses one port, so the hostile server shares the sound one's
        // port on another loopback address.
        LoopbackWhoisServer hostile;
        QVERIFY(hostile.listen(QHostAddress(QStringLiteral("127.0.0.3")), h.whois.port()));
        hostile.setMode(LoopbackWhoisServer::Mode(mode));
        hostile.trickleIntervalMs = kTrickleMs;
        hostile.setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query).repeated(20); });
        h.addTLD(".com", QStringLiteral("127.0.0.3"));
        h.addWhoisTLD(".net");
        h.setNames({"freea", "takenb"});

        PeakMemory memory;
        LoopTicks loop;
        QElapsedTimer clock;
        clock.start();
        h.runAutomated();

        const qint64 took = clock.elapsed();
        QVERIFY2(took < kExchangeMs + kSlackMs, qPrintable(QString::number(took)));
        QCOMPARE(h.view.list(ResultList::Free), QStringList{"FREEA.net : FREE, Click on the Register Domain button now !"});
        QCOMPARE(h.view.list(ResultList::Taken).size(), 1);
        QVERIFY(h.view.list(ResultList::Taken).first().startsWith("TAKENB.net"));
        QCOMPARE(h.view.list(ResultList::Errors), (QStringList{"TAKENB.com : Error, Try using another server for this domain extension !",
                                                          "FREEA.com : Error, Try using another server for this domain extension !"}));
        QCOMPARE(h.view.counterText, QString("4 checked, 1 taken, 1 free, 2 errors"));
        QCOMPARE(h.view.progressPosition, h.view.progressMaximum);
        QCOMPARE(hostile.connections, 1);
        QCOMPARE(h.whois.queries, (QList<QByteArray>{"freea.net", "takenb.net"}));
        const QByteArray error = " : Error, Try using another server for this domain extension !\r\n";
        QCOMPARE(h.resultsFile(), SearchRunHarness::Header() + "FREEA.com" + error + "FREEA.net : FREE\r\nTAKENB.com" + error
                                      + "TAKENB.net : TAKEN\r\n");
        if (took >= 200)
            QVERIFY2(loop.ticks >= 3, qPrintable(QString::number(loop.ticks)));
        QVERIFY2(memory.growthKiB() < kMemoryGrowthKiB, qPrintable(QString::number(memory.growthKiB())));
    }

    void runGoesOnPastAHostileWebServer_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"never answers", "endless headers", "body a byte at a time", "body past the cap",
                                 "redirect loop", "closes mid-body"})
            QTest::newRow(kind) << QString(kind);
    }
    void runGoesOnPastAHostileWebServer()
    {
        QFETCH(QString, kind);
        SearchRunHarness h;
        ShortenBounds(h.engine.Whois1, h.engine.Http);
        LoopbackHttpServer hostile;
        QVERIFY(hostile.listen());
        hostile.setHandler([&](const HttpRequestSeen&) { return HttpHostile(kind); });
        h.addTLD(".com", QString::fromLatin1(hostile.origin()) + QStringLiteral("/lookup?d=<name>"));
        h.addWhoisTLD(".net");
        h.setNames({"freea", "takenb"});

        PeakMemory memory;
        QElapsedTimer clock;
        clock.start();
        h.runAutomated();

        QVERIFY2(clock.elapsed() < 2 * kExchangeMs + kSlackMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(h.view.list(ResultList::Free), QStringList{"FREEA.net : FREE, Click on the Register Domain button now !"});
        QCOMPARE(h.view.list(ResultList::Taken).size(), 1);
        QCOMPARE(h.view.list(ResultList::Errors), (QStringList{"TAKENB.com : Error, Try using another server for this domain extension !",
                                                          "FREEA.com : Error, Try using another server for this domain extension !"}));
        QCOMPARE(h.view.progressPosition, h.view.progressMaximum);
        QCOMPARE(h.whois.queries, (QList<QByteArray>{"freea.net", "takenb.net"}));
        QVERIFY2(memory.growthKiB() < kMemoryGrowthKiB, qPrintable(QString::number(memory.growthKiB())));
    }
};

QTEST_GUILESS_MAIN(TestHostileServers)
#include "tst_hostileservers.moc"
