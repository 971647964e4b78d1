#pragma once
#include <QString>

class IniFile;

inline const char* SettingsFileName() { return "Settings.dat"; }

// Reads Settings.dat at `path` for an update. Returns false when the file exists but
// cannot be read: writing it back would then replace everything it holds by the few
// keys of the update, so the caller must not save.
bool OpenSettingsFile(IniFile& settings, const QString& path);

// Settings.dat holds the proxy password as typed, so it is kept readable by its owner only.
bool SaveSettingsFile(IniFile& settings);
