#include "settings/SettingsFile.h"
#include "settings/IniFile.h"

bool OpenSettingsFile(IniFile& settings, const QString& path)
{
    return settings.Load(path) || !settings.existed();
}

bool SaveSettingsFile(IniFile& settings)
{
    return settings.Save(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
