// Opening documents and links: the box of every failing code, and the xdg-open
// launcher's mapping, with small opener scripts standing in for xdg-open.
#include "platform/ShellOpen.h"
#include "ScriptedMessageBoxes.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

class FakeLauncher : public IShellLauncher {
public:
    int code = ShellCode::Opened;
    QString target, parameters;
    int Open(const QString& t, const QString& p) override
    {
        target = t;
        parameters = p;
        return code;
    }
};

const QString kDisk = QStringLiteral("Try running a disk maintenance program such as\rScandisk.  If the problem persists, you may have to reinstall.\r");
const QString kInUse = QStringLiteral("Close any other program that may be using the file and try again.Try restarting your machine as a means of unloading any other program\rthat may be using this file.");

} // namespace

class TestShellOpen : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // An opener that records its arguments, one a line, and ends with `status`.
    QString opener(int status)
    {
        const QString path = dir_.filePath(QStringLiteral("opener-%1").arg(status));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\nexit %2\n")
                    .arg(dir_.filePath(QStringLiteral("args")))
                    .arg(status)
                    .toUtf8());
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

private slots:
    void failureTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("text");
        const QString t = QStringLiteral("C:\\Program Files\\Tarnwick\\Tarnwick.hlp");
        QTest::newRow("0") << 0 << t
                           << "The operating system is out of memory or resources.\r\rTry closing some programs you have running\rbefore attempting to run this program.";
        QTest::newRow("2") << 2 << t << QStringLiteral("The file could not be found.\r\rFile: ") + t + "\r\r" + kDisk;
        QTest::newRow("3") << 3 << t << QStringLiteral("The path could not be found.\r\rPath: C:\\Program Files\\Tarnwick\\\r\r") + kDisk;
        QTest::newRow("3 web address") << 3 << "https://www.example.org/sign/up"
                                       << QStringLiteral("The path could not be found.\r\rPath: https:\r\r") + kDisk;
        QTest::newRow("3 web address with port") << 3 << "http://host.example:8080/a/b"
                                                 << QStringLiteral("The path could not be found.\r\rPath: http://host.example:\r\r") + kDisk;
        QTest::newRow("3 local path") << 3 << "/opt/tarnwick/missing/file.txt"
                                      << QStringLiteral("The path could not be found.\r\rPath: /opt/tarnwick/missing/\r\r") + kDisk;
        QTest::newRow("5") << 5 << t
                           << QStringLiteral("The operating system has denied you access to the following file :\r\r") + t + "\r\r" + kInUse;
        QTest::newRow("11") << 11 << t
                            << QStringLiteral("The Program file you are trying to call has become corrupted.\r\r\r") + t + "\r\r" + kDisk;
        QTest::newRow("26") << 26 << t
                            << QStringLiteral("There was a sharing violation whilst attempting to run the\rfollowing file : \r\r") + t + "\r\r" + kInUse;
        QTest::newRow("27") << 27 << t
                            << QStringLiteral("The filename association is incomplete or invalid.\r\r\r") + t + "\r\r" + kDisk;
    }

    void failureTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, target);
        QFETCH(QString, text);
        FakeLauncher launcher;
        launcher.code = code;
        ScriptedMessageBoxes boxes;
        QVERIFY(!ShellOpen(launcher, boxes, target, QString()));
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.at(0).kind, MessageKind::Error);
        QCOMPARE(boxes.shown.at(0).buttons, int(MbOk));
        QCOMPARE(boxes.shown.at(0).text, text);
        QCOMPARE(launcher.target, target);
        QVERIFY(launcher.parameters.isEmpty());
    }

    void successCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("no association") << 31;
        QTest::newRow("accepted") << 42;
        QTest::newRow("other error up to 32") << 8;
        QTest::newRow("32") << 32;
    }

    void successCodes()
    {
        QFETCH(int, code);
        FakeLauncher launcher;
        launcher.code = code;
        ScriptedMessageBoxes boxes;
        QVERIFY(ShellOpen(launcher, boxes, QStringLiteral("https://www.example.org/"), QStringLiteral("-x")));
        QVERIFY(boxes.shown.isEmpty());
        QCOMPARE(launcher.parameters, QStringLiteral("-x"));
    }

    void xdgOpenExitStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code");
        QTest::newRow("opened") << 0 << int(ShellCode::Opened);
        QTest::newRow("bad command line") << 1 << int(ShellCode::AssociationIncomplete);
        QTest::newRow("file missing") << 2 << int(ShellCode::FileNotFound);
        QTest::newRow("no tool") << 3 << int(ShellCode::NoAssociation);
        QTest::newRow("opener failed") << 4 << int(ShellCode::AssociationIncomplete);
    }

    void xdgOpenExitStatus()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        QVERIFY(dir_.isValid());
        XdgOpenLauncher launcher(opener(status), 30000);
        // One argument, exactly as given: no shell ever sees it.
        const QString target = QStringLiteral("https://www.example.org/a b;echo x'\"$HOME");
        QCOMPARE(launcher.Open(target, QString()), code);
        QFile args(dir_.filePath(QStringLiteral("args")));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(args.readAll()), target + QLatin1Char('\n'));
    }

    void localTargetsAreCheckedFirst()
    {
        XdgOpenLauncher launcher(opener(0), 30000);
        QCOMPARE(launcher.Open(dir_.filePath(QStringLiteral("missing.txt")), QString()), int(ShellCode::FileNotFound));
        QCOMPARE(launcher.Open(dir_.filePath(QStringLiteral("nofolder/missing.txt")), QString()), int(ShellCode::PathNotFound));
        QCOMPARE(launcher.Open(QString(), QString()), int(ShellCode::FileNotFound));
        const QString file = dir_.filePath(QStringLiteral("present.txt"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(launcher.Open(file, QString()), int(ShellCode::Opened));
    }

    // A web link that nothing can open says so; opening one never waits for the opener.
    void webLinksSayWhenNothingOpensThem_data()
    {
        QTest::addColumn<QString>("opener");   // missing, or what the opener script does
        QTest::newRow("no opener installed") << "missing";
        QTest::newRow("no tool for links") << "exit 3";
        // Stays in the foreground until the test lets it go, as a browser started by
        // xdg-open without a desktop does.
        QTest::newRow("opener that stays") << "read line < '%1'; exit 3";
    }
    void webLinksSayWhenNothingOpensThem()
    {
        QFETCH(QString, opener);
        const QString release = dir_.filePath(QStringLiteral("release"));
        QString program = dir_.filePath(QStringLiteral("no-such-opener"));
        if (opener != "missing") {
            QFile::remove(release);
            QVERIFY(mkfifo(QFile::encodeName(release).constData(), 0600) == 0);
            program = dir_.filePath(QStringLiteral("opener.sh"));
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(("#!/bin/sh\n" + QString(opener).replace(QStringLiteral("%1"), release) + "\n").toUtf8());
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        XdgOpenLauncher launcher(program, 60000);
        ScriptedMessageBoxes boxes;
        const QString link = QStringLiteral("https://www.example.org/");
        ShellOpenURL(launcher, boxes, link);
        if (opener.startsWith(QLatin1String("read"))) {
            QVERIFY(boxes.shown.isEmpty());   // returned while the opener still runs
            QFile go(release);
            QVERIFY(go.open(QIODevice::WriteOnly));
            go.write("go\n");
        }
        QVERIFY(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 30000));
        QCOMPARE(boxes.texts(), QStringList{NoBrowserText(link)});
    }
};

QTEST_GUILESS_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
