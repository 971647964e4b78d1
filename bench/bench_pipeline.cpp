// Lookups in parallel across servers: four whois servers on 127.0.0.1 to 127.0.0.4 (one
// port), each answering 30 ms after the query, four TLDs pinned one to each, 250 names.
// Prints the run's time with one lookup at a time and with the default pipeline, their
// ratio (at most 4: four servers), and the most connections any one server held at once.
// Medians of several runs.
#include "tests/support/FreePort.h"
#include "tests/support/SearchRunHarness.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kNames = 250;
constexpr int kRuns = 3;
constexpr int kDelayMs = 30;

struct Result {
    double seconds;
    int mostPerServer;
};

Result RunOnce(int parallel)
{
    SearchRunHarness h;
    const quint16 port = FreeLoopbackPort();
    h.engine.Whois1.Port = port;
    h.engine.LookupParallel = parallel;
    h.view.opts.SaveCheck = false;
    std::vector<std::unique_ptr<LoopbackWhoisServer>> servers;
    const QStringList tlds{".com", ".net", ".org", ".info"};
    for (int i = 0; i < tlds.size(); ++i) {
        auto server = std::make_unique<LoopbackWhoisServer>();
        server->listen(QHostAddress(QStringLiteral("127.0.0.%1").arg(i + 1)), port);
        server->answerDelayMs = kDelayMs;
        server->setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query); });
        servers.push_back(std::move(server));
        h.addTLD(tlds.at(i), QStringLiteral("127.0.0.%1").arg(i + 1));
    }
    QStringList names;
    for (int i = 0; i < kNames; ++i)
        names << QStringLiteral("name%1").arg(i, 4, 10, QLatin1Char('0'));
    h.setNames(names);
    QElapsedTimer clock;
    clock.start();
    h.runAutomated();
    Result result{static_cast<double>(clock.nsecsElapsed()) / 1e9, 0};
    for (const auto& s : servers)
        result.mostPerServer = std::max(result.mostPerServer, s->mostOpenConnections);
    if (h.view.lists[0].size() != kNames * tlds.size())
        std::fprintf(stderr, "the run made %lld entries\n", static_cast<long long>(h.view.lists[0].size()));
    return result;
}

Result Median(int parallel)
{
    std::vector<Result> runs;
    for (int i = 0; i < kRuns; ++i) {
        runs.push_back(RunOnce(parallel));
        std::printf("  Parallel=%-2d run %d: %.2f s, at most %d connection(s) per server\n", parallel, i + 1,
                    runs.back().seconds, runs.back().mostPerServer);
    }
    std::sort(runs.begin(), runs.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::printf("%d names x 4 TLDs, four servers answering after %d ms\n", kNames, kDelayMs);
    const Result sequential = Median(1);
    const Result piped = Median(16);
    std::printf("Parallel=1: %.2f s; defaults (16, 1 per server): %.2f s; ratio %.2f; most connections per server %d\n",
                sequential.seconds, piped.seconds, sequential.seconds / piped.seconds, piped.mostPerServer);
    return 0;
}
