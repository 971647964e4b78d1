#include "cli/ProgressLine.h"
#include "cli/Console.h"
#include "engine/Misc1.h"

namespace {
const qint64 kRedrawIntervalMs = 100;

// 0:42, 12:05, 3:07:15
QString durationText(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const QString minutes = QStringLiteral("%1:%2")
                                .arg(seconds / 60 % 60, hours > 0 ? 2 : 1, 10, QLatin1Char('0'))
                                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QString::number(hours) + QLatin1Char(':') + minutes : minutes;
}
} // namespace

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
    QString line = QStringLiteral("%1 checked, %2 free, %3 taken, %4 errors, %5 domains per second")
                       .arg(engine_.CheckedCount)
                       .arg(engine_.FreeCount)
                       .arg(engine_.TakenCount)
                       .arg(engine_.ErrorCount)
                       .arg(perSecond, 0, 'f', 1);
    if (domainsDone > 0 && perSecond > 0.0 && total_ > domainsDone)
        line += QStringLiteral(", %1 left").arg(durationText(static_cast<qint64>(static_cast<double>(total_ - domainsDone) / perSecond)));
    return line;
}
