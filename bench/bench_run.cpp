// An automated run of 20,000 names under one TLD against a loopback whois server, with
// the results going into the real result list models and the results file. Prints the
// domains per second of the whole run and of its first and last thousand domains (the
// lists grow at the top, which must not slow the run down), as medians of several runs,
// and the peak resident memory.
//
// The whois server runs in a thread of its own on blocking sockets, as a remote server
// would, so its work does not count against the run.
#include "engine/Misc1.h"
#include "engine/runs/ResultListModel.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kNames = 20'000;
constexpr int kRuns = 5;
constexpr int kSlice = 1'000;

// Answers every query with a short "not found" or registration record, then closes.
class ThreadedWhoisServer {
public:
    ThreadedWhoisServer()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const int yes = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 128) != 0) {
            std::perror("whois server");
            std::exit(1);
        }
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~ThreadedWhoisServer()
    {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    quint16 port() const { return port_; }

private:
    void Serve()
    {
        while (!stopping_) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                continue;
            char query[512];
            size_t used = 0;
            while (used < sizeof query) {
                const ssize_t got = ::recv(client, query + used, sizeof query - used, 0);
                if (got <= 0)
                    break;
                used += size_t(got);
                if (std::find(query, query + used, '\n') != query + used)
                    break;
            }
            // Every third name is taken, the others free.
            const bool taken = used > 0 && (query[used > 7 ? 7 : 0] % 3 == 0);
            const char* reply = taken ? "   Domain Name: EXAMPLE\r\n   Registrar: Example Registrar\r\n"
                                      : "No match for domain.\r\n>>> Last update of whois database <<<\r\n";
            ::send(client, reply, std::strlen(reply), MSG_NOSIGNAL);
            ::close(client);
        }
    }

    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// The window's side of a run, with the real result list models behind it.
class BenchView : public ISearchView {
public:
    MainOptions opts;
    ResultListModel lists[4];
    std::vector<qint64> sliceEndsNs;   // elapsed time at every kSlice-th result
    QElapsedTimer clock;

    MainOptions options() const override { return opts; }
    void applyOptions(const MainOptions& o) override { opts = o; }
    void clearSingleResults() override {}
    void addSingleResult(const QString&) override {}
    void focusSingleEdit() override {}
    void clearResults(ResultList list) override { lists[int(list)].clear(); }
    void insertResultAtTop(ResultList list, const QString& entry) override
    {
        ResultListModel& model = lists[int(list)];
        model.insertAtTop(entry);
        if (list != ResultList::All)
            return;
        if (model.count() == 1)
            clock.start();   // the first domain's result: the search list is built
        else if ((model.count() - 1) % kSlice == 0)
            sliceEndsNs.push_back(clock.nsecsElapsed());
    }
    void setCounterText(const QString&) override {}
    void setProgressMaximum(qint64) override {}
    void setProgressPosition(qint64) override {}
    void showSearchResultsTab() override {}
    void showRunNotice(const QString&) override {}
    void UpdateDisplayforStart(bool) override {}
};

struct RunFigures {
    double domainsPerSecond = 0;
    double firstThousandPerSecond = 0;
    double lastThousandPerSecond = 0;
};

RunFigures OneRun(quint16 port, const QTemporaryDir& dir)
{
    TMisc1 engine;
    BenchView view;
    engine.setView(&view);
    engine.setProgramFolder(dir.path());
    engine.Whois1.Port = port;
    engine.TLDInfoList.Add(QStringLiteral(".com"), QStringLiteral("127.0.0.1"), QStringLiteral("No match"), true);

    view.opts.CustomListCheck = true;
    view.opts.UseList = dir.filePath(QStringLiteral("names.txt"));
    view.opts.SaveCheck = true;
    view.opts.AutoSaveEdit = dir.filePath(QStringLiteral("Tarnwick.txt"));
    QFile::remove(view.opts.AutoSaveEdit);

    engine.ResetCounters();
    engine.RunMultipleSearch();
    const qint64 totalNs = view.clock.nsecsElapsed();

    if (view.lists[0].count() != kNames || view.sliceEndsNs.size() < 2) {
        std::fprintf(stderr, "run incomplete: %d results\n", view.lists[0].count());
        std::exit(1);
    }
    // sliceEndsNs[k] is the time at result 1 + (k + 1) * kSlice, counted from result 1.
    RunFigures figures;
    figures.domainsPerSecond = (kNames - 1) / (totalNs / 1e9);
    figures.firstThousandPerSecond = kSlice / (view.sliceEndsNs.front() / 1e9);
    const size_t last = view.sliceEndsNs.size() - 1;
    figures.lastThousandPerSecond = kSlice / ((view.sliceEndsNs[last] - view.sliceEndsNs[last - 1]) / 1e9);
    return figures;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    {
        QFile names(dir.filePath(QStringLiteral("names.txt")));
        if (!names.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < kNames; ++i)
            names.write(QByteArray("bench") + QByteArray::number(i).rightJustified(5, '0') + "\n");
    }
    ThreadedWhoisServer server;

    std::vector<double> overall, first, last;
    for (int run = 0; run < kRuns; ++run) {
        const RunFigures f = OneRun(server.port(), dir);
        overall.push_back(f.domainsPerSecond);
        first.push_back(f.firstThousandPerSecond);
        last.push_back(f.lastThousandPerSecond);
        std::printf("run %d: %.0f domains/s (first thousand %.0f/s, last thousand %.0f/s)\n", run + 1, f.domainsPerSecond,
                    f.firstThousandPerSecond, f.lastThousandPerSecond);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("median of %d runs of %d domains: %.0f domains/s; first thousand %.0f/s, last thousand %.0f/s "
                "(last/first %.2f)\n",
                kRuns, kNames, Median(overall), Median(first), Median(last), Median(last) / Median(first));
    std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
