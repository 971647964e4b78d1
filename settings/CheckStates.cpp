#include "settings/CheckStates.h"
#include "engine/lookup/TLDInfoList.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"
#include <QHash>
#include <algorithm>

namespace {

const QString kTLDsKey = QStringLiteral("TLDs");   // the TLD of each position of "Item"

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

QList<bool> ReadCheckStates(const IniFile& settings, const QStringList& tlds, qsizetype positionalCount)
{
    const QString section = QStringLiteral("Checked");
    const QString packed = settings.ReadString(section, QStringLiteral("Item"), QStringLiteral("Q"));
    const QStringList names = settings.ReadString(section, kTLDsKey, QString()).split(QLatin1Char(','), Qt::SkipEmptyParts);
    QList<bool> ticks(tlds.size(), false);
    // The names fit when "Item" holds exactly one character per five of them.
    if (!names.isEmpty() && (names.size() + 4) / 5 == packed.size()) {
        QList<bool> saved(names.size(), false);
        UnpackCheckStates(packed, saved);
        QHash<QString, QList<bool>> savedByTld;   // per lower-cased TLD, in saved order
        for (qsizetype i = 0; i < names.size(); ++i)
            savedByTld[names[i].trimmed().toLower()].append(saved[i]);
        QHash<QString, int> seen;
        for (qsizetype i = 0; i < tlds.size(); ++i) {
            const QString key = tlds[i].toLower();
            ticks[i] = savedByTld.value(key).value(seen[key]++, false);
        }
        return ticks;
    }
    // One flag per entry of the list "Item" was written for, so its short last group reads
    // as written: the list the file was made for when the length fits it, else this one.
    const qsizetype written = (positionalCount + 4) / 5 == packed.size() ? positionalCount : tlds.size();
    QList<bool> positional(qBound<qsizetype>(0, written, tlds.size()), false);
    UnpackCheckStates(packed, positional);
    std::copy(positional.cbegin(), positional.cend(), ticks.begin());
    return ticks;
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
    QStringList tlds;
    tlds.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        tlds.append(list.At(i).TLD);
    settings.WriteString(QStringLiteral("Checked"), QStringLiteral("Item"), PackCheckStates(CheckStatesOf(list)));
    settings.WriteString(QStringLiteral("Checked"), kTLDsKey, tlds.join(QLatin1Char(',')));
    return SaveSettingsFile(settings);
}
