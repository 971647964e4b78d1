#pragma once
#include "engine/lookup/LookupVerdict.h"
#include <QStringList>

// The verdict on a reply that a server gave: Free when the upper-cased match text occurs
// anywhere in the reply (its lines joined, each followed by CR LF, upper-cased), else
// ServerError when the reply holds "Error WSAHOST_NOT_FOUND" in exactly that case, else
// Taken. An empty match text never makes a name free.
LookupVerdict JudgeReply(const QStringList& reply, const QString& upperMatchText);

// What decided a verdict on a reply, in words: whether the phrase `matchText` was found,
// or the host-name error.
QString ReplyVerdictReason(LookupVerdict verdict, const QString& matchText);
