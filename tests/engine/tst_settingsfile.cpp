// Settings.dat: packed tick states, item lists, the main window's options and the
// advanced dialog's sections, written and read back through real files.
#include "engine/lookup/TLDInfoList.h"
#include "engine/SafeSave.h"
#include "settings/AdvancedSettingsFile.h"
#include "settings/CheckStates.h"
#include "settings/IniFile.h"
#include "settings/ItemLists.h"
#include "settings/MainOptionsFile.h"
#include "../support/FakeSearchView.h"
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QList<bool> flagsFrom(const QString& pattern)   // "1" ticked, "0" not
{
    QList<bool> flags;
    for (QChar c : pattern)
        flags.append(c == QLatin1Char('1'));
    return flags;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every option away from its load default, so that a key read from the wrong place shows.
MainOptions unusualOptions()
{
    MainOptions o;
    o.SingleEdit = "my-name";
    o.TLDComboIndex = 3;
    o.DictCheck = true;
    o.NumbersCheck = true;
    o.CustomListCheck = true;
    o.WordlistCheck = true;
    o.SoundexCheck = true;
    o.SaveCheck = true;
    o.AutoSaveEdit = "/tmp/results, with comma.txt";
    o.Wordlist[0] = "one";
    o.Wordlist[1] = "two";
    o.Wordlist[2] = "three";
    o.Wordlist[3] = "four";
    o.WordMinusCheck = true;
    o.DictRadio1 = false;
    o.DictFromEdit = "BEE";
    o.DictToEdit = "CAT";
    o.MinusCheck = true;
    o.WordLengthCheck = true;
    o.WordLength1 = 4;
    o.WordLength2 = 9;
    o.NumberFrom = -20;
    o.NumberTo = 123456;
    o.RangeCheck1 = true;
    o.RangeCheck2 = true;
    o.RangePre = "pre";
    o.RangeSuf = "suf";
    o.SoundexEdit = "fone";
    o.UseList = "/home/me/names.txt";
    o.SepCombo = 2;
    return o;
}

MainOptions loadDefaults(const QString& folder)
{
    MainOptions o;
    o.SingleEdit = "yournewwebsite";
    o.TLDComboIndex = 0;
    o.AutoSaveEdit = folder + "/Tarnwick.txt";
    o.DictRadio1 = true;
    o.DictFromEdit = "AA";
    o.DictToEdit = "ZYMOLOGY";
    o.WordLength1 = 1;
    o.WordLength2 = 22;
    o.NumberFrom = 0;
    o.NumberTo = 9;
    return o;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    // --- Packed tick states ---------------------------------------------------------

    void packing_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("packed");
        QTest::newRow("empty list") << "" << "";
        QTest::newRow("five clear") << "00000" << "A";
        QTest::newRow("first only") << "10000" << "Q";
        QTest::newRow("five set") << "11111" << "&";
        QTest::newRow("seven, last two set") << "0000011" << "AD";
        QTest::newRow("value 25 is Z") << "11001" << "Z";
        QTest::newRow("value 26 is !") << "11010" << "!";
        QTest::newRow("short group of one") << "000001" << "AB";
        QTest::newRow("short group of four") << "111111111" << "&P";
        QTest::newRow("one flag") << "1" << "B";
    }
    void packing()
    {
        QFETCH(QString, flags);
        QFETCH(QString, packed);
        QCOMPARE(PackCheckStates(flagsFrom(flags)), packed);
        QList<bool> back(flags.size(), false);
        UnpackCheckStates(packed, back);
        QCOMPARE(back, flagsFrom(flags));
    }

    void everyLengthRoundTrips()
    {
        QRandomGenerator random(20240601);
        for (int length = 0; length <= 23; ++length) {
            for (int round = 0; round < 20; ++round) {
                QList<bool> flags;
                for (int i = 0; i < length; ++i)
                    flags.append(random.bounded(2) == 1);
                const QString packed = PackCheckStates(flags);
                QCOMPARE(packed.size(), (length + 4) / 5);
                for (QChar c : packed)
                    QVERIFY(c.isUpper() || (c >= QLatin1Char('!') && c <= QLatin1Char('&')));
                QList<bool> back(length, false);
                UnpackCheckStates(packed, back);
                QCOMPARE(back, flags);
            }
        }
    }

    void unpackingLeavesWhatTheTextDoesNotReach()
    {
        QList<bool> flags(8, true);
        UnpackCheckStates("A", flags);   // five flags cleared, three keep theirs
        QCOMPARE(flags, flagsFrom("00000111"));

        QList<bool> shortList(2, false);
        UnpackCheckStates("&&&&", shortList);   // the text is longer than the list
        QCOMPARE(shortList, flagsFrom("11"));
    }

    void unpackingOddCharacters_data()
    {
        QTest::addColumn<QString>("packed");
        QTest::addColumn<QString>("flags");
        QTest::newRow("blank reads as 25") << " " << "11001";
        QTest::newRow("( reads as 33, low five bits") << "(" << "00001";
        QTest::newRow("lower-case letter reads as 0") << "q" << "00000";
        QTest::newRow("digit reads as 0") << "7" << "00000";
        QTest::newRow("non-ASCII reads as 0") << QString::fromUtf8("é") << "00000";
    }
    void unpackingOddCharacters()
    {
        QFETCH(QString, packed);
        QFETCH(QString, flags);
        QList<bool> result(5, true);
        UnpackCheckStates(packed, result);
        QCOMPARE(result, flagsFrom(flags));
    }

    void checkedSectionDefaults()
    {
        IniFile missing;
        QList<bool> flags(7, false);
        UnpackCheckStates(missing, flags, "Checked");
        QCOMPARE(flags, flagsFrom("1000000"));

        IniFile empty;
        empty.FromBytes("[Checked]\r\nItem=\r\n");
        QList<bool> cleared(7, false);
        UnpackCheckStates(empty, cleared, "Checked");
        QCOMPARE(cleared, flagsFrom("0000000"));
    }

    void savedTicksComeBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        writeFile(path, "[Options]\r\nSingleSearch=kept\r\n");
        TTLDInfoList list;
        for (int i = 0; i < 12; ++i)
            list.Add(QStringLiteral(".t%1").arg(i), "whois.example", "No Match", i % 3 == 0);
        QVERIFY(SaveCheckStates(path, list));
        IniFile reread(path);
        QCOMPARE(reread.ReadString("Options", "SingleSearch", ""), QString("kept"));
        QList<bool> flags(12, false);
        UnpackCheckStates(reread, flags, "Checked");
        QCOMPARE(flags, CheckStatesOf(list));
    }

    // --- Item lists ---------------------------------------------------------------------

    void itemListStopsAtFirstEmptyItem()
    {
        IniFile s;
        s.FromBytes("[NewServer]\r\nItem0=Whois.First.COM\r\nItem1=\r\nItem2=whois.third.com\r\n");
        QStringList list{"left over"};
        ReadItemList(s, list, "NewServer", true);
        QCOMPARE(list, QStringList{"whois.first.com"});
        ReadItemList(s, list, "NewServer", false);
        QCOMPARE(list, QStringList{"Whois.First.COM"});
        ReadItemList(s, list, "NoSuchSection", false);
        QVERIFY(list.isEmpty());
    }

    void itemListStopsAtAGap()
    {
        IniFile s;
        s.FromBytes("[NewDomain]\r\nItem1=.second\r\nItem0=.first\r\nItem3=.fourth\r\n");
        QStringList list;
        ReadItemList(s, list, "NewDomain", true);
        QCOMPARE(list, (QStringList{".first", ".second"}));
    }

    // --- Main options ---------------------------------------------------------------------

    void mainOptionsRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        const MainOptions saved = unusualOptions();
        SaveMainOptions(path, saved);
        MainOptions loaded = FirstStartOptions(dir.path());
        QVERIFY(LoadMainOptions(path, dir.path(), loaded));
        loaded.TLDComboText = saved.TLDComboText;   // the box's text follows the index
        QCOMPARE(loaded, saved);
    }

    void prefixAndSuffixStayApart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        MainOptions o = FirstStartOptions(dir.path());
        o.RangeCheck1 = true;
        o.RangePre = "front";
        o.RangeCheck2 = false;
        o.RangeSuf = "back";
        SaveMainOptions(path, o);
        IniFile file(path);
        QCOMPARE(file.ReadString("Number", "NumberRangePre", ""), QString("front"));
        QCOMPARE(file.ReadString("Number", "NumberRangeSuf", ""), QString("back"));
        MainOptions loaded;
        QVERIFY(LoadMainOptions(path, dir.path(), loaded));
        QCOMPARE(loaded.RangePre, QString("front"));
        QCOMPARE(loaded.RangeSuf, QString("back"));
        QCOMPARE(loaded.RangeCheck1, true);
        QCOMPARE(loaded.RangeCheck2, false);
    }

    void fileHoldingOnlyCheckedGivesLoadDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        writeFile(path, "[Checked]\r\nItem=QA\r\n");
        MainOptions o = unusualOptions();
        o.TLDComboText.clear();
        QVERIFY(LoadMainOptions(path, dir.path(), o));
        MainOptions expected = loadDefaults(dir.path());
        expected.TLDComboText = o.TLDComboText;
        QCOMPARE(o, expected);
    }

    void missingFileChangesNothing()
    {
        QTemporaryDir dir;
        MainOptions o = FirstStartOptions(dir.path());
        QVERIFY(!LoadMainOptions(dir.filePath("Settings.dat"), dir.path(), o));
        QCOMPARE(o, FirstStartOptions(dir.path()));
        QCOMPARE(o.DictToEdit, QString("ZYMOTIC"));
        QCOMPARE(o.SaveCheck, true);
    }

    void readsAFileFromAWindowsWriter()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        writeFile(path, "; options saved by an older copy\r\n"
                        "[number]\r\nNumberTo = 77\r\nnumberfrom=5\r\n\r\n"
                        "[OPTIONS]\r\nSoundexCheck=1\r\nSingleSearch=  spaced name  \r\nTLDSingle=oops\r\n"
                        "DictCheck=2\r\nAutoSaveTo=\r\n\r\n"
                        "[Dict]\r\nDictRange=0\r\nWordLengthTo=-3\r\n");
        MainOptions o;
        QVERIFY(LoadMainOptions(path, dir.path(), o));
        QCOMPARE(o.NumberFrom, 5);
        QCOMPARE(o.NumberTo, 77);
        QCOMPARE(o.SoundexCheck, true);
        QCOMPARE(o.DictCheck, true);                  // any non-zero value is true
        QCOMPARE(o.SingleEdit, QString("spaced name"));
        QCOMPARE(o.TLDComboIndex, 0);                 // not a number: the default
        QCOMPARE(o.AutoSaveEdit, QString());          // present but empty: empty, not the default
        QCOMPARE(o.DictRadio1, false);
        QCOMPARE(o.WordLength2, -3);
        QCOMPARE(o.DictToEdit, QString("ZYMOLOGY"));
    }

    void savingKeepsTheOtherSections()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        writeFile(path, "[Checked]\r\nItem=QAB\r\n[Proxy]\r\nServer=proxy.local\r\n[Foreign]\r\nmine=1\r\n");
        SaveMainOptions(path, unusualOptions());
        IniFile s(path);
        QCOMPARE(s.ReadString("Checked", "Item", ""), QString("QAB"));
        QCOMPARE(s.ReadString("Proxy", "Server", ""), QString("proxy.local"));
        QCOMPARE(s.ReadString("Foreign", "mine", ""), QString("1"));
        QCOMPARE(s.Keys("Options"), (QStringList{"SingleSearch", "TLDSingle", "DictCheck", "NumbersCheck", "CustomListCheck",
                                                 "WordListCheck", "SoundexCheck", "AutoSave", "AutoSaveTo"}));
        QCOMPARE(s.Keys("Dict"), (QStringList{"DictRange", "DictFrom", "DictTo", "MinusCheck", "WordLengthCheck",
                                              "WordLengthFrom", "WordLengthTo"}));
    }

    // A Settings.dat far larger than ours is not read whole, and so is not overwritten
    // with the few keys of an update either.
    void hugeFileIsNeitherReadNorReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Options]\r\nSingleEdit=kept\r\n");
            QVERIFY(file.resize(IniFile::MaxFileSize + 1));   // sparse: nothing more is written
        }
        MainOptions loaded;
        loaded.SingleEdit = "untouched";
        LoadMainOptions(path, dir.path(), loaded);
        QCOMPARE(loaded.SingleEdit, QString("untouched"));
        SaveMainOptions(path, unusualOptions());
        QVERIFY(!SaveAdvancedSettings(path, AdvancedSettings()));
        QCOMPARE(QFileInfo(path).size(), IniFile::MaxFileSize + 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(12), QByteArray("[Options]\r\nS"));
    }

    void settingsFileIsForItsOwnerOnly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        SaveMainOptions(path, unusualOptions());
        QCOMPARE(QFile::permissions(path) & 0xF0FF, ownerOnly);

        QVERIFY(QFile::setPermissions(path, ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        AdvancedSettings a;
        a.Password = "secret";
        QVERIFY(SaveAdvancedSettings(path, a));
        QCOMPARE(QFile::permissions(path) & 0xF0FF, ownerOnly);

        QVERIFY(QFile::setPermissions(path, ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QVERIFY(SaveCheckStates(path, TTLDInfoList()));
        QCOMPARE(QFile::permissions(path) & 0xF0FF, ownerOnly);
    }

    void restoringDefaults_data()
    {
        QTest::addColumn<bool>("wordlistTicked");
        QTest::newRow("word list ticked") << true;
        QTest::newRow("word list clear") << false;
    }
    void restoringDefaults()
    {
        QFETCH(bool, wordlistTicked);
        QTemporaryDir dir;
        MainOptions current = unusualOptions();
        current.WordlistCheck = wordlistTicked;
        const MainOptions reset = RestoreMainDefaults(current, dir.path());
        MainOptions expected = loadDefaults(dir.path());
        expected.DictCheck = true;                 // the reset value differs from the load default
        expected.WordlistCheck = wordlistTicked;   // left as it was
        expected.TLDComboText = reset.TLDComboText;
        QCOMPARE(reset, expected);
        QVERIFY(!QFile::exists(dir.filePath("Settings.dat")));
    }

    void throughTheOptionsSeam()
    {
        QTemporaryDir dir;
        FakeSearchView view;
        view.opts = FirstStartOptions(dir.path());
        LoadMainOptions(view, dir.path());
        QCOMPARE(view.applyCount, 0);              // no file: the controls keep their values

        view.opts = unusualOptions();
        SaveMainOptions(view, dir.path());
        view.opts = FirstStartOptions(dir.path());
        LoadMainOptions(view, dir.path());
        QCOMPARE(view.applyCount, 1);
        QCOMPARE(view.opts.NumberTo, 123456);

        RestoreMainDefaults(view, dir.path());
        QCOMPARE(view.applyCount, 2);
        QCOMPARE(view.opts.SingleEdit, QString("yournewwebsite"));
        QCOMPARE(view.opts.WordlistCheck, true);
    }

    // --- Advanced settings -------------------------------------------------------------------

    void advancedRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        AdvancedSettings a;
        a.IECache = 30;
        a.Username = "me";
        a.Password = " pass, with \"quotes\" ";
        a.ProxyServer = "proxy.example";
        a.ProxyEnabled = true;
        a.Port = 3128;
        a.NewServerList = QStringList{"whois.mine.example", "http://look.example/?q=<name>,<ext>"};
        a.NewMatchList = QStringList{"NOT FOUND, really", QString::fromUtf8("Domínio inexistente")};
        a.NewDomainList = QStringList{".mine", ".co.mine"};
        QVERIFY(SaveAdvancedSettings(path, a));
        AdvancedSettings b;
        QVERIFY(LoadAdvancedSettings(path, b));
        QCOMPARE(b, a);
        IniFile s(path);
        QCOMPARE(s.Keys("Proxy"), (QStringList{"Username", "Password", "Server", "Port", "ProxyEnabled"}));
    }

    void emptyPortRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        AdvancedSettings a;
        QVERIFY(PortFromBoxText("", a.Port));
        QCOMPARE(a.Port, -1);
        QVERIFY(SaveAdvancedSettings(path, a));
        QCOMPARE(IniFile(path).ReadString("Proxy", "Port", ""), QString("-1"));
        AdvancedSettings b;
        b.Port = 8080;
        QVERIFY(LoadAdvancedSettings(path, b));
        QCOMPARE(PortBoxText(b.Port), QString());
        QCOMPARE(PortBoxText(8080), QString("8080"));
    }

    void portBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("port");
        QTest::newRow("digits") << "8080" << true << 8080;
        QTest::newRow("empty") << "" << true << -1;
        QTest::newRow("leading zero") << "080" << true << 80;
        QTest::newRow("letters") << "80a" << false << 0;
        QTest::newRow("blank") << " 80" << false << 0;
        QTest::newRow("minus") << "-1" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
        QTest::newRow("other digits") << QString::fromUtf8("８０") << false << 0;
    }
    void portBox()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, port);
        int result = 0;
        QCOMPARE(PortFromBoxText(text, result), accepted);
        QCOMPARE(result, port);
    }

    void advancedDefaultsAndLowering()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        AdvancedSettings fromNothing;
        fromNothing.Port = 99;
        QVERIFY(LoadAdvancedSettings(path, fromNothing));   // a missing file is not an error
        QCOMPARE(fromNothing, AdvancedSettings());

        writeFile(path, "[NewServer]\r\nItem0=WHOIS.Mine.Example\r\n[NewMatch]\r\nItem0=No Entries FOUND\r\n"
                        "[NewDomain]\r\nItem0=.MINE\r\n[Proxy]\r\nPort=\r\nProxyEnabled=yes\r\n[Cache]\r\nIECache=x\r\n");
        AdvancedSettings a;
        QVERIFY(LoadAdvancedSettings(path, a));
        QCOMPARE(a.NewServerList, QStringList{"whois.mine.example"});
        QCOMPARE(a.NewMatchList, QStringList{"No Entries FOUND"});
        QCOMPARE(a.NewDomainList, QStringList{".mine"});
        QCOMPARE(a.Port, -1);
        QCOMPARE(a.ProxyEnabled, false);
        QCOMPARE(a.IECache, 7);
    }

    void savingErasesOldListsAndKeepsTheRest()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        writeFile(path, "[Options]\r\nSingleSearch=kept\r\n[NewServer]\r\nItem0=a\r\nItem1=b\r\nItem2=c\r\nStray=1\r\n"
                        "[Checked]\r\nItem=QQ\r\n[Proxy]\r\nOld=1\r\n");
        AdvancedSettings a;
        a.NewServerList = QStringList{"only"};
        a.NewMatchList = QStringList{"No Match"};
        QVERIFY(SaveAdvancedSettings(path, a));
        IniFile s(path);
        QCOMPARE(s.Keys("NewServer"), QStringList{"Item0"});
        QCOMPARE(s.Keys("Proxy"), (QStringList{"Username", "Password", "Server", "Port", "ProxyEnabled"}));
        QCOMPARE(s.ReadString("Options", "SingleSearch", ""), QString("kept"));
        QCOMPARE(s.ReadString("Checked", "Item", ""), QString("QQ"));
        AdvancedSettings b;
        QVERIFY(LoadAdvancedSettings(path, b));
        QCOMPARE(b.NewServerList, QStringList{"only"});
    }

    void failedSaveLeavesTheOldSettings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Settings.dat");
        AdvancedSettings before;
        before.NewServerList = QStringList{"whois.keep.example"};
        before.NewMatchList = QStringList{"No Match"};
        QVERIFY(SaveAdvancedSettings(path, before));
        const QByteArray bytes = readFile(path);
        SetSaveFaultHook([](const char* step) { return qstrcmp(step, "write") != 0; });
        AdvancedSettings after;
        QVERIFY(!SaveAdvancedSettings(path, after));
        SetSaveFaultHook({});
        QCOMPARE(readFile(path), bytes);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
