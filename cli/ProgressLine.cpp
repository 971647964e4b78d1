#include "cli/ProgressLine.h"
#include "cli/Console.h"
#include "engine/Misc1.h"

namespace {
const qint64 kRedrawIntervalMs = 100;
}

ProgressLine::ProgressLine(Console& console, const TMisc1& engine)
    : console_(console)
    , engine_(engine)
{
}

void ProgressLine::showStatus(const QString& text)
{
    console_.setProgress(text);
}

void ProgressLine::start()
{
    sinceStart_.start();
    sinceDrawn_.invalidate();
    update(0);
}

void ProgressLine::update(qint64 domainsDone)
{
    if (!console_.progressAllowed() || !sinceStart_.isValid())
        return;
    if (sinceDrawn_.isValid() && sinceDrawn_.elapsed() < kRedrawIntervalMs)
        return;
    sinceDrawn_.start();
    console_.setProgress(text(domainsDone));
}

void ProgressLine::finish()
{
    sinceStart_.invalidate();
    console_.clearProgress();
}

QString ProgressLine::text(qint64 domainsDone) const
{
    const double seconds = static_cast<double>(sinceStart_.elapsed()) / 1000.0;
    const double perSecond = seconds > 0.0 ? static_cast<double>(domainsDone) / seconds : 0.0;
    return QStringLiteral("%1 checked, %2 free, %3 taken, %4 errors, %5 domains per second")
        .arg(engine_.CheckedCount)
        .arg(engine_.FreeCount)
        .arg(engine_.TakenCount)
        .arg(engine_.ErrorCount)
        .arg(perSecond, 0, 'f', 1);
}
