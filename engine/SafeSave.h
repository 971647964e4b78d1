#pragma once
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>
#include <functional>
#include <optional>

// Replaces the whole content of a file so that a failure at any step (the disk full, the
// folder read-only, the program killed) leaves the previous file exactly as it was: the
// bytes go to a temporary file beside it, which is renamed over the old one only when
// everything was written. False when any step fails; no temporary file stays behind.
bool SaveFileAtomically(const QString& path, QByteArrayView bytes,
                        std::optional<QFileDevice::Permissions> permissions = std::nullopt);

// Test seam: called with each step of a save ("open", "write", "commit"); returning false
// makes that step fail as a failing disk would (a failed "write" has written half the
// bytes). An empty hook lets every step through.
using SaveFaultHook = std::function<bool(const char* step)>;
void SetSaveFaultHook(SaveFaultHook hook);
