#pragma once
#include <QString>
#include <QStringList>

class IniFile;

// A string list kept as keys Item0, Item1, ... of one section, with no count key.
// Writing leaves keys of an older, longer list in place: callers erase the section first.
void WriteItemList(IniFile& settings, const QStringList& list, const QString& section);

// Clears `list`, then reads Item0, Item1, ... up to the first missing or empty item,
// lowering each text when `lowerCase` is set.
void ReadItemList(const IniFile& settings, QStringList& list, const QString& section, bool lowerCase);
