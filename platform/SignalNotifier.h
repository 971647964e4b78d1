// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <csignal>

class QSocketNotifier;

// A Unix signal as a Qt signal. The handler only writes a byte into a pipe; the event
// loop sees the pipe become readable and emits received(), where any code may run.
// One-shot: the handler gives way to the signal's previous action once it has fired,
// so a second signal acts as it would without us (Ctrl-C twice ends the program).
// One notifier per signal number at a time.
class SignalNotifier : public QObject {
    Q_OBJECT
public:
    explicit SignalNotifier(int signalNumber, QObject* parent = nullptr);
    ~SignalNotifier() override;

signals:
    void received();

private:
    void onPipeReadable();
    static void handleSignal(int signalNumber);

    int signal_;
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_ {};
    bool installed_ = false;
};
