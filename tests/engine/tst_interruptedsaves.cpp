// Every file the program replaces (Settings.dat, Config.dat, Soundex.dat) is written
// through one atomic save. Failing each of its steps in turn must leave the previous
// file byte for byte, and nothing else in the folder.
#include "engine/SafeSave.h"
#include "engine/names/Dictionary.h"
#include "engine/names/SoundexIndex.h"
#include "settings/ConfigFile.h"
#include "settings/IniFile.h"
#include "settings/MainOptionsFile.h"
#include "settings/ServerTree.h"
#include "settings/SettingsFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// One kind of file: how to write its first and its second version. Each returns
// whether the save reported success.
struct SavedFile {
    QString name;
    std::function<bool(const QString& path, int version)> save;
};

SavedFile SettingsDat()
{
    return {QStringLiteral("Settings.dat"), [](const QString& path, int version) {
                MainOptions options;
                options.SingleEdit = QStringLiteral("version%1").arg(version);
                options.DictFromEdit = version == 1 ? QStringLiteral("A") : QStringLiteral("M");
                IniFile settings;
                if (!OpenSettingsFile(settings, path))
                    return false;
                WriteMainOptions(settings, options);
                return SaveSettingsFile(settings);
            }};
}

SavedFile ConfigDat()
{
    return {QStringLiteral("Config.dat"), [](const QString& path, int version) {
                TServerTree tree;
                TreeNodeList nodes{{".com", 0, -1}, {"whois.verisign-grs.com", 1, 2}};
                if (version == 2)
                    nodes.append({{".net", 0, -1}, {"whois.example.net", 1, 2}});
                tree.SetNodes(nodes);
                return SaveTreeview(tree, path);
            }};
}

SavedFile SoundexDat()
{
    return {QStringLiteral("Soundex.dat"), [](const QString& path, int version) {
                Dictionary dictionary;
                dictionary.LoadText(version == 1 ? QByteArray("\r\nARDVARK\r\n") : QByteArray("\r\nBACUS\r\nBLE\r\n"));
                SoundexIndex codes(dictionary);
                return codes.Build(path);
            }};
}

SavedFile ByName(const QString& name)
{
    for (const SavedFile& file : {SettingsDat(), ConfigDat(), SoundexDat()})
        if (file.name == name)
            return file;
    return {};
}

// Fails the named step of every save while it lives.
class FailingStep {
public:
    explicit FailingStep(const QString& step)
    {
        SetSaveFaultHook([step](const char* now) { return step != QLatin1String(now); });
    }
    ~FailingStep() { SetSaveFaultHook({}); }
};

// One row for each file and each step of its save.
void AddEveryFileAndStep()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("step");
    for (const char* file : {"Settings.dat", "Config.dat", "Soundex.dat"})
        for (const char* step : {"open", "write", "commit"})
            QTest::addRow("%s, %s", file, step) << QString(file) << QString(step);
}

} // namespace

class TestInterruptedSaves : public QObject {
    Q_OBJECT
private slots:
    void failedStepLeavesThePreviousFile_data()
    {
        AddEveryFileAndStep();
    }
    void failedStepLeavesThePreviousFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, step);
        const SavedFile saved = ByName(file);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        QVERIFY(saved.save(path, 1));
        const QByteArray before = ReadAll(path);
        {
            FailingStep failing(step);
            QVERIFY(!saved.save(path, 2));
        }
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{file});

        // The next save that succeeds brings the second version.
        QVERIFY(saved.save(path, 2));
        QVERIFY(ReadAll(path) != before);
    }

    void failedFirstSaveLeavesNoFile_data()
    {
        AddEveryFileAndStep();
    }
    void failedFirstSaveLeavesNoFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, step);
        QTemporaryDir dir;
        {
            FailingStep failing(step);
            QVERIFY(!ByName(file).save(dir.filePath(file), 1));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestInterruptedSaves)
#include "tst_interruptedsaves.moc"
