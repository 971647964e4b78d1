#pragma once
#include <QElapsedTimer>
#include <functional>

// Processing pending window messages between items of a long loop. The engine calls
// Process() at every point where the window must stay responsive; the real event
// processing runs at most once per interval, so a ten-million-item loop does not
// spend its time there. A test can install a hook that runs at every call.
class MessagePump {
public:
    using Hook = std::function<void()>;

    void Process();              // throttled
    void ProcessNow();           // always processes events
    void setHook(Hook hook) { hook_ = std::move(hook); }
    void setIntervalMs(int ms) { intervalMs_ = ms; }

private:
    Hook hook_;
    qint64 lastProcessedMs_ = -1;   // on a coarse monotonic clock; -1 before the first time
    int intervalMs_ = 10;
};
