#include "engine/MessagePump.h"
#include <QCoreApplication>

void MessagePump::Process()
{
    if (hook_)
        hook_();
    if (!sinceLast_.isValid() || sinceLast_.elapsed() >= intervalMs_) {
        QCoreApplication::processEvents();
        sinceLast_.start();
    }
}

void MessagePump::ProcessNow()
{
    if (hook_)
        hook_();
    QCoreApplication::processEvents();
    sinceLast_.start();
}
