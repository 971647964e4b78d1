#include "cli/StopOnInterrupt.h"
#include "engine/Misc1.h"
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Read end [0] and write end [1]; the handler may only touch the write end.
int interruptPipe[2] = {-1, -1};
}

StopOnInterrupt::StopOnInterrupt(TMisc1& engine, QObject* parent)
    : QObject(parent)
    , engine_(engine)
{
    if (interruptPipe[0] >= 0 || pipe2(interruptPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(interruptPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopOnInterrupt::onPipeReadable);

    struct sigaction action {};
    action.sa_handler = &StopOnInterrupt::handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    installed_ = sigaction(SIGINT, &action, &previous_) == 0;
}

StopOnInterrupt::~StopOnInterrupt()
{
    if (installed_)
        sigaction(SIGINT, &previous_, nullptr);
    delete notifier_;
    for (int& fd : interruptPipe) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}

void StopOnInterrupt::handleSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(interruptPipe[1], &byte, 1);
    errno = savedErrno;
}

void StopOnInterrupt::onPipeReadable()
{
    char buffer[16];
    while (read(interruptPipe[0], buffer, sizeof buffer) > 0) {
    }
    engine_.RequestStop();
}
