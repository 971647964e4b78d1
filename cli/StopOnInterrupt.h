#pragma once
#include "platform/SignalNotifier.h"

class TMisc1;

// Ctrl-C as the Stop button: the event loop, which the engine runs during every network
// wait and between items, sees the signal and asks the engine to stop. A second Ctrl-C
// ends the program at once, as it would without us.
class StopOnInterrupt {
public:
    explicit StopOnInterrupt(TMisc1& engine);

private:
    SignalNotifier interrupt_{SIGINT};
};
