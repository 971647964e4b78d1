// Sequential whois lookups per second against a whois server on 127.0.0.1 (connect,
// send, read to the close, close), measured two ways: the bare client exchange, and a
// whole LookUpAddress (server choice, failed-server check, message processing, reply
// lines); then whole LookUpAddress calls answered over RDAP by an HTTP server on
// 127.0.0.1 (a domain object of about 1 KiB), in the same run. Prints every run and the
// median.
#include "bench/BenchMedian.h"
#include "engine/Misc1.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/LoopbackWhoisServer.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 7;
constexpr int kLookupsPerRun = 500;

double Measure(const char* label, const std::function<bool(int)>& lookup)
{
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kLookupsPerRun; ++i) {
            if (!lookup(i)) {
                std::fprintf(stderr, "%s: lookup %d failed\n", label, i);
                return 0;
            }
        }
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        rates.push_back(kLookupsPerRun / seconds);
        std::printf("  %-14s run %d: %8.0f lookups/s\n", label, run + 1, rates.back());
    }
    const double median = MedianOf(rates);
    std::printf("%-16s median of %d runs x %d lookups: %.0f lookups/s\n", label, kRuns, kLookupsPerRun, median);
    return median;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    LoopbackWhoisServer server;
    if (!server.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    // A reply of typical size (about 2 KiB, 40 lines).
    QByteArray reply;
    for (int line = 0; line < 40; ++line)
        reply += "Registrar WHOIS Server: whois.example.net  field " + QByteArray::number(line) + "\r\n";
    server.setReply(reply);

    TMisc1 engine;
    engine.Whois1.Host = QStringLiteral("127.0.0.1");
    engine.Whois1.Port = server.port();
    engine.TLDInfoList.Add(QStringLiteral(".com"), QStringLiteral("127.0.0.1"), QStringLiteral("No Match"), true);

    std::printf("Sequential whois lookups against 127.0.0.1:%u, reply %lld bytes\n", server.port(),
                static_cast<long long>(reply.size()));
    Measure("exchange", [&](int) {
        QByteArray text;
        return engine.Whois1.Exchange(QStringLiteral("example.com"), text) == TWhoisClient::Outcome::Read && text == reply;
    });
    Measure("LookUpAddress", [&](int i) {
        QStringList lines;
        bool isWhois = false;
        bool takenListError = false;
        return engine.LookUpAddress(QStringLiteral("name%1").arg(i), QStringLiteral(".com"), lines, isWhois, false,
                                    takenListError)
               && lines.size() == 80;
    });

    LoopbackHttpServer rdap;
    if (!rdap.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    rdap.setHandler([](const HttpRequestSeen& request) {
        const QByteArray name = request.path.mid(request.path.lastIndexOf('/') + 1);
        return ScriptedReply::Page(R"({"objectClassName":"domain","ldhName":")" + name
                                   + R"(","status":["active"],"events":[{"eventAction":"registration","eventDate":"2001-01-01"}],)"
                                     R"("nameservers":[{"ldhName":"ns1.example.net"},{"ldhName":"ns2.example.net"}],"notices":[{"description":[")"
                                   + QByteArray(800, 'x') + R"("]}]})")
            .withHeader("Content-Type", "application/rdap+json");
    });
    engine.RdapEnabled = true;
    engine.RdapBootstrap.Use({{QStringLiteral("com"), QString::fromLatin1(rdap.origin()) + QStringLiteral("/rdap/")}}, {});
    std::printf("Sequential RDAP lookups against %s\n", rdap.origin().constData());
    Measure("RDAP LookUp", [&](int i) {
        QStringList lines;
        bool isWhois = false;
        bool takenListError = false;
        return engine.LookUpAddress(QStringLiteral("name%1").arg(i), QStringLiteral(".com"), lines, isWhois, false,
                                    takenListError)
               && !isWhois && lines.size() == 5;
    });
    rdap.requests.clear();
    return 0;
}
