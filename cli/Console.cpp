#include "cli/Console.h"
#include <cstdio>
#include <unistd.h>

namespace {
void writeAll(FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Back to the start of the line and erase it.
const QByteArray kEraseLine = "\r\033[K";
} // namespace

Console::Console()
    : stderrIsTerminal_(isatty(STDERR_FILENO) == 1)
{
}

void Console::printResult(const QString& line)
{
    hideProgress();
    writeAll(stdout, line.toUtf8() + '\n');
    drawProgress();
}

void Console::printBlock(const QString& lines)
{
    if (lines.isEmpty())
        return;
    hideProgress();
    writeAll(stdout, lines.toUtf8());
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
