// The DNS pre-check: 20,000 names, half of them delegated, against a DNS server on
// loopback. Prints
//  - names per second through the resolver client alone, and through a whole run in
//    which DNS answers every name (no registry query);
//  - a whole run of the 20,000 names where the whois server answers after 30 ms
//    (Parallel 16, 8 at once to the server), with the pre-check on and off.
// Medians of several runs. An optional argument sets the number of names.
#include "bench/BenchMedian.h"
#include "engine/dns/DnsResolver.h"
#include "tests/support/LoopbackDnsServer.h"
#include "tests/support/SearchRunHarness.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int gNames = 20'000;
constexpr int kDelayMs = 30;

QByteArray NameAt(int i)
{
    return "name" + QByteArray::number(i);
}

// Even names are delegated under .com.
void FillTable(LoopbackDnsServer& dns, bool everyName)
{
    for (int i = 0; i < gNames; ++i)
        if (everyName || i % 2 == 0)
            dns.set(NameAt(i) + ".com", LoopbackDnsServer::Answer::Delegated);
}

double ResolverOnce()
{
    LoopbackDnsServer dns;
    dns.listen();
    FillTable(dns, false);
    TDnsResolver resolver({QStringLiteral("127.0.0.1"), dns.port()});
    int answered = 0;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < gNames; ++i)
        resolver.AskNameServers(NameAt(i) + ".com", [&](const TDnsResolver::Answer&) {
            if (++answered == gNames)
                loop.quit();
        });
    loop.exec();
    return gNames / (static_cast<double>(clock.nsecsElapsed()) / 1e9);
}

// A whole run; returns its seconds.
double RunOnce(bool precheck, bool everyNameDelegated)
{
    LoopbackDnsServer dns;
    dns.listen();
    FillTable(dns, everyNameDelegated);
    SearchRunHarness h;
    h.whois.answerDelayMs = kDelayMs;
    h.engine.LookupParallel = 16;
    h.engine.LookupPerServer = 8;
    h.engine.DnsPrecheck = precheck;
    h.engine.DnsResolver.server = QStringLiteral("127.0.0.1");
    h.engine.DnsResolver.port = dns.port();
    h.view.opts.SaveCheck = false;
    h.addWhoisTLD(QStringLiteral(".com"));
    QStringList names;
    for (int i = 0; i < gNames; ++i)
        names << QString::fromLatin1(NameAt(i));
    h.setNames(names);
    QElapsedTimer clock;
    clock.start();
    h.runAutomated();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (h.view.lists[0].size() != gNames)
        std::fprintf(stderr, "the run made %lld entries\n", static_cast<long long>(h.view.lists[0].size()));
    std::printf("    %.2f s, %lld whois queries\n", seconds, static_cast<long long>(h.whois.queries.size()));
    return seconds;
}

template <typename Measure>
double Median(int runs, const char* what, Measure measure)
{
    std::vector<double> values;
    std::printf("  %s\n", what);
    for (int i = 0; i < runs; ++i)
        values.push_back(measure());
    return MedianOf(values);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        gNames = std::max(100, atoi(argv[1]));
    std::printf("%d names under .com, half delegated in DNS; whois answers after %d ms\n", gNames, kDelayMs);
    const double resolverRate = Median(5, "resolver alone", [] {
        const double rate = ResolverOnce();
        std::printf("    %.0f names/s\n", rate);
        return rate;
    });
    const double allDelegated = Median(5, "a run, every name delegated", [] { return RunOnce(true, true); });
    const double on = Median(3, "a run, pre-check on", [] { return RunOnce(true, false); });
    const double off = Median(3, "a run, pre-check off", [] { return RunOnce(false, false); });
    std::printf("resolver alone: %.0f names/s; a run answered by DNS alone: %.0f names/s\n", resolverRate,
                gNames / allDelegated);
    std::printf("whole run: pre-check on %.1f s, off %.1f s (ratio %.2f)\n", on, off, off / on);
    return 0;
}
