#include "cli/SettingsOverlay.h"
#include "engine/MainOptions.h"
#include "platform/ProgramFolder.h"
#include "settings/MainOptionsFile.h"
#include "settings/SettingsFile.h"
#include <QFile>
#include <QRegularExpression>
#include <limits>

namespace {

// What a key holds, and so which values --set accepts for it.
enum class Holds { Text, Tick, Number, Choice };

struct KeyRule {
    const char* key;
    Holds holds = Holds::Text;
    int minimum = 0;
    int maximum = 0;
    const char* choices = nullptr;   // Choice: the indexes with their meaning
};

struct SectionKeys {
    const char* section;
    QList<KeyRule> keys;
};

constexpr KeyRule tick(const char* key) { return {key, Holds::Tick}; }
constexpr KeyRule number(const char* key, int minimum, int maximum) { return {key, Holds::Number, minimum, maximum}; }

// Every key of Settings.dat, by section, with the values the window can give it (its spin
// boxes' ranges). The item-list sections hold Item0, Item1, ... of text.
const QList<SectionKeys>& knownKeys()
{
    static const QList<SectionKeys> keys = {
        {"Options", {{"SingleSearch"}, number("TLDSingle", -1, std::numeric_limits<int>::max()), tick("DictCheck"),
                     tick("NumbersCheck"), tick("CustomListCheck"), tick("WordListCheck"), tick("SoundexCheck"),
                     tick("AutoSave"), {"AutoSaveTo"}}},
        {"Wordlist", {{"Word1"}, {"Word2"}, {"Word3"}, {"Word4"}, tick("MinusCheck")}},
        {"Dict", {tick("DictRange"), {"DictFrom"}, {"DictTo"}, tick("MinusCheck"), tick("WordLengthCheck"),
                  number("WordLengthFrom", 1, 22), number("WordLengthTo", 1, 50)}},
        {"Number", {number("NumberFrom", 0, 9999999), number("NumberTo", 0, 9999999), tick("NumberUsePrefix"),
                    tick("NumberUseSuffix"), {"NumberRangePre"}, {"NumberRangeSuf"}}},
        {"Soundex", {{"Text"}}},
        {"CustomList", {{"UseList"}, {"SepCombo", Holds::Choice, 0, 2, "0 (New Line), 1 (Comma) or 2 (Semi-colon)"}}},
        {"Checked", {{"Item"}}},
        {"Cache", {number("IECache", 1, 120)}},
        {"Proxy", {{"Username"}, {"Password"}, {"Server"}, tick("ProxyEnabled"), number("Port", -1, 65535)}},
        {"Lookup", {tick("RDAP"), number("Parallel", 1, 64), number("PerServer", 1, 8), tick("DNSPrecheck"), number("Timeout", 1, 120), tick("SelfCheck")}},
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

// The key's rule, and the section's name as Settings.dat writes it; none for a key the
// file cannot hold (or one of an item list).
const KeyRule* ruleOf(const QString& section, const QString& key, const char** sectionName = nullptr)
{
    for (const SectionKeys& s : knownKeys()) {
        if (section.compare(QLatin1String(s.section), Qt::CaseInsensitive) != 0)
            continue;
        for (const KeyRule& rule : s.keys) {
            if (key.compare(QLatin1String(rule.key), Qt::CaseInsensitive) != 0)
                continue;
            if (sectionName)
                *sectionName = s.section;
            return &rule;
        }
    }
    return nullptr;
}

// What is wrong with `value` for the key, in words ("takes 0 or 1"), or an empty text.
QString valueError(const KeyRule& rule, const QString& value)
{
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]{1,10}$"));
    const QString v = value.trimmed();
    const qint64 n = wholeNumber.match(v).hasMatch() ? v.toLongLong() : std::numeric_limits<qint64>::min();
    switch (rule.holds) {
    case Holds::Text:
        return QString();
    case Holds::Tick:
        return v == QLatin1String("0") || v == QLatin1String("1") ? QString() : QStringLiteral("is a tick box and takes 0 or 1");
    case Holds::Number:
        if (n >= rule.minimum && n <= rule.maximum)
            return QString();
        return QStringLiteral("takes a whole number from %1 to %2").arg(rule.minimum).arg(rule.maximum);
    case Holds::Choice:
        if (n >= rule.minimum && n <= rule.maximum)
            return QString();
        return QStringLiteral("is a choice and takes %1").arg(QLatin1String(rule.choices));
    }
    return QString();
}

} // namespace

bool IsSettingsKey(const QString& section, const QString& key)
{
    if (isItemListSection(section)) {
        static const QRegularExpression item(QStringLiteral("^item[0-9]+$"), QRegularExpression::CaseInsensitiveOption);
        return item.match(key).hasMatch();
    }
    return ruleOf(section, key) != nullptr;
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
        const char* section = nullptr;
        if (const KeyRule* rule = ruleOf(o.section, o.key, &section)) {
            if (const QString why = valueError(*rule, o.value); !why.isEmpty()) {
                overlay.error = QStringLiteral("--set: %1/%2 %3, not '%4'")
                                    .arg(QLatin1String(section), QLatin1String(rule->key), why, o.value);
                return overlay;
            }
            // A number goes in without the blanks around it.
            if (rule->holds != Holds::Text) {
                overlay.settings.WriteString(o.section, o.key, o.value.trimmed());
                continue;
            }
        }
        overlay.settings.WriteString(o.section, o.key, o.value);
    }
    return overlay;
}
