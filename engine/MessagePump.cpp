#include "engine/MessagePump.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <time.h>

namespace {

// Milliseconds on a monotonic clock that is cheap to read: Process() reads it at every
// call, and a list of ten million numbers makes ten million calls.
qint64 NowMs()
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) == 0)
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#endif
    QElapsedTimer timer;
    timer.start();
    return timer.msecsSinceReference();
}

} // namespace

void MessagePump::Process()
{
    if (hook_)
        hook_();
    const qint64 now = NowMs();
    if (lastProcessedMs_ < 0 || now - lastProcessedMs_ >= intervalMs_) {
        QCoreApplication::processEvents();
        lastProcessedMs_ = NowMs();
    }
}

void MessagePump::ProcessNow()
{
    if (hook_)
        hook_();
    QCoreApplication::processEvents();
    lastProcessedMs_ = NowMs();
}
