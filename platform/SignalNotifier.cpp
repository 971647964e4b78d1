// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SignalNotifier.h"
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {
// For each signal number, a pipe: read end [0], write end [1]; the handler may only
// touch the write end.
struct Pipe {
    int ends[2] = {-1, -1};
};
Pipe pipes[NSIG];
} // namespace

SignalNotifier::SignalNotifier(int signalNumber, QObject* parent)
    : QObject(parent)
    , signal_(signalNumber)
{
    if (signal_ <= 0 || signal_ >= NSIG)
        return;
    int* ends = pipes[signal_].ends;
    if (ends[0] >= 0 || pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalNotifier::onPipeReadable);

    struct sigaction action {};
    action.sa_handler = &SignalNotifier::handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    installed_ = sigaction(signal_, &action, &previous_) == 0;
}

SignalNotifier::~SignalNotifier()
{
    if (installed_)
        sigaction(signal_, &previous_, nullptr);
    if (!notifier_)
        return;
    delete notifier_;
    for (int& fd : pipes[signal_].ends) {
        close(fd);
        fd = -1;
    }
}

void SignalNotifier::handleSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(pipes[signalNumber].ends[1], &byte, 1);
    errno = savedErrno;
}

void SignalNotifier::onPipeReadable()
{
    char buffer[16];
    while (read(pipes[signal_].ends[0], buffer, sizeof buffer) > 0) {
    }
    emit received();
}
