#pragma once
#include <QElapsedTimer>
#include <QString>

class Console;
class TMisc1;

// The progress line of an automated run on a terminal: the counters and the speed,
// redrawn at most ten times a second.
class ProgressLine {
public:
    ProgressLine(Console& console, const TMisc1& engine);

    void showStatus(const QString& text);        // a line of its own while no domain is checked yet
    void start();                                // the first domain is about to be looked up
    void update(qint64 domainsDone);             // progress position of the run
    void finish();

private:
    QString text(qint64 domainsDone) const;

    Console& console_;
    const TMisc1& engine_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceDrawn_;
};
