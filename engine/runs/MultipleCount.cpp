#include "engine/Misc1.h"

void TMisc1::UpdateMultipleCount(const QString& status)
{
    // Counted by the first letter, case-sensitively: "ERROR" and the failed-lookup text
    // both start with "E", as does the "E" of an invalid name.
    const QChar first = status.isEmpty() ? QChar() : status.front();
    if (first == QLatin1Char('E'))
        ++ErrorCount;
    else if (first == QLatin1Char('F'))
        ++FreeCount;
    else if (first == QLatin1Char('T'))
        ++TakenCount;
    ++CheckedCount;
    if (view_)
        view_->setCounterText(CounterText());
    ProcessMessages();
}

QString TMisc1::CounterText() const
{
    return QStringLiteral("%1 checked, %2 taken, %3 free, %4 errors")
        .arg(CheckedCount).arg(TakenCount).arg(FreeCount).arg(ErrorCount);
}

void TMisc1::ResetCounters()
{
    CheckedCount = TakenCount = FreeCount = ErrorCount = 0;
}
