#pragma once
#include "settings/AdvancedSettingsFile.h"
#include <functional>

class TMisc1;
class TServerAssignment;

// Start-up work that belongs to the advanced dialog's creation, kept apart from the
// dialog so that the main window is complete before the dialog exists. The dialog's
// FormCreate calls these in this order (main.cpp does so until the dialog is there).

// Reads the advanced part of Settings.dat when the file exists: the user's servers,
// match texts and domains into the engine (lowered where the file keeps them so), the
// cache age into the taken-list cache, the proxy and credentials into the HTTP client.
// A file that cannot be read shows "Error loading settings" and leaves the defaults.
// `settings` receives what was read, for the dialog's boxes.
void LoadAdvancedSettingsAtStartup(TMisc1& engine, AdvancedSettings& settings);

// Empties TLDInfoList and builds the server-assignment tree (Config.dat or the built-in
// tables) and from it TLDInfoList. The main window's TLD box takes the assignment's
// TLDBoxItems, and its quick ticks the first entries of TLDInfoList (see WindowWiring).
void BuildTLDsAtStartup(TMisc1& engine, TServerAssignment& assignment);

// The proxy warning after `showMainWindow`, when the system's proxy differs from the one
// in `settings`.
void WarnAboutProxyAtStartup(TMisc1& engine, const AdvancedSettings& settings, const std::function<void()>& showMainWindow);
