#pragma once
#include <QObject>
#include <csignal>

class QSocketNotifier;
class TMisc1;

// Ctrl-C as the Stop button. The signal handler only writes a byte into a pipe; the
// event loop, which the engine runs during every network wait and between items,
// sees the pipe become readable and asks the engine to stop. The handler is a
// one-shot: a second Ctrl-C ends the program at once, as it would without us.
class StopOnInterrupt : public QObject {
    Q_OBJECT
public:
    explicit StopOnInterrupt(TMisc1& engine, QObject* parent = nullptr);
    ~StopOnInterrupt() override;

private:
    void onPipeReadable();
    static void handleSignal(int signal);

    TMisc1& engine_;
    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_ {};
    bool installed_ = false;
};
