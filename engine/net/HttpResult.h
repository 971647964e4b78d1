#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// How one HTTP fetch ended.
enum class THttpOutcome {
    Fetched,            // a page arrived (its body may be empty)
    ClosedBeforeBody,   // the server closed the connection in an orderly way before any answer
    Failed,             // not resolvable, refused, lost, error status, timed out, too long
    Stopped,            // ended by Abort(); no fault of the server
};

// Why a fetch failed, as a value to decide on; the failure text says it in words.
enum class THttpFailure {
    None,
    NotAnAddress,   // no http(s) URL, or a proxy port that is no port
    Network,        // refused, reset, not resolvable, TLS, an error status
    TimedOut,       // no data for the idle time-out
    TooSlow,        // the whole fetch took longer than its bound
    TooLong,        // the page passed its cap
};

struct THttpResult {
    THttpOutcome outcome = THttpOutcome::Failed;
    THttpFailure failureKind = THttpFailure::None;
    QByteArray body;         // the page when Fetched, else empty (also kept with an error status)
    QString failure;         // a short reason when Failed
    int status = 0;          // the HTTP status of the last answer; 0 without one
    QByteArray retryAfter;   // its Retry-After header, when it has one

    // The server could not be reached or did not answer in time: asking it again in this
    // search would cost the same wait.
    bool unreachable() const
    {
        return outcome == THttpOutcome::Failed && status == 0
               && (failureKind == THttpFailure::Network || failureKind == THttpFailure::TimedOut
                   || failureKind == THttpFailure::TooSlow);
    }
};

using THttpHeaders = QList<QPair<QByteArray, QByteArray>>;
