// A server reply: cut into lines and judged against a match text.
#include "FuzzInput.h"
#include "engine/lookup/ReplyJudge.h"
#include "engine/lookup/ReplyLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [match, reply] = SplitAtZero(data, size);
    const QStringList lines = CutReplyIntoLines(reply);
    for (const QString& line : lines)
        for (QChar c : line)
            if (c.unicode() < 32 || c.unicode() > 125)
                __builtin_trap();
    JudgeReply(lines, QString::fromUtf8(match).toUpper());
    return 0;
}
