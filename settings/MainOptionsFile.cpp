#include "settings/MainOptionsFile.h"
#include "platform/ProgramFolder.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

namespace {
const QString kOptions = QStringLiteral("Options");
const QString kWordlist = QStringLiteral("Wordlist");
const QString kDict = QStringLiteral("Dict");
const QString kNumber = QStringLiteral("Number");
const QString kSoundex = QStringLiteral("Soundex");
const QString kCustomList = QStringLiteral("CustomList");

QString wordKey(int i)
{
    return QStringLiteral("Word") + QString::number(i + 1);
}
} // namespace

void SaveMainOptions(const QString& settingsPath, const MainOptions& options)
{
    IniFile s;
    if (!OpenSettingsFile(s, settingsPath))
        return;
    WriteMainOptions(s, options);
    SaveSettingsFile(s);
}

void WriteMainOptions(IniFile& s, const MainOptions& o)
{
    s.WriteString(kOptions, QStringLiteral("SingleSearch"), o.SingleEdit);
    s.WriteInteger(kOptions, QStringLiteral("TLDSingle"), o.TLDComboIndex);
    s.WriteBool(kOptions, QStringLiteral("DictCheck"), o.DictCheck);
    s.WriteBool(kOptions, QStringLiteral("NumbersCheck"), o.NumbersCheck);
    s.WriteBool(kOptions, QStringLiteral("CustomListCheck"), o.CustomListCheck);
    s.WriteBool(kOptions, QStringLiteral("WordListCheck"), o.WordlistCheck);
    s.WriteBool(kOptions, QStringLiteral("SoundexCheck"), o.SoundexCheck);
    s.WriteBool(kOptions, QStringLiteral("AutoSave"), o.SaveCheck);
    s.WriteString(kOptions, QStringLiteral("AutoSaveTo"), o.AutoSaveEdit);
    for (int i = 0; i < 4; ++i)
        s.WriteString(kWordlist, wordKey(i), o.Wordlist[i]);
    s.WriteBool(kWordlist, QStringLiteral("MinusCheck"), o.WordMinusCheck);
    s.WriteBool(kDict, QStringLiteral("DictRange"), o.DictRadio1);
    s.WriteString(kDict, QStringLiteral("DictFrom"), o.DictFromEdit);
    s.WriteString(kDict, QStringLiteral("DictTo"), o.DictToEdit);
    s.WriteBool(kDict, QStringLiteral("MinusCheck"), o.MinusCheck);
    s.WriteBool(kDict, QStringLiteral("WordLengthCheck"), o.WordLengthCheck);
    s.WriteInteger(kDict, QStringLiteral("WordLengthFrom"), o.WordLength1);
    s.WriteInteger(kDict, QStringLiteral("WordLengthTo"), o.WordLength2);
    s.WriteInteger(kNumber, QStringLiteral("NumberFrom"), o.NumberFrom);
    s.WriteInteger(kNumber, QStringLiteral("NumberTo"), o.NumberTo);
    s.WriteBool(kNumber, QStringLiteral("NumberUsePrefix"), o.RangeCheck1);
    s.WriteBool(kNumber, QStringLiteral("NumberUseSuffix"), o.RangeCheck2);
    s.WriteString(kNumber, QStringLiteral("NumberRangePre"), o.RangePre);
    s.WriteString(kNumber, QStringLiteral("NumberRangeSuf"), o.RangeSuf);
    s.WriteString(kSoundex, QStringLiteral("Text"), o.SoundexEdit);
    s.WriteString(kCustomList, QStringLiteral("UseList"), o.UseList);
    s.WriteInteger(kCustomList, QStringLiteral("SepCombo"), o.SepCombo);
}

bool LoadMainOptions(const QString& settingsPath, const QString& resultsFolder, MainOptions& options)
{
    IniFile s;
    if (!s.Load(settingsPath))
        return false;
    LoadMainOptions(s, resultsFolder, options);
    return true;
}

void LoadMainOptions(const IniFile& s, const QString& resultsFolder, MainOptions& o)
{
    o.SingleEdit = s.ReadString(kOptions, QStringLiteral("SingleSearch"), QStringLiteral("yournewwebsite"));
    o.TLDComboIndex = s.ReadInteger(kOptions, QStringLiteral("TLDSingle"), 0);
    o.DictCheck = s.ReadBool(kOptions, QStringLiteral("DictCheck"), false);
    o.NumbersCheck = s.ReadBool(kOptions, QStringLiteral("NumbersCheck"), false);
    o.CustomListCheck = s.ReadBool(kOptions, QStringLiteral("CustomListCheck"), false);
    o.WordlistCheck = s.ReadBool(kOptions, QStringLiteral("WordListCheck"), false);
    o.SoundexCheck = s.ReadBool(kOptions, QStringLiteral("SoundexCheck"), false);
    for (int i = 0; i < 4; ++i)
        o.Wordlist[i] = s.ReadString(kWordlist, wordKey(i), QString());
    o.WordMinusCheck = s.ReadBool(kWordlist, QStringLiteral("MinusCheck"), false);
    o.SoundexEdit = s.ReadString(kSoundex, QStringLiteral("Text"), QString());
    o.SaveCheck = s.ReadBool(kOptions, QStringLiteral("AutoSave"), false);
    o.AutoSaveEdit = s.ReadString(kOptions, QStringLiteral("AutoSaveTo"), ProgramFile(resultsFolder, QStringLiteral("Tarnwick.txt")));
    o.DictRadio1 = s.ReadBool(kDict, QStringLiteral("DictRange"), true);
    o.DictFromEdit = s.ReadString(kDict, QStringLiteral("DictFrom"), QStringLiteral("AA"));
    o.DictToEdit = s.ReadString(kDict, QStringLiteral("DictTo"), QStringLiteral("ZYMOLOGY"));
    o.MinusCheck = s.ReadBool(kDict, QStringLiteral("MinusCheck"), false);
    o.WordLengthCheck = s.ReadBool(kDict, QStringLiteral("WordLengthCheck"), false);
    o.WordLength1 = s.ReadInteger(kDict, QStringLiteral("WordLengthFrom"), 1);
    o.WordLength2 = s.ReadInteger(kDict, QStringLiteral("WordLengthTo"), 22);
    o.NumberFrom = s.ReadInteger(kNumber, QStringLiteral("NumberFrom"), 0);
    o.NumberTo = s.ReadInteger(kNumber, QStringLiteral("NumberTo"), 9);
    o.RangeCheck1 = s.ReadBool(kNumber, QStringLiteral("NumberUsePrefix"), false);
    o.RangeCheck2 = s.ReadBool(kNumber, QStringLiteral("NumberUseSuffix"), false);
    o.RangePre = s.ReadString(kNumber, QStringLiteral("NumberRangePre"), QString());
    o.RangeSuf = s.ReadString(kNumber, QStringLiteral("NumberRangeSuf"), QString());
    o.UseList = s.ReadString(kCustomList, QStringLiteral("UseList"), QString());
    o.SepCombo = s.ReadInteger(kCustomList, QStringLiteral("SepCombo"), 0);
}

MainOptions RestoreMainDefaults(const MainOptions& current, const QString& resultsFolder)
{
    MainOptions o = current;
    o.SingleEdit = QStringLiteral("yournewwebsite");
    o.TLDComboIndex = 0;
    o.DictCheck = true;
    o.NumbersCheck = false;
    o.CustomListCheck = false;
    o.SoundexCheck = false;
    for (auto& w : o.Wordlist)
        w.clear();
    o.WordMinusCheck = false;
    o.SoundexEdit.clear();
    o.SaveCheck = false;
    o.AutoSaveEdit = ProgramFile(resultsFolder, QStringLiteral("Tarnwick.txt"));
    o.DictRadio1 = true;
    o.DictFromEdit = QStringLiteral("AA");
    o.DictToEdit = QStringLiteral("ZYMOLOGY");
    o.MinusCheck = false;
    o.WordLengthCheck = false;
    o.WordLength1 = 1;
    o.WordLength2 = 22;
    o.NumberFrom = 0;
    o.NumberTo = 9;
    o.RangeCheck1 = false;
    o.RangeCheck2 = false;
    o.RangePre.clear();
    o.RangeSuf.clear();
    o.UseList.clear();
    o.SepCombo = 0;
    return o;
}

void SaveMainOptions(const ISearchView& view, const QString& programFolder)
{
    SaveMainOptions(ProgramFile(programFolder, QLatin1String(SettingsFileName())), view.options());
}

void LoadMainOptions(ISearchView& view, const QString& programFolder)
{
    MainOptions options = view.options();
    if (LoadMainOptions(ProgramFile(programFolder, QLatin1String(SettingsFileName())), programFolder, options))
        view.applyOptions(options);
}

void RestoreMainDefaults(ISearchView& view, const QString& programFolder)
{
    view.applyOptions(RestoreMainDefaults(view.options(), programFolder));
}
