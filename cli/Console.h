#pragma once
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;

// The two output streams of tarnwick-cli. Results go to standard output, one line at
// a time and flushed at once so a pipe sees each as soon as it is made; message boxes
// and notes go to standard error. When standard error is a terminal it can also carry
// one progress line, which is taken away before anything else is written and drawn
// again afterwards.
//
// Standard output can go away: the reader of a pipe ends (| head). That is noticed at the
// next write (EPIPE) or, for a pipe, as soon as it happens while the event loop runs;
// nothing more is written there, and the handler is called once.
class Console {
public:
    Console();
    ~Console();

    bool progressAllowed() const { return stderrIsTerminal_; }

    void printResult(const QString& line);    // standard output
    void printBlock(const QString& lines);    // standard output, already made of whole lines
    void printMessage(const QString& text);   // standard error; a line break is added
    void setProgress(const QString& text);    // ignored unless standard error is a terminal
    void clearProgress();                     // takes the progress line away for good

    void setOnOutputClosed(std::function<void()> handler);
    bool outputClosed() const { return outputClosed_; }

private:
    void writeOutput(const QByteArray& bytes);
    void outputWentAway();
    void hideProgress();
    void drawProgress();

    bool stderrIsTerminal_ = false;
    QString progress_;
    bool progressDrawn_ = false;
    bool outputClosed_ = false;
    std::function<void()> onOutputClosed_;
    std::unique_ptr<QSocketNotifier> outputWatch_;
};
