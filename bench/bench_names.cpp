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
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    if (!QFile::copy(QStringLiteral(TARNWICK_PROGRAM_DIR "/english.dat"), engine.programFile("english.dat"))) {
        std::fprintf(stderr, "no english.dat in %s\n", TARNWICK_PROGRAM_DIR);
        return 1;
    }
    FakeSearchView view;
    engine.setView(&view);
    const auto none = [] {};

    const double load = MedianMs(runs, none, [&] { engine.LoadDictionary(); });
    const double build = MedianMs(runs, none, [&] { engine.BuildSoundexFile(); });
    const double soundexLoad = MedianMs(runs, none, [&] { engine.LoadSoundexFile(); });

    const auto only = [&](auto set) {
        return [&view, &engine, set] {
            engine.SearchList.clear();
            view.opts = MainOptions();
            view.opts.DictCheck = false;
            set(view.opts);
        };
    };
    const double dictionary = MedianMs(runs, only([](MainOptions& o) {
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
    const double i200 = MedianMs(runs, importOf(import200), [&] { engine.PrepareList(); });
    const int i200Count = engine.SearchList.count();
    const double i400 = MedianMs(runs, importOf(import400), [&] { engine.PrepareList(); });
    const int i400Count = engine.SearchList.count();

    const long rssBeforeNumbers = PeakRssMb();
    const double numbers = MedianMs(std::min(runs, 5), only([](MainOptions& o) {
        o.NumbersCheck = true;
        o.NumberFrom = 0;
        o.NumberTo = 9999999;
    }), [&] { engine.PrepareList(); });
    const int numberCount = engine.SearchList.count();
    const long rssAfterNumbers = PeakRssMb();

    std::printf("median of %d runs\n", runs);
    std::printf("dictionary load          %8.2f ms  (%d words)\n", load, engine.dictionary().Count());
    std::printf("Soundex build            %8.2f ms\n", build);
    std::printf("Soundex load             %8.2f ms\n", soundexLoad);
    std::printf("PrepareList dictionary   %8.2f ms  (%d names)\n", dictionary, dictionaryCount);
    std::printf("PrepareList import 200k  %8.2f ms  (%d names)\n", i200, i200Count);
    std::printf("PrepareList import 400k  %8.2f ms  (%d names, %.2fx the 200k)\n", i400, i400Count, i400 / i200);
    std::printf("PrepareList numbers 10M  %8.2f ms  (%d names, median of %d)\n", numbers, numberCount, std::min(runs, 5));
    std::printf("peak resident memory     %8ld MB  (%ld MB before the numbers)\n", rssAfterNumbers, rssBeforeNumbers);
    return 0;
}
