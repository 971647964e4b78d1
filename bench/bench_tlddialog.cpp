// The TLD dialog with today's list (the table's rows and the further TLDs, some 1,600):
// time from "Select others..." to the list painted, and to a filter applied; and the
// start-up work that builds the list, the tree and the ticks from the built-in tables.
#include "bench/BenchMedian.h"
#include "engine/Misc1.h"
#include "settings/ServerAssignment.h"
#include "ui/MainForm.h"
#include "ui/TLDForm.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Notes the first paint of a widget.
class PaintSeen : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        seen = seen || event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TMisc1 engine;
    engine.setProgramFolder(dir.path());
    TMainForm mainForm(engine);
    mainForm.setDictionaryLoader([] { return true; });
    mainForm.FormCreate();
    TServerAssignment assignment(engine);
    const double build = MedianMs([&] { assignment.InitialiseTree(); });
    mainForm.setQuickTicksFromTLDInfoList();
    mainForm.show();

    const double open = MedianMs([&] {
        TTLDForm form(engine, &mainForm);
        PaintSeen painted;
        form.findChild<QListWidget*>(QStringLiteral("TLDChecks"))->viewport()->installEventFilter(&painted);
        form.show();
        while (!painted.seen)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    });
    TTLDForm form(engine, &mainForm);
    form.show();
    auto* filter = form.findChild<QLineEdit*>(QStringLiteral("FilterEdit"));
    const double filtered = MedianMs([&] {
        filter->setText(QStringLiteral("sho"));
        filter->clear();
    });

    std::printf("platform %s, %d TLDs in use\n", qPrintable(QGuiApplication::platformName()), engine.TLDInfoList.Count());
    std::printf("tree, TLDInfoList and ticks from the tables: median %.2f ms\n", build);
    std::printf("TLD dialog from creation to its list painted: median %.2f ms\n", open);
    std::printf("filter \"sho\" set and cleared: median %.2f ms\n", filtered);
    return 0;
}
