#include "engine/lookup/InterruptiblePause.h"
#include <QEventLoop>
#include <QTimer>

bool TInterruptiblePause::Wait(int ms)
{
    if (abort_)   // called again from inside a pause
        return false;
    QEventLoop loop;
    bool aborted = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);   // a pause a registry asked for is never cut short
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    abort_ = [&] {
        aborted = true;
        loop.quit();
    };
    timer.start(ms < 0 ? 0 : ms);
    loop.exec();
    abort_ = nullptr;
    return !aborted;
}

void TInterruptiblePause::Abort()
{
    if (abort_)
        abort_();
}
