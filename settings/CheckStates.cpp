#include "settings/CheckStates.h"
#include "engine/lookup/TLDInfoList.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace {

QChar encodeGroup(int value)
{
    return QChar(value <= 25 ? value + 65 : value + 7);
}

int decodeGroup(QChar c)
{
    const int code = c.unicode();
    if (code >= 'A' && code <= 'Z')
        return code - 65;
    if (code >= 32 && code <= 40)
        return code - 7;
    return 0;
}

} // namespace

QString PackCheckStates(const QList<bool>& flags)
{
    QString packed;
    for (qsizetype start = 0; start < flags.size(); start += 5) {
        int value = 0;
        for (qsizetype i = start; i < flags.size() && i < start + 5; ++i)
            value = value * 2 + (flags[i] ? 1 : 0);
        packed += encodeGroup(value);
    }
    return packed;
}

void UnpackCheckStates(const QString& packed, QList<bool>& flags)
{
    qsizetype next = 0;
    for (QChar c : packed) {
        if (next >= flags.size())
            break;
        const int value = decodeGroup(c);
        const int width = static_cast<int>(qMin<qsizetype>(5, flags.size() - next));
        for (int bit = width - 1; bit >= 0; --bit)
            flags[next++] = ((value >> bit) & 1) != 0;
    }
}

void UnpackCheckStates(const IniFile& settings, QList<bool>& flags, const QString& section)
{
    UnpackCheckStates(settings.ReadString(section, QStringLiteral("Item"), QStringLiteral("Q")), flags);
}

QList<bool> CheckStatesOf(const TTLDInfoList& list)
{
    QList<bool> flags;
    flags.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        flags.append(list.At(i).Checked);
    return flags;
}

bool SaveCheckStates(const QString& settingsPath, const TTLDInfoList& list)
{
    IniFile settings;
    if (!OpenSettingsFile(settings, settingsPath))
        return false;
    settings.WriteString(QStringLiteral("Checked"), QStringLiteral("Item"), PackCheckStates(CheckStatesOf(list)));
    return SaveSettingsFile(settings);
}
