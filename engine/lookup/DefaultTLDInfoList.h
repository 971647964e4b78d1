#pragma once
#include <QList>

class BuiltinTables;
class TTLDInfoList;

// Fills `list` afresh with one entry per line of the built-in TLDs table, in table
// order: TLD "." + key, the line's first (default) server and that server's phrase.
// Entry k is ticked when checkStates[k] is true; a missing state means not ticked.
// Duplicate keys make duplicate entries.
void BuildDefaultTLDInfoList(const BuiltinTables& tables, TTLDInfoList& list, const QList<bool>& checkStates);
