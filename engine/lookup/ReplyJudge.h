#pragma once
#include "engine/lookup/LookupVerdict.h"
#include <QStringList>

// The verdict on a reply that a server gave, its lines joined (each followed by CR LF) and
// upper-cased:
//   Reserved    when it says that the registry holds the name back (a text of
//               data/reserved.txt: "not available for registration", "Status: reserved",
//               ...), looked for first, since such a reply may hold the free phrase too;
//   Free        when the upper-cased match text occurs anywhere in it;
//   ServerError when it holds "Error WSAHOST_NOT_FOUND" in exactly that case;
//   Taken       otherwise.
// A run of blanks (a TAB is a blank, see CutReplyIntoLines) in a text looked for matches
// any run of blanks in the reply. An empty match text never makes a name free.
LookupVerdict JudgeReply(const QStringList& reply, const QString& upperMatchText);

// What decided a verdict on a reply, in words: whether the phrase `matchText` was found,
// the host-name error, or for a reserved name the registry's own words (the reply line
// that says so).
QString ReplyVerdictReason(LookupVerdict verdict, const QString& matchText, const QStringList& reply = {});
