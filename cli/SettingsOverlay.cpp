#include "cli/SettingsOverlay.h"
#include "engine/MainOptions.h"
#include "platform/ProgramFolder.h"
#include "settings/MainOptionsFile.h"
#include "settings/SettingsFile.h"
#include <QFile>
#include <QRegularExpression>

namespace {

struct SectionKeys {
    const char* section;
    QStringList keys;
};

// Every key of Settings.dat, by section. The item-list sections hold Item0, Item1, ...
const QList<SectionKeys>& knownKeys()
{
    static const QList<SectionKeys> keys = {
        {"Options", {"SingleSearch", "TLDSingle", "DictCheck", "NumbersCheck", "CustomListCheck", "WordListCheck",
                     "SoundexCheck", "AutoSave", "AutoSaveTo"}},
        {"Wordlist", {"Word1", "Word2", "Word3", "Word4", "MinusCheck"}},
        {"Dict", {"DictRange", "DictFrom", "DictTo", "MinusCheck", "WordLengthCheck", "WordLengthFrom", "WordLengthTo"}},
        {"Number", {"NumberFrom", "NumberTo", "NumberUsePrefix", "NumberUseSuffix", "NumberRangePre", "NumberRangeSuf"}},
        {"Soundex", {"Text"}},
        {"CustomList", {"UseList", "SepCombo"}},
        {"Checked", {"Item"}},
        {"Cache", {"IECache"}},
        {"Proxy", {"Username", "Password", "Server", "ProxyEnabled", "Port"}},
        {"Lookup", {"RDAP", "Parallel", "PerServer", "DNSPrecheck"}},
    };
    return keys;
}

bool isItemListSection(const QString& section)
{
    for (const char* name : {"NewServer", "NewMatch", "NewDomain", "AssignedFirst"})
        if (section.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

bool IsSettingsKey(const QString& section, const QString& key)
{
    if (isItemListSection(section)) {
        static const QRegularExpression item(QStringLiteral("^item[0-9]+$"), QRegularExpression::CaseInsensitiveOption);
        return item.match(key).hasMatch();
    }
    for (const SectionKeys& s : knownKeys())
        if (section.compare(QLatin1String(s.section), Qt::CaseInsensitive) == 0)
            return s.keys.contains(key, Qt::CaseInsensitive);
    return false;
}

SettingsOverlay SettingsOverlay::Load(const FileLocations& locations, const QList<SettingOverride>& overrides)
{
    SettingsOverlay overlay;
    QFile file(locations.SettingsFile(QString::fromLatin1(SettingsFileName())));
    overlay.fileExists = file.exists();
    if (overlay.fileExists) {
        // A file that cannot be read gives every key its default, as the window would.
        overlay.fileReadable = file.open(QIODevice::ReadOnly);
        if (overlay.fileReadable)
            overlay.settings.FromBytes(file.readAll());
    } else {
        // Without a file the window shows its first-start values; writing them into the
        // document lets a --set value replace any one of them and leaves the rest alone.
        WriteMainOptions(overlay.settings, FirstStartOptions(locations.resultsFolder));
    }

    for (const SettingOverride& o : overrides) {
        if (!IsSettingsKey(o.section, o.key)) {
            overlay.error = QStringLiteral("--set: Settings.dat has no key %1/%2").arg(o.section, o.key);
            return overlay;
        }
        overlay.settings.WriteString(o.section, o.key, o.value);
    }
    return overlay;
}
