#pragma once
#include <QString>

class IniFile;

// Settings.dat holds the proxy password as typed, so it is kept readable by its owner only.
bool SaveSettingsFile(IniFile& settings);

inline const char* SettingsFileName() { return "Settings.dat"; }
