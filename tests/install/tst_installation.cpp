// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDirIterator>
#include <QProcess>
#include <QtTest>

// The build installed into a temporary prefix, made read-only, and run from there as an
// installed program is run: every file where the desktop expects it, and the user's
// files in the user's folders, never in the prefix.
class TestInstallation : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString prefix_;
    QMap<QString, QString> installed_;   // every file of the prefix: size and modification time

    static QMap<QString, QString> Snapshot(const QString& folder)
    {
        QMap<QString, QString> files;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f = it.nextFileInfo();
            files.insert(f.filePath(), QStringLiteral("%1 %2").arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch()));
        }
        return files;
    }

    static void SetWritable(const QString& folder, bool writable)
    {
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList paths{folder};
        while (it.hasNext())
            paths.append(it.next());
        const QFileDevice::Permissions write = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther
            | QFileDevice::WriteUser;
        for (const QString& path : paths) {
            QFile f(path);
            f.setPermissions(writable ? f.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser
                                      : f.permissions() & ~write);
        }
    }

    // Runs `program` to its end; its standard output.
    static QByteArray Run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                          int timeoutMs = 120000)
    {
        QProcess p;
        p.setProcessEnvironment(environment);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program, arguments);
        if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            qWarning() << program << arguments << "failed:" << p.exitCode() << p.errorString();
            return QByteArray("FAILED");
        }
        return p.readAllStandardOutput();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root_.isValid());
        prefix_ = root_.filePath(QStringLiteral("prefix"));
        QProcess install;
        install.setProcessChannelMode(QProcess::ForwardedChannels);
        install.start(QStringLiteral(TARNWICK_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(TARNWICK_BUILD_DIR), QStringLiteral("--prefix"), prefix_});
        QVERIFY(install.waitForFinished(120000));
        QCOMPARE(install.exitCode(), 0);
        SetWritable(prefix_, false);
        installed_ = Snapshot(prefix_);
    }

    void cleanupTestCase()
    {
        SetWritable(prefix_, true);
    }

    void everyFileIsInstalled()
    {
        const QString id = QStringLiteral(TARNWICK_APP_ID);
        QStringList expected{
            "bin/tarnwick", "bin/tarnwick-cli", "share/tarnwick/english.dat", "share/tarnwick/Tarnwick.hlp",
            "share/man/man1/tarnwick-cli.1", "share/applications/" + id + ".desktop",
            "share/icons/hicolor/scalable/apps/" + id + ".svg", "share/metainfo/" + id + ".metainfo.xml",
            "share/doc/tarnwick/LICENSE", "share/doc/tarnwick/copyright", "share/doc/tarnwick/english.dat.copyright"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            expected.append(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
        for (const QString& file : expected)
            QVERIFY2(installed_.contains(prefix_ + QLatin1Char('/') + file), qPrintable(file));
    }

    void installedProgramsKeepToTheUsersFolders_data()
    {
        QTest::addColumn<bool>("xdgVariables");
        QTest::addColumn<QString>("settingsFolder");   // under the home folder
        QTest::addColumn<QString>("cacheFolder");
        QTest::newRow("XDG variables") << true << "xdg-config/tarnwick" << "xdg-cache/tarnwick";
        QTest::newRow("home folder only") << false << ".config/tarnwick" << ".cache/tarnwick";
    }
    void installedProgramsKeepToTheUsersFolders()
    {
        QFETCH(bool, xdgVariables);
        QFETCH(QString, settingsFolder);
        QFETCH(QString, cacheFolder);
        const QString home = root_.filePath(QStringLiteral("home-") + QString::number(xdgVariables));
        const QString chosen = root_.filePath(QStringLiteral("chosen-") + QString::number(xdgVariables));
        QVERIFY(QDir().mkpath(home) && QDir().mkpath(chosen));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        const QList<QPair<QString, QString>> xdg{{"XDG_CONFIG_HOME", "xdg-config"}, {"XDG_CACHE_HOME", "xdg-cache"},
                                                 {"XDG_DATA_HOME", "xdg-data"}, {"XDG_STATE_HOME", "xdg-state"}};
        for (const auto& [variable, folder] : xdg) {
            if (xdgVariables)
                environment.insert(variable, home + QLatin1Char('/') + folder);
            else
                environment.remove(variable);
        }
        const QString bin = prefix_ + QStringLiteral("/bin/");

        // The command line: the whole dictionary, read from share/tarnwick/, also when
        // --program-folder names a folder without it.
        QCOMPARE(Run(bin + "tarnwick-cli", {"list"}, environment).count('\n'), 77763);
        QCOMPARE(Run(bin + "tarnwick-cli", {"--program-folder", chosen, "list"}, environment).count('\n'), 77763);
        QVERIFY(Run(bin + "tarnwick-cli", {"tlds"}, environment).contains(".com\t"));

        // The window builds Soundex.dat in the cache folder at its start, and the end of
        // the session (SIGTERM) closes it as the user would, saving its options.
        const QString soundex = home + QLatin1Char('/') + cacheFolder + QStringLiteral("/Soundex.dat");
        QProcess window;
        window.setProcessEnvironment(environment);
        window.setProcessChannelMode(QProcess::ForwardedChannels);
        window.start(bin + "tarnwick", {});
        QVERIFY(window.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(soundex), 120000);
        window.terminate();
        QVERIFY(window.waitForFinished(60000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);
        QVERIFY(QFileInfo::exists(home + QLatin1Char('/') + settingsFolder + QStringLiteral("/Settings.dat")));

        QCOMPARE(Snapshot(prefix_), installed_);
        QCOMPARE(Snapshot(chosen).keys(), QStringList{});   // the CLI writes no file of its own
    }
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
