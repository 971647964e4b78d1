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
    const LookupVerdict verdict = JudgeReply(lines, QString::fromUtf8(match).toUpper());
    // A reserved name is told by the reply line that says so.
    if (verdict == LookupVerdict::Reserved && ReplyVerdictReason(verdict, QString(), lines).isEmpty())
        __builtin_trap();
    return 0;
}
