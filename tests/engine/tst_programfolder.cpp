#include "engine/MainOptions.h"
#include "engine/Misc1.h"
#include "platform/FileLocations.h"
#include "platform/ProgramFolder.h"
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT

    static void touch(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void trailingSeparatorIsDropped_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("results");
        QTest::newRow("plain") << "/opt/tarnwick" << "/opt/tarnwick/Tarnwick.txt";
        QTest::newRow("trailing slash") << "/opt/tarnwick/" << "/opt/tarnwick/Tarnwick.txt";
        QTest::newRow("trailing backslash") << "/opt/tarnwick\\" << "/opt/tarnwick/Tarnwick.txt";
    }
    void trailingSeparatorIsDropped()
    {
        QFETCH(QString, given);
        QFETCH(QString, results);
        TMisc1 engine;
        engine.setProgramFolder(given);
        QCOMPARE(engine.defaultResultsFile(), results);
        QCOMPARE(FirstStartOptions(engine.fileLocations().resultsFolder).AutoSaveEdit, results);
    }

    // Where each kind of file lives, for an executable in <root>/prefix/bin. In the
    // expected paths $BIN is that folder, $SHARE the prefix's share/tarnwick, $HOME the
    // home folder and $DIR the folder given as --program-folder.
    void filesLiveByTheArrangement_data()
    {
        QTest::addColumn<bool>("installed");        // share/tarnwick/ (with english.dat) beside bin/
        QTest::addColumn<bool>("xdgVariables");     // XDG_CONFIG_HOME and XDG_CACHE_HOME set
        QTest::addColumn<bool>("documents");        // ~/Documents exists
        QTest::addColumn<bool>("dataBeside");       // english.dat in bin/ too
        QTest::addColumn<bool>("programFolder");    // --program-folder $DIR (empty)
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("cache");
        QTest::addColumn<QString>("results");
        QTest::addColumn<QString>("dictionary");
        QTest::newRow("build or portable folder") << false << true << true << true << false
            << "$BIN/Settings.dat" << "$BIN/Soundex.dat" << "$BIN/Tarnwick.txt" << "$BIN/english.dat";
        QTest::newRow("portable folder without the dictionary") << false << true << true << false << false
            << "$BIN/Settings.dat" << "$BIN/Soundex.dat" << "$BIN/Tarnwick.txt" << "$BIN/english.dat";
        QTest::newRow("installed, XDG variables") << true << true << false << false << false
            << "$HOME/xdg-config/tarnwick/Settings.dat" << "$HOME/xdg-cache/tarnwick/Soundex.dat"
            << "$HOME/Tarnwick.txt" << "$SHARE/english.dat";
        QTest::newRow("installed, defaults, documents folder") << true << false << true << false << false
            << "$HOME/.config/tarnwick/Settings.dat" << "$HOME/.cache/tarnwick/Soundex.dat"
            << "$HOME/Documents/Tarnwick.txt" << "$SHARE/english.dat";
        QTest::newRow("installed, dictionary beside the executable first") << true << true << true << true << false
            << "$HOME/xdg-config/tarnwick/Settings.dat" << "$HOME/xdg-cache/tarnwick/Soundex.dat"
            << "$HOME/Documents/Tarnwick.txt" << "$BIN/english.dat";
        QTest::newRow("installed, --program-folder") << true << true << true << false << true
            << "$DIR/Settings.dat" << "$DIR/Soundex.dat" << "$DIR/Tarnwick.txt" << "$SHARE/english.dat";
        QTest::newRow("not installed, --program-folder") << false << true << true << true << true
            << "$DIR/Settings.dat" << "$DIR/Soundex.dat" << "$DIR/Tarnwick.txt" << "$DIR/english.dat";
    }
    void filesLiveByTheArrangement()
    {
        QFETCH(bool, installed);
        QFETCH(bool, xdgVariables);
        QFETCH(bool, documents);
        QFETCH(bool, dataBeside);
        QFETCH(bool, programFolder);
        QFETCH(QString, settings);
        QFETCH(QString, cache);
        QFETCH(QString, results);
        QFETCH(QString, dictionary);

        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("prefix/bin"));
        const QString share = root.filePath(QStringLiteral("prefix/share/tarnwick"));
        const QString home = root.filePath(QStringLiteral("home"));
        const QString dir = root.filePath(QStringLiteral("chosen"));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(home) && QDir().mkpath(dir));
        if (installed)
            touch(share + QStringLiteral("/english.dat"));
        if (dataBeside)
            touch(bin + QStringLiteral("/english.dat"));
        if (dataBeside && programFolder)
            touch(dir + QStringLiteral("/english.dat"));
        if (documents)
            QVERIFY(QDir().mkpath(home + QStringLiteral("/Documents")));
        qputenv("HOME", home.toLocal8Bit());
        if (xdgVariables) {
            qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/xdg-config")).toLocal8Bit());
            qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/xdg-cache")).toLocal8Bit());
        } else {
            qunsetenv("XDG_CONFIG_HOME");
            qunsetenv("XDG_CACHE_HOME");
        }

        const FileLocations l = programFolder ? FileLocations::InOneFolder(dir, InstalledDataFolderOf(bin))
                                              : FileLocations::ForExecutable(bin);
        QCOMPARE(l.installed, installed && !programFolder);
        l.MakeWritableFolders();
        const auto expand = [&](QString path) {
            return path.replace(QLatin1String("$BIN"), bin).replace(QLatin1String("$SHARE"), share)
                .replace(QLatin1String("$HOME"), home).replace(QLatin1String("$DIR"), dir);
        };
        QCOMPARE(l.SettingsFile(QStringLiteral("Settings.dat")), expand(settings));
        QCOMPARE(l.CacheFile(QStringLiteral("Soundex.dat")), expand(cache));
        QCOMPARE(l.DefaultResultsFile(), expand(results));
        QCOMPARE(l.ShippedDataFile(QStringLiteral("english.dat")), expand(dictionary));
        // The folders the program writes into exist before anything is written there.
        QVERIFY(QFileInfo(l.settingsFolder).isDir());
        QVERIFY(QFileInfo(l.cacheFolder).isDir());
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
