// Times the dictionary, the Soundex file and building the search list from the larger
// sources. Prints the median of several runs of each, and the peak resident memory.
// Usage: bench_names [runs]   (run from anywhere; it reads english.dat from the build folder)
#include "engine/Misc1.h"
#include "tests/support/FakeSearchView.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <time.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Wall-clock and processor time of one piece of work, in milliseconds. On a shared
// machine the wall clock also counts the time other programs had the processor.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

double CpuNowMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

Timing Median(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = CpuNowMs();
        work();
        cpu.push_back(CpuNowMs() - cpuStart);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

long PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// `count` distinct names, one a line, in an order that is not sorted.
QString WriteImportFile(const QString& path, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        unsigned n = unsigned(i) * 2654435761u;   // a permutation of 0..2^32-1
        QByteArray name = "name-";
        for (int k = 0; k < 7; ++k, n /= 26)
            name += char('a' + n % 26);
        text += name + QByteArray::number(i) + '\n';
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QTemporaryDir folder;
    TMisc1 engine;
    engine.setProgramFolder(folder.path());
    if (!QFile::copy(QStringLiteral(TARNWICK_PROGRAM_DIR "/english.dat"), engine.shippedDataFile("english.dat"))) {
        std::fprintf(stderr, "no english.dat in %s\n", TARNWICK_PROGRAM_DIR);
        return 1;
    }
    FakeSearchView view;
    engine.setView(&view);
    const auto none = [] {};

    const Timing load = Median(runs, none, [&] { engine.LoadDictionary(); });
    const Timing build = Median(runs, none, [&] { engine.BuildSoundexFile(); });
    const Timing soundexLoad = Median(runs, none, [&] { engine.LoadSoundexFile(); });

    const auto only = [&](auto set) {
        return [&view, &engine, set] {
            engine.SearchList.clear();
            view.opts = MainOptions();
            view.opts.DictCheck = false;
            set(view.opts);
        };
    };
    const Timing dictionary = Median(runs, only([](MainOptions& o) {
        o.DictCheck = true;
        o.DictFromEdit = "AA";
        o.DictToEdit = "ZYMOTIC";
    }), [&] { engine.PrepareList(); });
    const int dictionaryCount = engine.SearchList.count();

    const QString import200 = WriteImportFile(folder.filePath("200k.txt"), 200000);
    const QString import400 = WriteImportFile(folder.filePath("400k.txt"), 400000);
    const auto importOf = [&](const QString& path) {
        return only([path](MainOptions& o) {
            o.CustomListCheck = true;
            o.UseList = path;
        });
    };
    const Timing i200 = Median(runs, importOf(import200), [&] { engine.PrepareList(); });
    const int i200Count = engine.SearchList.count();
    const Timing i400 = Median(runs, importOf(import400), [&] { engine.PrepareList(); });
    const int i400Count = engine.SearchList.count();

    const long rssBeforeNumbers = PeakRssMb();
    const Timing numbers = Median(std::min(runs, 5), only([](MainOptions& o) {
        o.NumbersCheck = true;
        o.NumberFrom = 0;
        o.NumberTo = 9999999;
    }), [&] { engine.PrepareList(); });
    const int numberCount = engine.SearchList.count();
    const long rssAfterNumbers = PeakRssMb();

    std::printf("median of %d runs (numbers: %d)          wall ms     cpu ms\n", runs, std::min(runs, 5));
    const auto line = [](const char* what, Timing t, const QString& note) {
        std::printf("%-26s %10.2f %10.2f  %s\n", what, t.wallMs, t.cpuMs, qPrintable(note));
    };
    line("dictionary load", load, QString("%1 words").arg(engine.dictionary().Count()));
    line("Soundex build", build, {});
    line("Soundex load", soundexLoad, {});
    line("PrepareList dictionary", dictionary, QString("%1 names").arg(dictionaryCount));
    line("PrepareList import 200k", i200, QString("%1 names").arg(i200Count));
    line("PrepareList import 400k", i400, QString("%1 names; %2x (wall) %3x (cpu) the 200k")
                                              .arg(i400Count).arg(i400.wallMs / i200.wallMs, 0, 'f', 2)
                                              .arg(i400.cpuMs / i200.cpuMs, 0, 'f', 2));
    line("PrepareList numbers 10M", numbers, QString("%1 names").arg(numberCount));
    std::printf("peak resident memory     %8ld MB  (%ld MB before the numbers)\n", rssAfterNumbers, rssBeforeNumbers);
    return 0;
}
