#pragma once
#include "settings/AdvancedSettingsFile.h"

class TMainForm;
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

// Empties TLDInfoList and TLDCombo, builds the server-assignment tree (Config.dat or the
// built-in tables) and from it TLDInfoList and TLDCombo, then brings the main window
// into line: the four quick ticks from entries 0 to 3 with DomainCheckClickCheck bound
// to them, the saved single-search TLD selected, and one DomainCheckClickCheck, which
// counts the ticked TLDs and writes section "Checked".
void BuildTLDsAtStartup(TMisc1& engine, TServerAssignment& assignment, TMainForm& mainForm);

// The proxy warning after the main window is shown, when the system's proxy differs
// from the one in `settings`.
void WarnAboutProxyAtStartup(TMisc1& engine, const AdvancedSettings& settings, TMainForm& mainForm);
