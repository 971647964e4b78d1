#include "settings/SettingsFile.h"
#include "settings/IniFile.h"

bool SaveSettingsFile(IniFile& settings)
{
    return settings.Save(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
