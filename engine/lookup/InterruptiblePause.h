#pragma once
#include <functional>

// A pause that keeps the event loop running, so the window repaints and Stop can be
// pressed, and that Abort() (Stop, Disconnect, closing the window) ends at once.
class TInterruptiblePause {
public:
    // Waits `ms` milliseconds; false when Abort() ended the pause early.
    bool Wait(int ms);
    // Ends a pause in progress. Does nothing when no pause runs.
    void Abort();

private:
    std::function<void()> abort_;   // set only while a pause runs
};
