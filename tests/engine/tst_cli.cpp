// tarnwick-cli as scripts use it: the built executable, run in a program folder of its
// own, against whois servers on 127.0.0.1 that the test starts.
#include "FreePort.h"
#include "LoopbackWhoisServer.h"
#include "engine/Misc1.h"
#include "engine/runs/ResultsFile.h"
#include "settings/ConfigFile.h"
#include "settings/ServerAssignment.h"
#include "settings/ServerTree.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCli = QStringLiteral(TARNWICK_PROGRAM_DIR "/tarnwick-cli");
const QString kFree = QStringLiteral(" : FREE, Click on the Register Domain button now !");

struct CliResult {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QByteArray out;
    QByteArray err;
    bool finished = false;

    QStringList outLines() const
    {
        QString text = QString::fromUtf8(out);
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }
};

// What a file is on disk: a rewrite (even of the same bytes, even by renaming a new
// file into place) changes the inode or the modification time.
struct FileStamp {
    bool exists = false;
    QByteArray bytes;
    ino_t inode = 0;
    qint64 mtimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path)
{
    FileStamp s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return s;
    s.exists = true;
    s.inode = st.st_ino;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        s.bytes = f.readAll();
    return s;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray headerBytes()
{
    return ResultsFileHeader().join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    LoopbackWhoisServer* whois_ = nullptr;

    QString file(const QString& name) const { return dir_->filePath(name); }

    // Options that send every lookup of the TLD .test to the loopback whois server, whose
    // free answer is "NOT FOUND"; DNS is never asked.
    QStringList loopbackOptions() const
    {
        return {"--server", ".test=127.0.0.1", "--whois-port", QString::number(whois_->port()),
                "--set", "NewServer/Item0=127.0.0.1", "--set", "NewMatch/Item0=NOT FOUND",
                "--set", "Lookup/DNSPrecheck=0", "--set", "Lookup/SelfCheck=0"};
    }

    // Settings.dat for an automated run over the names AB<from> to AB<to> (names need
    // three characters), results into results.txt.
    void writeNumbersSettings(int from, int to, bool save = true)
    {
        const QByteArray text = "[Options]\r\nDictCheck=0\r\nNumbersCheck=1\r\nAutoSave=" + QByteArray(save ? "1" : "0")
            + "\r\nAutoSaveTo=" + file("results.txt").toUtf8() + "\r\n[Number]\r\nNumberFrom=" + QByteArray::number(from)
            + "\r\nNumberTo=" + QByteArray::number(to) + "\r\nNumberUsePrefix=1\r\nNumberRangePre=AB\r\n";
        QVERIFY(writeFile(file("Settings.dat"), text));
    }

    // The child sees no system proxy, so the messages never carry the proxy notice.
    static QProcessEnvironment withoutProxy()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            env.remove(QLatin1String(name));
        return env;
    }

    QProcess* start(const QStringList& args)
    {
        auto* process = new QProcess(this);
        process->setProcessEnvironment(withoutProxy());
        process->setProgram(kCli);
        process->setArguments(QStringList{"--program-folder", dir_->path()} + args);
        process->start();
        return process;
    }

    CliResult finish(QProcess* process, int timeoutMs = 30000)
    {
        CliResult r;
        if (process->state() != QProcess::NotRunning) {
            QSignalSpy finished(process, &QProcess::finished);
            r.finished = finished.wait(timeoutMs);
        } else {
            r.finished = process->error() != QProcess::FailedToStart;
        }
        if (!r.finished) {
            process->kill();
            process->waitForFinished();
        }
        r.exitCode = process->exitCode();
        r.exitStatus = process->exitStatus();
        r.out = process->readAllStandardOutput();
        r.err = process->readAllStandardError();
        process->deleteLater();
        return r;
    }

    CliResult run(const QStringList& args) { return finish(start(args)); }

    // Copies the shipped dictionary into the program folder; false when the build has none.
    bool copyDictionary()
    {
        const QString source = QStringLiteral(TARNWICK_PROGRAM_DIR "/english.dat");
        return QFile::exists(source) && QFile::copy(source, file("english.dat"));
    }

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(kCli), "build tarnwick-cli first"); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        whois_ = new LoopbackWhoisServer(this);
        QVERIFY(whois_->listen());
    }

    void cleanup()
    {
        delete whois_;
        whois_ = nullptr;
        dir_.reset();
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("--help") << "--help";
        QTest::newRow("-h") << "-h";
        QTest::newRow("--version") << "--version";
    }
    void helpAndVersion()
    {
        QFETCH(QString, option);
        const CliResult r = run({option});
        QVERIFY(r.finished);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        const QString out = QString::fromUtf8(r.out);
        if (option == "--version") {
            QVERIFY2(out.contains("Tarnwick v2.00"), r.out);
            return;
        }
        QVERIFY(out.startsWith("Usage: tarnwick-cli [OPTIONS] COMMAND [ARGS]\n"));
        for (const char* word : {"single NAME TLD", "auto", "list", "tlds", "--program-folder DIR",
                                 "--set SECTION/KEY=VALUE", "--tlds LIST", "--server TLD=SERVER", "--whois-port N",
                                 "--results overwrite|append|cancel", "--on-error continue|stop", "-h, --help, --version"})
            QVERIFY2(out.contains(QLatin1String(word)), word);
    }

    void usageErrorsExit2WithOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no command") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"lookup"} << "unknown command 'lookup'";
        QTest::newRow("unknown option") << QStringList{"--fast", "tlds"} << "fast";
        QTest::newRow("single without TLD") << QStringList{"single", "name"} << "single NAME TLD";
        QTest::newRow("list with an argument") << QStringList{"list", "extra"} << "list";
        QTest::newRow("missing value") << QStringList{"tlds", "--tlds"} << "--tlds";
        QTest::newRow("--set without key") << QStringList{"--set", "Options=1", "list"} << "SECTION/KEY=VALUE";
        QTest::newRow("--set without value") << QStringList{"--set", "Options/DictCheck", "list"} << "SECTION/KEY=VALUE";
        QTest::newRow("--set unknown key") << QStringList{"--set", "Options/DictChek=1", "list"} << "Options/DictChek";
        QTest::newRow("--set unknown section") << QStringList{"--set", "Nowhere/Item=1", "list"} << "Nowhere/Item";
        QTest::newRow("--tlds without dot") << QStringList{"--tlds", ".com,net", "tlds"} << "'net'";
        QTest::newRow("--tlds unknown TLD") << QStringList{"--tlds", ".no-such-tld", "tlds"} << ".no-such-tld";
        QTest::newRow("--server without =") << QStringList{"--server", ".com", "tlds"} << "TLD=SERVER";
        QTest::newRow("--server without dot") << QStringList{"--server", "com=127.0.0.1", "tlds"} << "TLD=SERVER";
        QTest::newRow("--server empty server") << QStringList{"--server", ".com=", "tlds"} << "TLD=SERVER";
        QTest::newRow("port zero") << QStringList{"--whois-port", "0", "tlds"} << "--whois-port";
        QTest::newRow("port too large") << QStringList{"--whois-port", "65536", "tlds"} << "--whois-port";
        QTest::newRow("port not a number") << QStringList{"--whois-port", "4x", "tlds"} << "--whois-port";
        QTest::newRow("--results") << QStringList{"--results", "yes", "auto"} << "overwrite, append or cancel";
        QTest::newRow("--on-error") << QStringList{"--on-error", "abort", "auto"} << "continue or stop";
        QTest::newRow("--set tick box true") << QStringList{"--set", "Options/NumbersCheck=true", "list"}
                                             << "Options/NumbersCheck is a tick box and takes 0 or 1";
        QTest::newRow("--set tick box yes") << QStringList{"--set", "options/autosave=yes", "auto"} << "Options/AutoSave";
        QTest::newRow("--set number 1e3") << QStringList{"--set", "Number/NumberTo=1e3", "list"}
                                          << "Number/NumberTo takes a whole number from 0 to 9999999";
        QTest::newRow("--set number out of range") << QStringList{"--set", "Lookup/Parallel=65", "auto"} << "from 1 to 64";
        QTest::newRow("--set choice") << QStringList{"--set", "CustomList/SepCombo=3", "list"} << "2 (Semi-colon)";
        QTest::newRow("single TLD without dot") << QStringList{"single", "name", "com"} << "'com' is not a TLD with its leading dot";
        QTest::newRow("single with three") << QStringList{"single", "a", ".b", ".c"} << "single NAME.TLD";
        QTest::newRow("--format unknown") << QStringList{"--format", "xml", "check", "a"} << "text, tsv or jsonl";
        QTest::newRow("--format of list") << QStringList{"--format", "tsv", "list"} << "--format";
    }
    void usageErrorsExit2WithOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const CliResult r = run(args);
        QVERIFY(r.finished);
        QCOMPARE(r.exitStatus, QProcess::NormalExit);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(r.err.startsWith("tarnwick-cli: ") && r.err.endsWith('\n') && r.err.count('\n') == 1, r.err);
        QVERIFY2(QString::fromUtf8(r.err).contains(reason), r.err);
        // Nothing was made in the program folder.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void missingProgramFolderIsAUsageError()
    {
        QProcess* p = new QProcess(this);
        p->start(kCli, {"--program-folder", dir_->filePath("absent"), "tlds"});
        const CliResult r = finish(p);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith("tarnwick-cli: --program-folder"), r.err);
        QVERIFY(!QFile::exists(dir_->filePath("absent")));
    }

    // With no files the table is the built-in one, exactly as the window builds it.
    void tldsPrintsTheBuiltInTable()
    {
        TMisc1 engine;
        engine.setProgramFolder(dir_->path());
        TServerAssignment assignment(engine);
        assignment.BuildAtStartup();
        QByteArray expected;
        for (int i = 0; i < engine.TLDInfoList.Count(); ++i) {
            const TLDInfo& e = engine.TLDInfoList.At(i);
            expected += (e.TLD + '\t' + e.Server + '\t' + e.MatchText + '\t' + (e.Checked ? "1" : "0") + '\n').toUtf8();
        }
        QVERIFY(engine.TLDInfoList.Count() > 4);
        QVERIFY(engine.TLDInfoList.At(0).Checked);   // "Q": the first entry ticked

        const CliResult r = run({"tlds"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, expected);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    // Config.dat decides the table; --set, --tlds and --server change this run only.
    void tldsFollowsConfigAndOverridesWithoutWriting()
    {
        {
            TServerTree tree;
            tree.SetTLDs({{".alpha", {{"whois.alpha.example", ServerState::WhoisDefault}}},
                          {".beta", {{"whois.old.example", ServerState::WhoisAlternative},
                                     {"http://beta.example/q=<name>", ServerState::HttpDefault}}},
                          {".nodefault", {}},
                          {".gamma", {{"whois.gamma.example", ServerState::WhoisDefault}}}});
            QVERIFY(SaveTreeview(tree, file("Config.dat")));
        }
        QVERIFY(writeFile(file("Settings.dat"), "[Checked]\r\nItem=C\r\n[NewServer]\r\nItem0=whois.gamma.example\r\n"
                                                "[NewMatch]\r\nItem0=Gamma is free\r\n"));
        const FileStamp settings = stampOf(file("Settings.dat"));
        const FileStamp config = stampOf(file("Config.dat"));

        // "C" is 0b010 for three entries: only .beta is ticked. Today's TLDs that the
        // saved tree lacks follow its own, unticked.
        CliResult r = run({"tlds"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.outLines().size() >= 1000);
        QVERIFY(!r.out.mid(r.out.indexOf(".gamma")).contains("\t1\n"));
        QCOMPARE(r.outLines().mid(0, 3), QStringList({".alpha\twhois.alpha.example\tNo Match\t0",
                                            ".beta\thttp://beta.example/q=<name>\tNo Match\t1",
                                            ".gamma\twhois.gamma.example\tGamma is free\t0"}));

        r = run({"--set", "checked/item=F", "--set", "NewMatch/Item0=Gamma is open", "tlds"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines().mid(0, 3), QStringList({".alpha\twhois.alpha.example\tNo Match\t1",
                                            ".beta\thttp://beta.example/q=<name>\tNo Match\t0",
                                            ".gamma\twhois.gamma.example\tGamma is open\t1"}));

        // --server replaces a server (its match text found as for any server) or adds a
        // TLD; --tlds then ticks exactly what it names, in any letter case.
        r = run({"--server", ".alpha=whois.gamma.example", "--server", ".notyet=whois.new.example", "--tlds", ".ALPHA, .notyet",
                 "tlds"});
        QCOMPARE(r.exitCode, 0);
        QStringList lines = r.outLines();
        QCOMPARE(lines.mid(0, 3) << lines.last(), QStringList({".alpha\twhois.gamma.example\tGamma is free\t1",
                                                               ".beta\thttp://beta.example/q=<name>\tNo Match\t0",
                                                               ".gamma\twhois.gamma.example\tGamma is free\t0",
                                                               ".notyet\twhois.new.example\tNo Match\t1"}));

        r = run({"--tlds", "", "tlds"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!r.out.contains("\t1\n"));

        QCOMPARE(stampOf(file("Settings.dat")), settings);
        QCOMPARE(stampOf(file("Config.dat")), config);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList({"Config.dat", "Settings.dat"}));
    }

    void listUsesTheFileWithSetOnTop()
    {
        writeNumbersSettings(1, 3);
        const FileStamp before = stampOf(file("Settings.dat"));

        CliResult r = run({"list"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines(), QStringList({"AB1", "AB2", "AB3"}));

        r = run({"--set", "Number/NumberTo=5", "--set", "Number/NumberUsePrefix=1", "--set", "number/numberrangepre=XY",
                 "list"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.outLines(), QStringList({"XY1", "XY2", "XY3", "XY4", "XY5"}));

        // A file holding only the ticks gives every option its load default: no source is on.
        QVERIFY(writeFile(file("Settings.dat"), "[Checked]\r\nItem=Q\r\n"));
        r = run({"list"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(readFile(file("Settings.dat")), QByteArray("[Checked]\r\nItem=Q\r\n"));
        QVERIFY(!QFile::exists(file("results.txt")));
        Q_UNUSED(before);
    }

    // Without Settings.dat the window's first-start values hold (the dictionary range ends at
    // ZYMOTIC), not the load defaults of a file that lacks the key (ZYMOLOGY).
    void withoutSettingsTheFirstStartValuesHold()
    {
        if (!copyDictionary())
            QSKIP("english.dat is not in the build folder");
        const QStringList range{"--set", "Dict/DictRange=0", "--set", "Dict/DictFrom=ZYMO"};
        CliResult r = run(range + QStringList{"list"});
        QCOMPARE(r.exitCode, 0);
        const QStringList firstStart = r.outLines();
        QVERIFY2(!firstStart.isEmpty(), r.err);
        QVERIFY(firstStart.last() <= QString("ZYMOTIC"));
        QVERIFY(firstStart.last() > QString("ZYMOLOGY"));
        QVERIFY(!QFile::exists(file("Settings.dat")));

        QVERIFY(writeFile(file("Settings.dat"), "[Options]\r\nDictCheck=1\r\n"));
        r = run(range + QStringList{"list"});
        QCOMPARE(r.exitCode, 0);
        const QStringList loadDefaults = r.outLines();
        QVERIFY(!loadDefaults.isEmpty());
        QVERIFY(loadDefaults.last() <= QString("ZYMOLOGY"));
        QCOMPARE(loadDefaults, firstStart.mid(0, loadDefaults.size()));
        QVERIFY(loadDefaults.size() < firstStart.size());
    }

    // A source that cannot give names is named on one line before the run, which goes on
    // with the other sources.
    void unavailableSourcesAreNamed_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("note");
        // The first-start values tick "Dictionary", but there is no english.dat here.
        QTest::newRow("dictionary") << QStringList{} << "english.dat is missing; the dictionary and sounds-like sources are off";
        QTest::newRow("import list") << QStringList{"--set", "Options/DictCheck=0", "--set", "Options/CustomListCheck=1",
                                                    "--set", "CustomList/UseList=/nonexistent/names.txt"}
                                     << "the import list /nonexistent/names.txt cannot be read";
    }
    void unavailableSourcesAreNamed()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, note);
        const CliResult r = run(args + QStringList{"--set", "Options/NumbersCheck=1", "--set", "Number/NumberTo=2", "list"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines(), QStringList({"0", "1", "2"}));
        QVERIFY2(r.err.startsWith("tarnwick-cli: ") && r.err.count('\n') == 1 && r.err.contains(note.toUtf8()), r.err);
    }

    // The TLD given apart, or carried by the name.
    void singleSearchPrintsTheReply_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("NAME TLD") << QStringList{"Example", ".test"};
        QTest::newRow("NAME.TLD") << QStringList{"Example.test"};
    }
    void singleSearchPrintsTheReply()
    {
        QFETCH(QStringList, args);
        whois_->setReply("Domain: EXAMPLE.TEST\r\nNo match for example.test\r\n");
        const CliResult r = run(loopbackOptions() + QStringList{"single"} + args);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(whois_->queries, QList<QByteArray>({"example.test"}));
        QStringList lines = r.outLines();
        lines.removeAll(QString());
        QCOMPARE(lines, QStringList({"Domain: EXAMPLE.TEST", "No match for example.test"}));
    }

    // "kavrel" chosen with the first entry of the TLD box is answered without a lookup;
    // a TLD written otherwise is no entry of the box, so the name is looked up.
    void kavrelWithTheFirstTld()
    {
        whois_->setReply("Registered\r\n");
        const QStringList options = loopbackOptions() + QStringList{"--server", ".com=127.0.0.1"};
        CliResult r = run(options + QStringList{"single", "KavRel", ".com"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines(), QStringList({"This one's taken, try again"}));
        QCOMPARE(whois_->connections, 0);

        r = run(options + QStringList{"single", "KavRel", ".COM"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(whois_->queries, QList<QByteArray>({"kavrel.COM"}));
    }

    // A run that a question stopped goes on, with --resume, from the domain it stopped at,
    // its results appended to the same file; a run that ends forgets where.
    void autoResumesWhereItStopped()
    {
        writeNumbersSettings(1, 4);
        whois_->setResponder([](const QByteArray& q) -> QByteArray {
            return q == "ab2.test" ? "Error WSAHOST_NOT_FOUND\r\n" : "Domain registered\r\n";
        });
        const QStringList options = loopbackOptions() + QStringList{"--tlds", ".test", "--results", "overwrite"};
        CliResult r = run(options + QStringList{"--on-error", "stop", "auto"});
        QCOMPARE(r.exitCode, 1);
        whois_->setResponder([](const QByteArray&) -> QByteArray { return "Domain registered\r\n"; });
        r = run(options + QStringList{"auto", "--resume"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines().constFirst(), QStringLiteral("AB2.test : Registered"));
        QFile results(file("results.txt"));
        QVERIFY(results.open(QIODevice::ReadOnly));
        const QByteArray text = results.readAll();
        QCOMPARE(text.count("--------------------\r\n"), 2);   // one header block
        for (const char* line : {"AB1.test : TAKEN\r\n", "AB2.test : TAKEN\r\n", "AB3.test : TAKEN\r\n", "AB4.test : TAKEN\r\n"})
            QCOMPARE(text.count(line), 1);
        // Nothing is left to continue: the next --resume starts from the first name.
        r = run(options + QStringList{"auto", "--resume"});
        QCOMPARE(r.outLines().constFirst(), QStringLiteral("AB1.test : Registered"));
        QVERIFY(r.err.contains("no stopped search"));
    }

    void singleSearchFailures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("lastLine");
        QTest::addColumn<QString>("message");
        const QString port = QString::number(FreeLoopbackPort());
        QTest::newRow("refused") << QStringList{"--server", ".test=127.0.0.1", "--whois-port", port, "single", "name", ".test"}
                                 << "An error occurred looking up 'name.test'" << "";
        QTest::newRow("no server for the TLD")
            << QStringList{"single", "name", ".no-such-tld"} << "An error occurred looking up 'name.no-such-tld'"
            << "Error: A server to use could not be found.\n";
        QTest::newRow("empty name") << QStringList{"single", "", ".com"} << ""
                                    << "Warning: Enter an address to check. \n";
    }
    void singleSearchFailures()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, lastLine);
        QFETCH(QString, message);
        const CliResult r = run(args);
        QCOMPARE(r.exitStatus, QProcess::NormalExit);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.outLines().value(0), lastLine);   // a line with the reason may follow
        QCOMPARE(QString::fromUtf8(r.err), message);
    }

    void autoPrintsEachResultAndTheCounters()
    {
        writeNumbersSettings(1, 3);
        const FileStamp before = stampOf(file("Settings.dat"));
        whois_->setResponder([](const QByteArray& q) -> QByteArray {
            return q == "ab2.test" ? "No entries: NOT FOUND\r\n" : "Domain registered\r\n";
        });
        const CliResult r = run(loopbackOptions() + QStringList{"--tlds", ".test", "auto"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());   // not a terminal: no progress line
        QCOMPARE(r.outLines(), QStringList({"AB1.test : Registered", "AB2.test" + kFree, "AB3.test : Registered",
                                            "3 checked, 2 taken, 1 free, 0 errors"}));
        QCOMPARE(whois_->queries, QList<QByteArray>({"ab1.test", "ab2.test", "ab3.test"}));
        QCOMPARE(readFile(file("results.txt")),
                 headerBytes() + "AB1.test : TAKEN\r\nAB2.test : FREE\r\nAB3.test : TAKEN\r\n");
        QCOMPARE(stampOf(file("Settings.dat")), before);
    }

    // The records of auto: the results file is written as ever, the counters go to standard error.
    void autoPrintsRecords()
    {
        writeNumbersSettings(1, 2);
        whois_->setReply("Domain registered\r\n");
        const CliResult r = run(loopbackOptions() + QStringList{"--tlds", ".test", "--format", "tsv", "auto"});
        QCOMPARE(r.exitCode, 0);
        QStringList lines = r.outLines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0), "domain\tname\ttld\tverdict\tstatus\troute\tserver\treason\tms");
        QVERIFY2(lines.at(2).startsWith("ab2.test\tAB2\t.test\ttaken\tRegistered\twhois\t127.0.0.1\t"), qPrintable(lines.at(2)));
        QCOMPARE(r.err, QByteArray("2 checked, 2 taken, 0 free, 0 errors\n"));
        QCOMPARE(readFile(file("results.txt")), headerBytes() + "AB1.test : TAKEN\r\nAB2.test : TAKEN\r\n");
    }

    // Runs that end before their first domain: a box, the counters untouched, exit 1.
    void autoEndsBeforeItsFirstDomain_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("no ticked TLD") << QStringList{"--tlds", ""}
                                       << "Warning: You have not selected any top level domains to check\n";
        QTest::newRow("no names") << QStringList{"--tlds", ".test", "--set", "Options/NumbersCheck=0"}
                                  << "Warning: There are no entries that match your criteria\n";
        QTest::newRow("sounds-like word too short")
            << QStringList{"--tlds", ".test", "--set", "Options/SoundexCheck=1", "--set", "Soundex/Text=ab"}
            << "Error: You must use at least 3 characters for a Sounds like search\n";
    }
    void autoEndsBeforeItsFirstDomain()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        writeNumbersSettings(1, 3, false);
        // "Sounds like" is off without the dictionary, whatever the options say.
        if (args.contains("Options/SoundexCheck=1") && !copyDictionary())
            QSKIP("english.dat is not in the build folder");
        const CliResult r = run(loopbackOptions() + args + QStringList{"auto"});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QString::fromUtf8(r.err), message);
        QCOMPARE(r.outLines(), QStringList({"0 checked, 0 taken, 0 free, 0 errors"}));
        QCOMPARE(whois_->connections, 0);
    }

    void resultsFileAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("fileAfter");
        const QByteArray old = "earlier run\r\n";
        const QByteArray lines = headerBytes() + "AB1.test : TAKEN\r\n";
        QTest::newRow("overwrite") << "overwrite" << 0 << lines;
        QTest::newRow("append") << "append" << 0 << old + lines;
        QTest::newRow("cancel") << "cancel" << 1 << old;
    }
    void resultsFileAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, fileAfter);
        writeNumbersSettings(1, 1);
        QVERIFY(writeFile(file("results.txt"), "earlier run\r\n"));
        whois_->setReply("Domain registered\r\n");
        const CliResult r = run(loopbackOptions() + QStringList{"--tlds", ".test", "--results", answer, "auto"});
        QCOMPARE(r.exitCode, exitCode);
        const QString question = "Question: Do you wish to overwrite \n\n" + file("results.txt")
            + "\n\nwith the results from this search ?\n\nPress Yes to overwrite the file,\nNo to append the results "
              "from this search,\nor Cancel to cancel the search.\n";
        QCOMPARE(QString::fromUtf8(r.err), question);
        QCOMPARE(readFile(file("results.txt")), fileAfter);
        if (answer == "cancel")
            QCOMPARE(r.outLines(), QStringList({"0 checked, 0 taken, 0 free, 0 errors"}));
        else
            QCOMPARE(r.outLines(), QStringList({"AB1.test : Registered", "1 checked, 1 taken, 0 free, 0 errors"}));
    }

    // A server that reports an unknown host asks whether to go on, and the first error of
    // a run asks again; --on-error answers both.
    void errorQuestionAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out");
        // The run reaches its end, but a domain ended in an error.
        QTest::newRow("continue") << "continue" << 3
                                  << QStringList{"AB1.test : Error", "AB2.test : Registered", "AB3.test : Registered",
                                                 "3 checked, 2 taken, 0 free, 1 errors"};
        QTest::newRow("stop") << "stop" << 1 << QStringList{"AB1.test : Error", "0 checked, 0 taken, 0 free, 0 errors"};
    }
    void errorQuestionAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        writeNumbersSettings(1, 3, false);
        whois_->setResponder([](const QByteArray& q) -> QByteArray {
            return q == "ab1.test" ? "Error WSAHOST_NOT_FOUND\r\n" : "Domain registered\r\n";
        });
        const CliResult r = run(loopbackOptions() + QStringList{"--tlds", ".test", "--on-error", answer, "auto"});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.outLines(), out);
        const QString question = "Error: There was an error checking the server 127.0.0.1.\n"
                                 "the reply reports Error WSAHOST_NOT_FOUND\n\nDo you wish to continue ?\n";
        QCOMPARE(QString::fromUtf8(r.err), answer == "stop" ? question : question + question);
    }

    // Even on the run's last domain, a No to the question about the results file ends
    // the run early; a Yes lets it reach its end without the file.
    void unwritableResultsFile_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("continue") << "continue" << 0;
        QTest::newRow("stop") << "stop" << 1;
    }
    void unwritableResultsFile()
    {
        QFETCH(QString, answer);
        QFETCH(int, exitCode);
        const QString path = file("no-such-folder/results.txt");
        QVERIFY(writeFile(file("Settings.dat"), "[Options]\r\nDictCheck=0\r\nNumbersCheck=1\r\nAutoSave=1\r\nAutoSaveTo="
                                                    + path.toUtf8() + "\r\n[Number]\r\nNumberFrom=100\r\nNumberTo=100\r\n"));
        whois_->setReply("Domain registered\r\n");
        const CliResult r = run(loopbackOptions() + QStringList{"--tlds", ".test", "--on-error", answer, "auto"});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.outLines(), QStringList({"100.test : Registered", "1 checked, 1 taken, 0 free, 0 errors"}));
        QCOMPARE(QString::fromUtf8(r.err), "Question: There was a problem saving the log file :\n\n" + path
                                               + "\n\nDo you wish to continue the search anyway ?\n");
        QVERIFY(!QFile::exists(path));
    }

    // Ctrl-C while a server holds the lookup: the wait ends at once and the run ends early.
    void ctrlCStopsTheRun()
    {
        writeNumbersSettings(1, 3, false);
        whois_->setMode(LoopbackWhoisServer::Mode::NeverAnswer);
        QSignalSpy queried(whois_, &LoopbackWhoisServer::queryReceived);
        QProcess* p = start(loopbackOptions() + QStringList{"--tlds", ".test", "auto"});
        QVERIFY(queried.wait(20000));
        QCOMPARE(::kill(static_cast<pid_t>(p->processId()), SIGINT), 0);
        const CliResult r = finish(p, 10000);
        QVERIFY(r.finished);
        QCOMPARE(r.exitStatus, QProcess::NormalExit);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(whois_->queries.size(), 1);
        QVERIFY2(r.outLines().value(r.outLines().size() - 1).endsWith(" errors"), r.out);
    }

    // On a terminal, standard error carries the progress line; results stay on standard output.
    void progressLineOnlyOnATerminal()
    {
        writeNumbersSettings(1, 2, false);
        whois_->setReply("Domain registered\r\n");
        whois_->answerDelayMs = 150;   // the line is drawn again after the first domain, with the time left
        int master = -1;
        int slave = -1;
        QVERIFY(::openpty(&master, &slave, nullptr, nullptr, nullptr) == 0);
        QProcess* p = new QProcess(this);
        p->setProcessEnvironment(withoutProxy());
        p->setProgram(kCli);
        p->setArguments(QStringList{"--program-folder", dir_->path()} + loopbackOptions()
                        + QStringList{"--tlds", ".test", "auto"});
        p->setChildProcessModifier([slave] { ::dup2(slave, STDERR_FILENO); });
        p->start();
        const CliResult r = finish(p);
        QByteArray terminal;
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            terminal.append(buffer, n);
        ::close(slave);
        ::close(master);

        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines(), QStringList({"AB1.test : Registered", "AB2.test : Registered",
                                            "2 checked, 2 taken, 0 free, 0 errors"}));
        QVERIFY2(terminal.contains(" checked, ") && terminal.contains(" domains per second"), terminal);
        static const QRegularExpression timeLeft(R"(1 checked, .* domains per second, 0:0[0-9] left)");
        QVERIFY2(QString::fromUtf8(terminal).contains(timeLeft), terminal);
        // The line is taken away at the end, so the shell prompt starts on a clean line.
        QVERIFY2(terminal.endsWith("\r\033[K"), terminal);
    }

    // check: names from the command line and standard input, each under its own TLD or
    // every ticked one, printed as auto prints or as records; the time of each lookup is 0 here.
    void checkNames_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QList<QByteArray>>("queries");
        const QStringList names{"--tlds", ".net", "check", "freeone.com", "takentwo"};
        const QStringList out{"FREEONE.com" + kFree, "TAKENTWO.net : Registered", "2 checked, 1 taken, 1 free, 0 errors"};
        const QList<QByteArray> queries{"freeone.com", "takentwo.net"};
        QTest::newRow("arguments") << names << QByteArray() << out << "" << 0 << queries;
        QTest::newRow("one lookup at a time") << QStringList{"--set", "Lookup/Parallel=1"} + names << QByteArray() << out << ""
                                              << 0 << queries;
        QTest::newRow("the longest known ending") << QStringList{"--server", ".co.uk=127.0.0.1", "check", "Shop.Example.CO.UK."}
                                                  << QByteArray() << QStringList{"SHOPEXAMPLE.co.uk : Registered", "1 checked, 1 taken, 0 free, 0 errors"}
                                                  << "" << 0 << QList<QByteArray>{"shopexample.co.uk"};
        QTest::newRow("a web address, a TLD in its own script")
            << QStringList{"--server", ".xn--p1ai=127.0.0.1", "--tlds", QStringLiteral(".рф"), "check", "https://www.freeone.com/shop?x=1",
                           QStringLiteral("takentwo.рф")}
            << QByteArray() << QStringList{"FREEONE.com" + kFree, "TAKENTWO.xn--p1ai : Registered", "2 checked, 1 taken, 1 free, 0 errors"}
            << "" << 0 << QList<QByteArray>{"freeone.com", "takentwo.xn--p1ai"};
        QTest::newRow("standard input") << QStringList{"--tlds", ".net", "check", "-"} << QByteArray("freeone.com\r\ntakentwo")
                                        << out << "" << 0 << queries;
        QTest::newRow("cleaned, each once")
            << QStringList{"--tlds", ".test,.net", "check"} << QByteArray("  www.Free-One \n\nfree-one\n!!!\nab\nTakenTwo.TEST.\n")
            << QStringList{"FREE-ONE.net" + kFree, "FREE-ONE.test" + kFree,
                           "AB : Invalid Name : Address too short, must be at least 3 characters", "TAKENTWO.test : Registered",
                           "4 checked, 1 taken, 2 free, 1 errors"}
            << "tarnwick-cli: '!!!' holds no name to check; left out\n" << 0
            << QList<QByteArray>{"free-one.net", "free-one.test", "takentwo.test"};
        QTest::newRow("a TLD the table lacks")
            << QStringList{"check", "shopname.nosuchtld"}
            << QByteArray() << QStringList{"SHOPNAME.nosuchtld : Error, Try using another server for this domain extension !",
                                           "1 checked, 0 taken, 0 free, 1 errors"}
            << "" << 3 << QList<QByteArray>{};
        QTest::newRow("jsonl")
            << QStringList{"--tlds", ".test", "--format", "jsonl", "check", "freeone", "-", "ab"} << QByteArray("takentwo.net")
            << QStringList{"{\"domain\": \"freeone.test\", \"name\": \"FREEONE\", \"tld\": \".test\", \"verdict\": \"free\", \"status\": \"FREE, Click on the Register Domain button now !\", \"route\": \"whois\", \"server\": \"127.0.0.1\", \"reason\": \"the reply holds \\\"NOT FOUND\\\"\", \"ms\": 0}",
                           "{\"domain\": \"takentwo.net\", \"name\": \"TAKENTWO\", \"tld\": \".net\", \"verdict\": \"taken\", \"status\": \"Registered\", \"route\": \"whois\", \"server\": \"127.0.0.1\", \"reason\": \"the reply lacks \\\"NOT FOUND\\\"\", \"ms\": 0}",
                           "{\"domain\": \"ab\", \"name\": \"AB\", \"tld\": \"\", \"verdict\": \"invalid\", \"status\": \"Invalid Name : Address too short, must be at least 3 characters\", \"route\": \"\", \"server\": \"\", \"reason\": \"Invalid Name : Address too short, must be at least 3 characters\", \"ms\": 0}"}
            << "3 checked, 1 taken, 1 free, 1 errors\n" << 0 << QList<QByteArray>{"freeone.test", "takentwo.net"};
        const QString closedPort = QString::number(FreeLoopbackPort());
        QTest::newRow("tsv, lookups failed")
            << QStringList{"--whois-port", closedPort, "--tlds", ".test", "--format", "tsv", "check", "alpha", "beta", "gamma"} << QByteArray()
            << QStringList{"domain\tname\ttld\tverdict\tstatus\troute\tserver\treason\tms",
                           "alpha.test\tALPHA\t.test\terror\tError, Try using another server for this domain extension !\twhois\t127.0.0.1\tunreachable: Connection refused\t0",
                           "beta.test\tBETA\t.test\terror\tError, Try using another server for this domain extension !\twhois\t127.0.0.1\tnot asked again: it failed earlier in this search\t0",
                           "gamma.test\tGAMMA\t.test\terror\tError, Try using another server for this domain extension !\twhois\t127.0.0.1\tnot asked again: it failed earlier in this search\t0"}
            << "Error: There was an error checking the server 127.0.0.1.\nunreachable: Connection refused\n\n"
               "Do you wish to continue ?\n3 checked, 0 taken, 0 free, 3 errors\n"
            << 3 << QList<QByteArray>{};
    }
    void checkNames()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        QFETCH(int, exitCode);
        QFETCH(QList<QByteArray>, queries);
        whois_->setResponder([](const QByteArray& q) -> QByteArray {
            return q.startsWith("free") ? "No entries: NOT FOUND\r\n" : "Domain registered\r\n";
        });
        QProcess* p = start(loopbackOptions() + QStringList{"--server", ".com=127.0.0.1", "--server", ".net=127.0.0.1"} + args);
        p->write(input);
        p->closeWriteChannel();
        const CliResult r = finish(p);
        QStringList lines = r.outLines();
        static const QRegularExpression time(R"((?<="ms": |\t)[0-9]+(?=}?$))");
        for (QString& line : lines) {
            if (line.startsWith('{'))
                QVERIFY2(QJsonDocument::fromJson(line.toUtf8()).isObject(), qPrintable(line));
            line.replace(time, "0");
        }
        QCOMPARE(lines, out);
        QCOMPARE(QString::fromUtf8(r.err), err);
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(whois_->queries, queries);
    }

    // Each name of standard input is checked as soon as its line is there.
    void checkReadsStandardInputAsItComes()
    {
        whois_->setReply("Domain registered\r\n");
        QProcess* p = start(loopbackOptions() + QStringList{"--tlds", ".test", "check"});
        p->write("firstname\n");
        QSignalSpy output(p, &QProcess::readyReadStandardOutput);
        QVERIFY(output.wait(20000));
        QCOMPARE(p->readAllStandardOutput(), QByteArray("FIRSTNAME.test : Registered\n"));
        p->write("secondname\n");
        p->closeWriteChannel();
        const CliResult r = finish(p);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.outLines(), QStringList({"SECONDNAME.test : Registered", "2 checked, 2 taken, 0 free, 0 errors"}));
    }

    // Ctrl-C while check waits for its next name on standard input.
    void ctrlCStopsCheckWaitingForInput()
    {
        whois_->setReply("Domain registered\r\n");
        QProcess* p = start(loopbackOptions() + QStringList{"--tlds", ".test", "check"});
        p->write("firstname\n");
        QSignalSpy output(p, &QProcess::readyReadStandardOutput);
        QVERIFY(output.wait(20000));
        QCOMPARE(::kill(static_cast<pid_t>(p->processId()), SIGINT), 0);
        const CliResult r = finish(p, 10000);
        QVERIFY(r.finished);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.outLines(), QStringList({"FIRSTNAME.test : Registered", "1 checked, 1 taken, 0 free, 0 errors"}));
    }

    // `auto | head -2` over 9,000 names: once the reader is gone, the run stops at once.
    void closedOutputStopsTheRun()
    {
        writeNumbersSettings(0, 8999, false);
        whois_->answerDelayMs = 10;
        whois_->setReply("Domain registered\r\n");
        auto* shell = new QProcess(this);
        shell->setProcessEnvironment(withoutProxy());
        // The program's exit status follows on standard error.
        shell->start("/bin/sh", QStringList{"-c", R"({ "$0" "$@"; echo "exit $?" >&2; } | head -2)", kCli, "--program-folder",
                                            dir_->path()} + loopbackOptions() + QStringList{"--tlds", ".test", "auto"});
        QSignalSpy output(shell, &QProcess::readyReadStandardOutput);
        QByteArray lines;
        while (lines.count('\n') < 2 && output.wait(20000))
            lines += shell->readAllStandardOutput();
        QCOMPARE(lines, QByteArray("AB0.test : Registered\nAB1.test : Registered\n"));
        QElapsedTimer sinceHeadEnded;
        sinceHeadEnded.start();
        const CliResult r = finish(shell, 10000);
        QVERIFY(r.finished);
        QVERIFY2(sinceHeadEnded.elapsed() < 3000, QByteArray::number(sinceHeadEnded.elapsed()));
        QCOMPARE(r.err, QByteArray("exit 1\n"));
        QVERIFY2(whois_->queries.size() < 50, QByteArray::number(whois_->queries.size()));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
