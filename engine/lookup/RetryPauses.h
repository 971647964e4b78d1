#pragma once
#include "engine/net/NetworkLimits.h"
#include <QtGlobal>
#include <algorithm>

// The pauses' settings: the first pause, the longest one, and the bound of all together.
struct RetryPacing {
    int firstMs = NetworkLimits::FirstRefusalPauseMs;
    int maxMs = NetworkLimits::MaxRefusalPauseMs;
    int boundMs = NetworkLimits::RefusalBoundMs;
};

// The pauses before asking a server again that turned the client away (a whois refusal,
// an RDAP 429): the first of `firstMs`, each further one twice the last up to `maxMs`, or
// as long as the server asked when that is longer; together they stay within `boundMs`.
class TRetryPauses {
public:
    TRetryPauses(int firstMs, int maxMs, int boundMs) : next_(firstMs), max_(maxMs), bound_(boundMs) {}
    explicit TRetryPauses(const RetryPacing& pacing) : TRetryPauses(pacing.firstMs, pacing.maxMs, pacing.boundMs) {}

    // The pause before the next try, given the wait the server asked for (-1: none); -1
    // when it would take the pauses past their bound, and the server is not asked again.
    qint64 Next(qint64 requestedMs)
    {
        const qint64 pause = std::max(next_, requestedMs);
        if (paused_ + pause > bound_)
            return -1;
        paused_ += pause;
        next_ = std::min<qint64>(next_ * 2, max_);
        return pause;
    }

private:
    qint64 next_;
    qint64 max_;
    qint64 bound_;
    qint64 paused_ = 0;
};
