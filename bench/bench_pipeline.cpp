// Lookups in parallel across servers: four whois servers, or four RDAP services, on
// 127.0.0.1 to 127.0.0.4 (one port), each answering 30 ms after the query, four TLDs
// pinned one to each. Prints the run's time with one lookup at a time and with the
// default pipeline, their ratio (at most 4: four servers), the most queries any one
// server had at once and, for RDAP, the most connections a service was opened.
// Medians of several runs. `bench_pipeline whois` or `bench_pipeline rdap` runs one kind.
#include "tests/support/FreePort.h"
#include "tests/support/SearchRunHarness.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 3;
constexpr int kDelayMs = 30;

enum class Route { Whois, Rdap };

struct Result {
    double seconds;
    int mostPerServer;       // queries at once at one server
    int mostConnections;     // connections a service was opened (RDAP)
};

Result RunOnce(Route route, int names, int parallel)
{
    SearchRunHarness h;
    const quint16 port = FreeLoopbackPort();
    h.engine.Whois1.Port = port;
    h.engine.LookupParallel = parallel;
    // TARNWICK_BENCH_SELFCHECK=1: each route is checked once first, as Lookup/SelfCheck does.
    h.engine.LookupSelfCheck = qEnvironmentVariableIntValue("TARNWICK_BENCH_SELFCHECK") > 0;
    h.view.opts.SaveCheck = false;
    std::vector<std::unique_ptr<LoopbackWhoisServer>> servers;
    std::vector<std::unique_ptr<LoopbackHttpServer>> services;
    QHash<QString, QString> bootstrap;
    const QStringList tlds{".com", ".net", ".org", ".info"};
    for (int i = 0; i < tlds.size(); ++i) {
        const QHostAddress address(QStringLiteral("127.0.0.%1").arg(i + 1));
        if (route == Route::Whois) {
            auto server = std::make_unique<LoopbackWhoisServer>();
            server->listen(address, port);
            server->answerDelayMs = kDelayMs;
            server->setResponder([](const QByteArray& query) { return SearchRunHarness::ReplyFor(query); });
            servers.push_back(std::move(server));
        } else {
            auto service = std::make_unique<LoopbackHttpServer>();
            service->listen(address, port);
            service->keepAlive = true;
            service->answerDelayMs = kDelayMs;
            service->setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page(R"({"errorCode":404})", 404); });
            bootstrap.insert(tlds.at(i).mid(1), QString::fromLatin1(service->origin()) + QStringLiteral("/rdap/"));
            services.push_back(std::move(service));
        }
        h.addTLD(tlds.at(i), address.toString());
    }
    h.engine.RdapEnabled = route == Route::Rdap;
    h.engine.RdapBootstrap.Use(bootstrap, {});
    QStringList list;
    for (int i = 0; i < names; ++i)
        list << QStringLiteral("name%1").arg(i, 4, 10, QLatin1Char('0'));
    h.setNames(list);
    QElapsedTimer clock;
    clock.start();
    h.runAutomated();
    Result result{static_cast<double>(clock.nsecsElapsed()) / 1e9, 0, 0};
    for (const auto& s : servers)
        result.mostPerServer = std::max(result.mostPerServer, s->mostOpenConnections);
    for (const auto& s : services) {
        result.mostPerServer = std::max(result.mostPerServer, s->mostAnswering);
        result.mostConnections = std::max(result.mostConnections, s->connections);
    }
    if (h.view.lists[0].size() != names * tlds.size())
        std::fprintf(stderr, "the run made %lld entries\n", static_cast<long long>(h.view.lists[0].size()));
    return result;
}

Result Median(Route route, int names, int parallel)
{
    std::vector<Result> runs;
    for (int i = 0; i < kRuns; ++i) {
        runs.push_back(RunOnce(route, names, parallel));
        std::printf("  Parallel=%-2d run %d: %.2f s, at most %d quer%s at once per server, %d connection(s) per service\n",
                    parallel, i + 1, runs.back().seconds, runs.back().mostPerServer,
                    runs.back().mostPerServer == 1 ? "y" : "ies", runs.back().mostConnections);
    }
    std::sort(runs.begin(), runs.end(), [](const Result& a, const Result& b) { return a.seconds < b.seconds; });
    return runs[runs.size() / 2];
}

void Compare(Route route, int names)
{
    std::printf("%s: %d names x 4 TLDs, four %s answering after %d ms\n", route == Route::Whois ? "whois" : "RDAP", names,
                route == Route::Whois ? "whois servers" : "RDAP services", kDelayMs);
    const Result sequential = Median(route, names, 1);
    const Result piped = Median(route, names, 16);
    std::printf("Parallel=1: %.2f s; defaults (16, 1 per server): %.2f s; ratio %.2f; at most %d at once per server",
                sequential.seconds, piped.seconds, sequential.seconds / piped.seconds, piped.mostPerServer);
    if (route == Route::Rdap)
        std::printf("; at most %d connections per service", piped.mostConnections);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only.isEmpty() || only == QLatin1String("whois"))
        Compare(Route::Whois, 250);
    if (only.isEmpty() || only == QLatin1String("rdap"))
        Compare(Route::Rdap, 100);
    return 0;
}
