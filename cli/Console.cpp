#include "cli/Console.h"
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// False when the bytes could not all be written.
bool writeAll(FILE* stream, const QByteArray& bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == static_cast<size_t>(bytes.size());
}

// Back to the start of the line and erase it.
const QByteArray kEraseLine = "\r\033[K";

bool isPipe(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode);
}

// The write end of a pipe whose readers are all gone polls as an error.
bool readerGone(int fd)
{
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLERR | POLLHUP)) != 0;
}
} // namespace

Console::Console()
    : stderrIsTerminal_(isatty(STDERR_FILENO) == 1)
{
}

Console::~Console() = default;

void Console::setOnOutputClosed(std::function<void()> handler)
{
    onOutputClosed_ = std::move(handler);
    if (outputWatch_ || !isPipe(STDOUT_FILENO))
        return;
    // Nothing is ever read from the write end of a pipe: it becomes "readable" only when
    // the polling reports the error of a pipe without readers.
    outputWatch_ = std::make_unique<QSocketNotifier>(STDOUT_FILENO, QSocketNotifier::Read);
    QObject::connect(outputWatch_.get(), &QSocketNotifier::activated, [this] {
        if (readerGone(STDOUT_FILENO))
            outputWentAway();
        else
            outputWatch_->setEnabled(false);   // not a pipe that can tell
    });
}

void Console::writeOutput(const QByteArray& bytes)
{
    if (outputClosed_)
        return;
    if (writeAll(stdout, bytes))
        return;
    if (errno == EPIPE) {
        outputWentAway();
        return;
    }
    std::clearerr(stdout);
}

void Console::outputWentAway()
{
    if (outputClosed_)
        return;
    outputClosed_ = true;
    if (outputWatch_)
        outputWatch_->setEnabled(false);
    if (onOutputClosed_)
        onOutputClosed_();
}

void Console::printResult(const QString& line)
{
    hideProgress();
    writeOutput(line.toUtf8() + '\n');
    drawProgress();
}

void Console::printBlock(const QString& lines)
{
    if (lines.isEmpty())
        return;
    hideProgress();
    writeOutput(lines.toUtf8());
    drawProgress();
}

void Console::printMessage(const QString& text)
{
    hideProgress();
    writeAll(stderr, text.toUtf8() + '\n');
    drawProgress();
}

void Console::setProgress(const QString& text)
{
    if (!stderrIsTerminal_)
        return;
    progress_ = text;
    drawProgress();
}

void Console::clearProgress()
{
    hideProgress();
    progress_.clear();
}

void Console::hideProgress()
{
    if (progressDrawn_)
        writeAll(stderr, kEraseLine);
    progressDrawn_ = false;
}

void Console::drawProgress()
{
    if (!stderrIsTerminal_ || progress_.isEmpty())
        return;
    writeAll(stderr, kEraseLine + progress_.toUtf8());
    progressDrawn_ = true;
}
