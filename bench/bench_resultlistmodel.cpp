// Inserting results at the top of a result list: cost per entry as the list grows.
// The model appends and shows in reverse, so the cost should stay flat.
#include "engine/runs/ResultListModel.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = 5;
    for (int total : {10'000, 100'000, 1'000'000}) {
        std::vector<double> perEntryNs;
        for (int r = 0; r < rounds; ++r) {
            ResultListModel model;
            const QString entry = QStringLiteral("EXAMPLE12345.com : FREE, Click on the Register Domain button now !");
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < total; ++i)
                model.insertAtTop(entry);
            perEntryNs.push_back(static_cast<double>(t.nsecsElapsed()) / total);
            if (model.count() != total)
                return 1;
        }
        std::sort(perEntryNs.begin(), perEntryNs.end());
        std::printf("insertAtTop, %8d entries: median %.1f ns per entry (%d runs)\n", total, perEntryNs[rounds / 2], rounds);
    }
    return 0;
}
