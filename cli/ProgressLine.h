#pragma once
#include <QElapsedTimer>
#include <QString>

class Console;
class TMisc1;

// The progress line of an automated run on a terminal: the counters, the speed and the
// time left at that speed, redrawn at most ten times a second.
class ProgressLine {
public:
    ProgressLine(Console& console, const TMisc1& engine);

    void showStatus(const QString& text);        // a line of its own while no domain is checked yet
    void start();                                // the first domain is about to be looked up
    void setTotal(qint64 domains) { total_ = domains; }   // the domains of the run known so far
    void update(qint64 domainsDone);             // progress position of the run
    void finish();

private:
    QString text(qint64 domainsDone) const;

    Console& console_;
    const TMisc1& engine_;
    QElapsedTimer sinceStart_;
    QElapsedTimer sinceDrawn_;
    qint64 total_ = 0;
};
