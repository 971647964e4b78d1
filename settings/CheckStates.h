#pragma once
#include <QList>
#include <QString>

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

// The Checked flags of every entry, in list order.
QList<bool> CheckStatesOf(const TTLDInfoList& list);

// Writes the Checked flags of every entry into Settings.dat at `settingsPath`,
// section "Checked", key "Item". Returns false when the file could not be written.
bool SaveCheckStates(const QString& settingsPath, const TTLDInfoList& list);
