#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class IniFile;
class TTLDInfoList;

// Tick flags packed five to a character: the first flag of a group is its highest bit,
// values 0..25 are written "A".."Z" and 26..31 "!".."&". A short last group is a
// number of as many bits as it has flags.
QString PackCheckStates(const QList<bool>& flags);

// Hands the packed flags to `flags` in order; entries beyond the end of the text keep
// the flag they had. Characters outside both ranges read as 0.
void UnpackCheckStates(const QString& packed, QList<bool>& flags);

// Reads key "Item" of `section` ("Checked"); a missing key reads as "Q".
void UnpackCheckStates(const IniFile& settings, QList<bool>& flags, const QString& section);

// The ticks of the entries whose TLDs are `tlds` (in list order), from section "Checked".
// Beside the packed "Item", key "TLDs" names the TLD of each of its positions, so each tick
// goes to its TLD wherever the list now puts it (the n-th entry of a TLD takes the n-th
// tick of that TLD): a list that gained or lost TLDs since moves nobody's tick. A file
// without the names, or whose names do not fit "Item", is read by position as before:
// when its length fits `positionalCount` entries (the list a file of an earlier version
// was written for) "Item" covers those and the entries after them come unticked, else
// it covers the list as it is.
QList<bool> ReadCheckStates(const IniFile& settings, const QStringList& tlds, qsizetype positionalCount);

// The Checked flags of every entry, in list order.
QList<bool> CheckStatesOf(const TTLDInfoList& list);

// Writes the Checked flags of every entry into Settings.dat at `settingsPath`, section
// "Checked": key "Item" packed, key "TLDs" the entries' TLDs, comma-separated, in the same
// order. Returns false when the file could not be written.
bool SaveCheckStates(const QString& settingsPath, const TTLDInfoList& list);
