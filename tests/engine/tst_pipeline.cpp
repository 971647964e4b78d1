// Lookups in parallel across servers, paced per server: an automated run over four whois
// servers (127.0.0.1 to .4 on one port, each answering after a delay) gives exactly the
// entries, counters and results file of one lookup at a time, never holds more than
// PerServer connections to one server, and Stop ends it at once with lookups in flight.
#include "FreePort.h"
#include "SearchRunHarness.h"
#include "engine/net/LookupScheduler.h"
#include <QElapsedTimer>
#include <QtTest>
#include <memory>
#include <vector>

namespace {

const QStringList kTlds{".com", ".net", ".org", ".info"};

// One harness whose four TLDs each have a whois server of their own.
struct FourServers {
    SearchRunHarness h;
    std::vector<std::unique_ptr<LoopbackWhoisServer>> servers;

    explicit FourServers(int delayMs)
    {
        const quint16 port = FreeLoopbackPort();
        h.engine.Whois1.Port = port;
        for (int i = 0; i < kTlds.size(); ++i) {
            const QString address = QStringLiteral("127.0.0.%1").arg(i + 1);
            auto server = std::make_unique<LoopbackWhoisServer>();
            server->listen(QHostAddress(address), port);
            server->answerDelayMs = delayMs;
            server->setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query); });
            servers.push_back(std::move(server));
            h.addTLD(kTlds.at(i), address);
        }
        QStringList names;
        for (int i = 0; i < 10; ++i)
            names << QStringLiteral("%1name%2").arg(i % 3 ? "taken" : "free").arg(i);
        names << QStringLiteral("x");   // invalid: one entry, no lookup
        h.setNames(names);
    }
    int openNow() const
    {
        int open = 0;
        for (const auto& s : servers)
            open += s->openConnections;
        return open;
    }
    int mostOpenAtOnce() const
    {
        int most = 0;
        for (const auto& s : servers)
            most = std::max(most, s->mostOpenConnections);
        return most;
    }
};

} // namespace

class TestPipeline : public QObject {
    Q_OBJECT
private slots:
    void sameRunWhateverTheParallelism_data()
    {
        QTest::addColumn<int>("parallel");
        QTest::addColumn<int>("perServer");
        QTest::newRow("16 in all, 1 per server") << 16 << 1;
        QTest::newRow("16 in all, 2 per server") << 16 << 2;
        QTest::newRow("3 in all") << 3 << 1;
    }
    void sameRunWhateverTheParallelism()
    {
        QFETCH(int, parallel);
        QFETCH(int, perServer);
        FourServers sequential(10);
        sequential.h.engine.LookupParallel = 1;
        sequential.h.runAutomated();

        FourServers piped(10);
        piped.h.engine.LookupParallel = parallel;
        piped.h.engine.LookupPerServer = perServer;
        // Every server sees at least one lookup while another server has one open.
        int overlapping = 0;
        for (const auto& server : piped.servers)
            connect(server.get(), &LoopbackWhoisServer::queryReceived, this,
                    [&] { overlapping = std::max(overlapping, piped.openNow()); });
        piped.h.runAutomated();

        for (int list = 0; list < 4; ++list)
            QCOMPARE(piped.h.view.lists[list], sequential.h.view.lists[list]);
        QCOMPARE(piped.h.view.counterText, sequential.h.view.counterText);
        QCOMPARE(piped.h.view.progressPosition, sequential.h.view.progressPosition);
        QCOMPARE(piped.h.resultsFile(), sequential.h.resultsFile());
        QCOMPARE(piped.h.view.verdicts.size(), 40);
        QCOMPARE(sequential.mostOpenAtOnce(), 1);
        QVERIFY(piped.mostOpenAtOnce() <= perServer);
        QVERIFY2(overlapping > 1, qPrintable(QString::number(overlapping)));
    }

    // Stop with lookups in flight at every server: the run ends at once, the domain in hand
    // gets no entry, every connection is closed, and no server is blamed.
    void stopEndsTheRunWithLookupsInFlight()
    {
        FourServers run(300);
        QElapsedTimer sinceStop;
        using L = ISearchView::ResultList;
        run.h.view.onInsert = [&] {   // as the first domain's entry is shown (not a status line)
            if (!sinceStop.isValid() && run.h.view.list(L::All).value(0).contains(QStringLiteral(" : "))) {
                sinceStop.start();
                run.h.engine.RequestStop();
            }
        };
        run.h.runAutomated();
        QVERIFY2(sinceStop.elapsed() < 1000, qPrintable(QString::number(sinceStop.elapsed())));
        QVERIFY(sinceStop.isValid());
        QCOMPARE(run.h.view.list(L::All).size(), 1);
        QCOMPARE(run.h.engine.FailedServers.Count(), 0);
        QVERIFY(run.mostOpenAtOnce() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(run.openNow(), 0, 2000);
    }

    // The hosts of one operator share its published pace; a refusal doubles it.
    void operatorsArePaced()
    {
        TLookupScheduler scheduler(16, 1);
        const QString key = TLookupScheduler::ServerKeyOf(QStringLiteral("WHOIS.NIC.XYZ"));
        QCOMPARE(TLookupScheduler::ServerKeyOf(QStringLiteral("rdap.centralnic.com")), key);
        QCOMPARE(scheduler.IntervalMs(key), 500);
        QList<qint64> grantedAt;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 3; ++i)
            scheduler.Request(key, 0, [&] {
                grantedAt << clock.elapsed();
                scheduler.Release(key, {grantedAt.size() == 2, -1});   // the second one is refused
            });
        QTRY_COMPARE_WITH_TIMEOUT(grantedAt.size(), 3, 5000);
        QVERIFY(grantedAt.at(1) - grantedAt.at(0) >= 495);
        QVERIFY(grantedAt.at(2) - grantedAt.at(1) >= 995);   // doubled after the refusal
        QCOMPARE(scheduler.MostInFlightAt(key), 1);
    }
};

QTEST_GUILESS_MAIN(TestPipeline)
#include "tst_pipeline.moc"
