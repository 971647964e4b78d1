#include "SearchRunHarness.h"
#include "engine/lookup/DefaultTLDInfoList.h"
#include "engine/lookup/FurtherTLDs.h"
#include <QDir>
#include <QElapsedTimer>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

// Whole automated runs against loopback whois and HTTP servers, with every question
// answered from a script: the questions and their texts, the entries and their order,
// the counters, the progress bar, the results file, and Stop.
namespace {
using ResultList = ISearchView::ResultList;

const QString kFailed = QStringLiteral("Error, Try using another server for this domain extension !");
const QString kErrorQuestion = QStringLiteral("There was an error checking the server.\r\rDo you wish to continue ?");

// The error questions with the server and the reason they name taken out.
QStringList WithoutServerAndReason(QStringList texts)
{
    static const QRegularExpression where(QStringLiteral("checking the server [^\r]*\\.\r[^\r]*\r\r"));
    for (QString& text : texts)
        text.replace(where, QStringLiteral("checking the server.\r\r"));
    return texts;
}
const QString kProxyNotice = QStringLiteral(
    "Proxy settings have been set up for Internet Explorer that\rdo not match those in Tarnwick.\r\r"
    "If you are behind a firewall, you can set the proxy settings under\r'Advanced' to match that of "
    "Internet Explorer and only use\rHTTP servers for searching.\r\r"
    "See the help file for more info on using Tarnwick with firewalls.\r\r");

QString OverwriteQuestion(const QString& path)
{
    return "Do you wish to overwrite \r\r" + path
        + "\r\rwith the results from this search ?\r\rPress Yes to overwrite the file,\rNo to append the results "
          "from this search,\ror Cancel to cancel the search.";
}
QString SavingProblem(const QString& path)
{
    return "There was a problem saving the log file :\r\r" + path + "\r\rDo you wish to continue the search anyway ?";
}
QString DeletingProblem(const QString& path)
{
    return "There was a problem deleting the log file :\r\r" + path + "\r\rDo you wish to continue the search anyway ?";
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
// Lets this process's files grow only to `bytes` while it lives, as a full disk would:
// a write past the limit fails (EFBIG) instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};
} // namespace

class TestAutomatedRun : public QObject {
    Q_OBJECT

private slots:
    void entriesNewestFirstOnScreenOldestFirstInTheFile()
    {
        SearchRunHarness h;
        h.setNames({"freeone", "takentwo"});
        h.addWhoisTLD(".com");
        h.addTLD(".org", QStringLiteral("127.0.0.1"), false);   // not ticked: never asked
        h.addHttpTLD(".net");
        h.runAutomated();

        QCOMPARE(h.view.progressMaximum, 4);
        QCOMPARE(h.view.progressPosition, 4);
        QCOMPARE(h.view.list(ResultList::All),
                 (QStringList{"TAKENTWO.net : Registered", "TAKENTWO.com : Registered",
                              "FREEONE.net : FREE, Click on the Register Domain button now !",
                              "FREEONE.com : FREE, Click on the Register Domain button now !"}));
        QCOMPARE(h.view.list(ResultList::Free),
                 (QStringList{"FREEONE.net : FREE, Click on the Register Domain button now !",
                              "FREEONE.com : FREE, Click on the Register Domain button now !"}));
        QCOMPARE(h.view.list(ResultList::Taken), (QStringList{"TAKENTWO.net : Registered", "TAKENTWO.com : Registered"}));
        QVERIFY(h.view.list(ResultList::Errors).isEmpty());
        QCOMPARE(h.view.counterText, QString("4 checked, 2 taken, 2 free, 0 errors"));
        QCOMPARE(h.resultsFile(), SearchRunHarness::Header()
                                      + "FREEONE.com : FREE\r\nFREEONE.net : FREE\r\nTAKENTWO.com : TAKEN\r\nTAKENTWO.net : TAKEN\r\n");
        QCOMPARE(h.whois.queries, (QList<QByteArray>{"freeone.com", "takentwo.com"}));
        QCOMPARE(h.http.requests.size(), 2);
        QVERIFY(h.boxes.shown.isEmpty());
        QVERIFY(h.view.resultsTabShown);
        QCOMPARE(h.view.displayCalls, QList<bool>{false});
    }

    void countersAfterFreeTakenFailedAndInvalid()
    {
        SearchRunHarness h;
        h.setNames({"freea", "takenb", "-bad", "failc", "freed"});
        h.addHttpTLD(".net");
        h.addTLD(".org", SearchRunHarness::RefusingWhoisHost());
        // The label as each entry appears: it counts the results before that entry.
        QHash<QString, QString> labelAt;
        h.view.onInsert = [&] {
            const QString top = h.view.list(ResultList::All).value(0);
            if (!labelAt.contains(top))
                labelAt.insert(top, h.view.counterText);
        };
        h.boxes.answer(MbYes);   // the first-error question
        h.runAutomated();

        QCOMPARE(h.view.counterText, QString("9 checked, 1 taken, 1 free, 7 errors"));
        QCOMPARE(h.view.progressPosition, 10);
        const QStringList errors = h.view.list(ResultList::Errors);
        QCOMPARE(errors.size(), 7);
        QCOMPARE(errors.last(), "FREEA.org : " + kFailed);
        QCOMPARE(errors.at(errors.size() - 3), QString("-BAD : Invalid Name : Must not begin with -"));
        QCOMPARE(errors.at(errors.size() - 4), "FAILC.net : " + kFailed);
        QCOMPARE(labelAt.value("FREEA.org : " + kFailed), QString("1 checked, 0 taken, 1 free, 0 errors"));
        QCOMPARE(labelAt.value("TAKENB.net : Registered"), QString("2 checked, 0 taken, 1 free, 1 errors"));
        QCOMPARE(labelAt.value("-BAD : Invalid Name : Must not begin with -"), QString("4 checked, 1 taken, 1 free, 2 errors"));
        QCOMPARE(labelAt.value("FAILC.net : " + kFailed), QString("5 checked, 1 taken, 1 free, 3 errors"));
        // Only the first error asks; the refused server is not asked again.
        QCOMPARE(WithoutServerAndReason(h.boxes.texts()), QStringList{kErrorQuestion});
        QVERIFY(h.boxes.texts().constFirst().contains(SearchRunHarness::RefusingWhoisHost() + QStringLiteral(".\runreachable: ")));
        QCOMPARE(h.boxes.shown.first().kind, MessageKind::Error);
        QCOMPARE(h.boxes.shown.first().buttons, MbYes | MbNo | MbContinueAll);
        QCOMPARE(h.engine.FailedServers.Entries(), (QStringList{"127.0.0.2", h.httpTemplate().toUpper()}));
        // The invalid name writes nothing.
        QVERIFY(!h.resultsFile().contains("BAD"));
        QVERIFY(h.resultsFile().endsWith("FREED.net : Error, Try using another server for this domain extension !\r\n"
                                         "FREED.org : Error, Try using another server for this domain extension !\r\n"));
    }

    void invalidNamesCountOnceAndAdvanceByTheTickedTLDs()
    {
        SearchRunHarness h;
        h.setNames({"ab", QString(51, 'x'), "bad-", "freeok"});
        h.addWhoisTLD(".com");
        h.addWhoisTLD(".net");
        h.addWhoisTLD(".info");
        QHash<QString, qint64> positionAt;   // the progress position as each entry appears
        h.view.onInsert = [&] { positionAt.insert(h.view.list(ResultList::All).value(0), h.view.progressPosition); };
        h.runAutomated();

        QCOMPARE(h.view.progressMaximum, 12);
        QCOMPARE(positionAt.value("AB : Invalid Name : Address too short, must be at least 3 characters"), 0);
        QCOMPARE(positionAt.value("BAD- : Invalid Name : Must not end with -"), 6);
        QCOMPARE(positionAt.value("FREEOK.net : FREE, Click on the Register Domain button now !"), 10);
        QCOMPARE(h.view.progressPosition, 12);
        QCOMPARE(h.view.list(ResultList::Errors),
                 (QStringList{"BAD- : Invalid Name : Must not end with -",
                              QString(51, 'X') + " : Invalid Name : Address too long, no longer than 50 characters allowed",
                              "AB : Invalid Name : Address too short, must be at least 3 characters"}));
        QCOMPARE(h.view.counterText, QString("6 checked, 0 taken, 3 free, 3 errors"));
        QCOMPARE(h.whois.queries, (QList<QByteArray>{"freeok.com", "freeok.net", "freeok.info"}));
        QVERIFY(h.boxes.shown.isEmpty());   // invalid names never ask
    }

    void resultsFileInItsThreeCases_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray before = SearchRunHarness::Header() + "OLD.com : TAKEN\r\n";
        const QByteArray lines = SearchRunHarness::Header() + "FREEX.com : FREE\r\nTAKENY.com : TAKEN\r\n";
        QTest::newRow("new file") << false << 0 << lines;
        QTest::newRow("Yes overwrites") << true << int(MbYes) << lines;
        QTest::newRow("No appends a second header block") << true << int(MbNo) << before + lines;
    }
    void resultsFileInItsThreeCases()
    {
        QFETCH(bool, fileExists);
        QFETCH(int, answer);
        QFETCH(QByteArray, expected);
        SearchRunHarness h;
        h.setNames({"freex", "takeny"});
        h.addWhoisTLD(".com");
        if (fileExists)
            WriteFile(h.resultsPath(), SearchRunHarness::Header() + "OLD.com : TAKEN\r\n");
        if (answer)
            h.boxes.answer(MessageButton(answer));
        h.runAutomated();

        QCOMPARE(h.resultsFile(), expected);
        if (fileExists) {
            QCOMPARE(h.boxes.texts(), QStringList{OverwriteQuestion(h.resultsPath())});
            QCOMPARE(h.boxes.shown.first().kind, MessageKind::Question);
            QCOMPARE(h.boxes.shown.first().buttons, MbYes | MbNo | MbCancel);
        } else {
            QVERIFY(h.boxes.shown.isEmpty());
        }
    }

    void cancelAtTheOverwriteQuestionEndsTheRun()
    {
        SearchRunHarness h;
        h.setNames({"freex"});
        h.addWhoisTLD(".com");
        WriteFile(h.resultsPath(), "kept\r\n");
        h.boxes.answer(MbCancel);
        h.runAutomated();

        QCOMPARE(h.resultsFile(), QByteArray("kept\r\n"));
        QCOMPARE(h.whois.connections, 0);
        QCOMPARE(h.view.counterText, QString("0 checked, 0 taken, 0 free, 0 errors"));
        QVERIFY(h.view.list(ResultList::All).isEmpty());
        QVERIFY(!h.view.resultsTabShown);
    }

    void failedDeletionAsksWhetherToGoOn_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes: run without saving") << int(MbYes);
        QTest::newRow("No: idle") << int(MbNo);
    }
    void failedDeletionAsksWhetherToGoOn()
    {
        QFETCH(int, answer);
        SearchRunHarness h;
        h.setNames({"freex"});
        h.addWhoisTLD(".com");
        // A folder in place of the file: it exists but cannot be deleted as a file.
        QVERIFY(QDir(h.dir.path()).mkpath(QStringLiteral("Tarnwick.txt/inside")));
        h.boxes.answer(MbYes);
        h.boxes.answer(MessageButton(answer));
        h.runAutomated();

        QCOMPARE(h.boxes.texts(), (QStringList{OverwriteQuestion(h.resultsPath()), DeletingProblem(h.resultsPath())}));
        QCOMPARE(h.boxes.shown.at(1).buttons, MbYes | MbNo);
        if (answer == MbYes) {
            QCOMPARE(h.view.list(ResultList::All), QStringList{"FREEX.com : FREE, Click on the Register Domain button now !"});
            QCOMPARE(h.boxes.shown.size(), 2);   // nothing is written, so no saving question
        } else {
            QCOMPARE(h.whois.connections, 0);
            QCOMPARE(h.view.displayCalls, QList<bool>{false});
        }
        QVERIFY(QFileInfo(h.resultsPath()).isDir());
    }

    void writeFailureAsksOnceAndStopsWriting_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<int>("answer");
        // Tests run as root, which writes into read-only folders: these places stop anyone.
        QTest::newRow("parent is a file, Yes") << "plain.txt/Tarnwick.txt" << int(MbYes);
        QTest::newRow("parent is a file, No") << "plain.txt/Tarnwick.txt" << int(MbNo);
        QTest::newRow("missing folder, Yes") << "no/such/folder/Tarnwick.txt" << int(MbYes);
        QTest::newRow("missing folder, No") << "no/such/folder/Tarnwick.txt" << int(MbNo);
    }
    void writeFailureAsksOnceAndStopsWriting()
    {
        QFETCH(QString, relative);
        QFETCH(int, answer);
        SearchRunHarness h;
        WriteFile(h.dir.filePath(QStringLiteral("plain.txt")), "a file\r\n");
        const QString path = h.dir.filePath(relative);
        h.view.opts.AutoSaveEdit = path;
        h.setNames({"freex", "takeny", "freez"});
        h.addWhoisTLD(".com");
        h.boxes.answer(MessageButton(answer));
        h.runAutomated();

        QCOMPARE(h.boxes.texts(), QStringList{SavingProblem(path)});
        QCOMPARE(h.boxes.shown.first().kind, MessageKind::Question);
        QCOMPARE(h.boxes.shown.first().buttons, MbYes | MbNo);
        if (answer == MbYes) {
            QCOMPARE(h.view.list(ResultList::All).size(), 3);
            QCOMPARE(h.view.counterText, QString("3 checked, 1 taken, 2 free, 0 errors"));
        } else {
            QCOMPARE(h.view.list(ResultList::All), QStringList{"FREEX.com : FREE, Click on the Register Domain button now !"});
            QCOMPARE(h.whois.queries.size(), 1);
            QCOMPARE(h.view.displayCalls, QList<bool>{false});
        }
        QVERIFY(!QFile::exists(path));
    }

    // The disk fills up part way through a run that appends to an earlier results file:
    // the question comes once, and the earlier lines and the lines written before the
    // disk filled are all still there.
    void fullDiskKeepsEarlierLines_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes goes on without the file") << int(MbYes);
        QTest::newRow("No ends the run") << int(MbNo);
    }
    void fullDiskKeepsEarlierLines()
    {
        QFETCH(int, answer);
        SearchRunHarness h;
        QStringList names;
        QByteArray wouldWrite = SearchRunHarness::Header();
        for (char c = 'a'; c <= 'l'; ++c) {
            names << QStringLiteral("free%1").arg(QLatin1Char(c));
            wouldWrite += "FREE" + QByteArray(1, char(c - 'a' + 'A')) + ".com : FREE\r\n";
        }
        h.setNames(names);
        h.addWhoisTLD(".com");
        const QByteArray earlier = QByteArray("EARLIER.com : TAKEN\r\n").repeated(10);
        WriteFile(h.resultsPath(), earlier);
        h.boxes.answer(MbNo);   // append to the earlier file
        h.boxes.answer(MessageButton(answer));
        {
            FileSizeLimit full(rlim_t(earlier.size() + 150));
            h.runAutomated();
        }

        QCOMPARE(h.boxes.texts(), (QStringList{OverwriteQuestion(h.resultsPath()), SavingProblem(h.resultsPath())}));
        const QByteArray file = h.resultsFile();
        QCOMPARE(file.size(), earlier.size() + 150);
        QVERIFY(file.startsWith(earlier));
        QVERIFY(wouldWrite.startsWith(file.mid(earlier.size())));   // what fitted, in order, nothing else
        // With No the run ends at the domain whose line did not fit; it is still shown.
        const int linesThatFitted = int(150 - SearchRunHarness::Header().size()) / int(qstrlen("FREEA.com : FREE\r\n"));
        QCOMPARE(h.view.list(ResultList::Free).size(), answer == MbYes ? names.size() : linesThatFitted + 1);
    }

    void allInvalidRunLeavesTheFileUntouched_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("no file yet") << false;
        QTest::newRow("appending to a file") << true;
    }
    void allInvalidRunLeavesTheFileUntouched()
    {
        QFETCH(bool, fileExists);
        SearchRunHarness h;
        h.setNames({"ab", "-abc", "abc-"});
        h.addWhoisTLD(".com");
        if (fileExists) {
            WriteFile(h.resultsPath(), "earlier run\r\n");
            h.boxes.answer(MbNo);
        }
        h.runAutomated();

        QCOMPARE(h.view.list(ResultList::Errors).size(), 3);
        QCOMPARE(QFile::exists(h.resultsPath()), fileExists);
        if (fileExists)
            QCOMPARE(h.resultsFile(), QByteArray("earlier run\r\n"));
        QCOMPARE(h.whois.connections, 0);
    }

    void questionsAfterErrors_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("viaWhois");   // the TLD's server: whois (refusing when a name fails) or HTTP
        QTest::addColumn<bool>("proxiesDiffer");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("answer");
        QTest::newRow("error on the last domain asks nothing") << QStringList{"freea", "failb"} << false << true << QStringList{} << int(MbYes);
        QTest::newRow("host not found on the last domain asks nothing") << QStringList{"hosta"} << true << true << QStringList{} << int(MbYes);
        QTest::newRow("failed HTTP lookup, proxies differ") << QStringList{"faila", "freeb", "freec"} << false << true << QStringList{kErrorQuestion} << int(MbYes);
        QTest::newRow("failed whois lookup, proxies agree") << QStringList{"faila", "freeb", "freec"} << true << false << QStringList{kErrorQuestion} << int(MbYes);
        QTest::newRow("failed whois lookup, proxies differ")
            << QStringList{"faila", "freeb", "freec"} << true << true << QStringList{kProxyNotice + kErrorQuestion} << int(MbYes);
        QTest::newRow("host not found, then the first-error question")
            << QStringList{"hosta", "hostb", "freec"} << true << false << QStringList{kErrorQuestion, kErrorQuestion, kErrorQuestion} << int(MbYes);
        QTest::newRow("host not found among the last two asks once")
            << QStringList{"freea", "hostb", "freec"} << true << false << QStringList{kErrorQuestion} << int(MbYes);
        QTest::newRow("do not ask again in this search")
            << QStringList{"hosta", "hostb", "freec"} << true << false << QStringList{kErrorQuestion} << int(MbContinueAll);
    }
    void questionsAfterErrors()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, viaWhois);
        QFETCH(bool, proxiesDiffer);
        QFETCH(QStringList, expected);
        QFETCH(int, answer);
        SearchRunHarness h;
        h.setNames(names);
        h.boxes.answer(static_cast<MessageButton>(answer));
        if (proxiesDiffer)
            h.setDifferingSystemProxy();
        // The HTTP server fails "fail..." names itself; a whois run with such a name goes to
        // a server that refuses every connection.
        const bool anyFails = !names.filter(QRegularExpression("^fail")).isEmpty();
        if (!viaWhois)
            h.addHttpTLD(".com");
        else
            h.addTLD(".com", anyFails ? SearchRunHarness::RefusingWhoisHost() : QStringLiteral("127.0.0.1"));
        h.runAutomated();

        QCOMPARE(WithoutServerAndReason(h.boxes.texts()), expected);
        for (const auto& box : h.boxes.shown) {
            QCOMPARE(box.kind, MessageKind::Error);
            QCOMPARE(box.buttons, MbYes | MbNo | MbContinueAll);
        }
        QCOMPARE(h.view.list(ResultList::All).size(), names.size());
    }

    void noAtAQuestionEndsTheRun_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("counters");
        // No at the host-not-found question: the entry is shown but neither counted nor written.
        QTest::newRow("No to host not found") << QList<int>{MbNo} << QByteArray() << "0 checked, 0 taken, 0 free, 0 errors";
        QTest::newRow("No to the first error")
            << QList<int>{MbYes, MbNo} << SearchRunHarness::Header() + "HOSTA.com : ERROR\r\n" << "1 checked, 0 taken, 0 free, 1 errors";
    }
    void noAtAQuestionEndsTheRun()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QByteArray, file);
        QFETCH(QString, counters);
        SearchRunHarness h;
        h.setNames({"hosta", "freeb", "freec"});
        h.addWhoisTLD(".com");
        for (const int answer : answers)
            h.boxes.answer(MessageButton(answer));
        h.runAutomated();

        QCOMPARE(h.boxes.shown.size(), answers.size());
        QCOMPARE(h.view.list(ResultList::All), QStringList{"HOSTA.com : Error"});
        QCOMPARE(h.view.list(ResultList::Errors), QStringList{"HOSTA.com : Error"});
        QCOMPARE(h.resultsFile(), file);
        QCOMPARE(h.view.counterText, counters);
        QCOMPARE(h.whois.queries.size(), 1);
    }

    void runsThatEndBeforeAnyLookup_data()
    {
        QTest::addColumn<bool>("soundexTicked");
        QTest::addColumn<QString>("soundexText");
        QTest::addColumn<bool>("anyTicked");
        QTest::addColumn<bool>("anyNames");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("text");
        QTest::newRow("sounds-like minimum") << true << "ab" << true << true << int(MessageKind::Error) << int(MbOk | MbNo)
                                             << "You must use at least 3 characters for a Sounds like search";
        QTest::newRow("no TLD ticked") << false << "ab" << false << true << int(MessageKind::Warning) << int(MbOk)
                                       << "You have not selected any top level domains to check";
        QTest::newRow("no names") << false << "" << true << false << int(MessageKind::Warning) << int(MbOk)
                                  << "There are no entries that match your criteria";
    }
    void runsThatEndBeforeAnyLookup()
    {
        QFETCH(bool, soundexTicked);
        QFETCH(QString, soundexText);
        QFETCH(bool, anyTicked);
        QFETCH(bool, anyNames);
        QFETCH(int, kind);
        QFETCH(int, buttons);
        QFETCH(QString, text);
        SearchRunHarness h;
        h.view.opts.SoundexCheck = soundexTicked;
        h.view.opts.SoundexEdit = soundexText;
        h.setNames(anyNames ? QStringList{"freex"} : QStringList{});
        h.addWhoisTLD(".com", anyTicked);
        // The sounds-like minimum comes before the question about an existing file.
        WriteFile(h.resultsPath(), "kept\r\n");
        if (!soundexTicked)
            h.boxes.answer(MbNo);
        h.runAutomated();

        const auto& last = h.boxes.shown.last();
        QCOMPARE(last.text, text);
        QCOMPARE(int(last.kind), kind);
        QCOMPARE(last.buttons, buttons);
        QCOMPARE(h.boxes.shown.size(), soundexTicked ? 1 : 2);
        QCOMPARE(h.whois.connections, 0);
        QCOMPARE(h.resultsFile(), QByteArray("kept\r\n"));
        QCOMPARE(h.view.resultsTabShown, !soundexTicked);
        QCOMPARE(h.view.displayCalls, soundexTicked ? QList<bool>{} : QList<bool>{false});
    }

    void shortSoundsLikeTextIsIgnoredWhenUnticked()
    {
        SearchRunHarness h;
        h.view.opts.SoundexEdit = QStringLiteral("ab");
        h.setNames({"freex"});
        h.addWhoisTLD(".com");
        h.runAutomated();
        QVERIFY(h.boxes.shown.isEmpty());
        QCOMPARE(h.view.list(ResultList::All).size(), 1);
    }

    void stopWhileTheListIsBuilt()
    {
        SearchRunHarness h;
        h.view.opts.CustomListCheck = false;
        h.view.opts.WordlistCheck = true;
        h.view.opts.Wordlist[0] = QStringLiteral("red");
        h.view.opts.Wordlist[1] = QStringLiteral("car");
        h.addWhoisTLD(".com");
        h.engine.pump().setHook([&] { h.engine.RequestStop(); });
        h.runAutomated();

        QCOMPARE(h.whois.connections, 0);
        QVERIFY(h.boxes.shown.isEmpty());
        for (const QStringList& list : h.view.lists)
            QVERIFY(list.isEmpty());
        QVERIFY(!QFile::exists(h.resultsPath()));
        QCOMPARE(h.view.progressMaximum, 0);
    }

    void stopEndsAHangingLookupAtOnce_data()
    {
        QTest::addColumn<bool>("viaWhois");
        QTest::newRow("whois server that never answers") << true;
        QTest::newRow("HTTP server that never answers") << false;
    }
    void stopEndsAHangingLookupAtOnce()
    {
        QFETCH(bool, viaWhois);
        SearchRunHarness h;
        h.setNames({"freea", "freeb", "freec"});
        h.addWhoisTLD(".com");
        h.addHttpTLD(".net");
        // Long bounds: if Stop did not end the wait, the run would sit here a minute.
        h.engine.Whois1.IdleTimeoutMs = h.engine.Http.IdleTimeoutMs = 60'000;
        if (viaWhois) {
            h.whois.setMode(LoopbackWhoisServer::Mode::NeverAnswer);
            QObject::connect(&h.whois, &LoopbackWhoisServer::queryReceived, &h.engine, [&] { h.engine.RequestStop(); });
        } else {
            h.http.setHandler([](const HttpRequestSeen&) { return ScriptedReply::Hostile(ScriptedReply::Mode::NeverAnswer); });
            QObject::connect(&h.http, &LoopbackHttpServer::requestReceived, &h.engine, [&] { h.engine.RequestStop(); });
        }
        QElapsedTimer timer;
        timer.start();
        h.runAutomated();

        QVERIFY2(timer.elapsed() < 30'000, "Stop did not end the network wait");
        // The domain being looked up gets no entry and no file line, and the run ends.
        const QStringList expected = viaWhois ? QStringList{}
                                              : QStringList{"FREEA.com : FREE, Click on the Register Domain button now !"};
        QCOMPARE(h.view.list(ResultList::All), expected);
        QCOMPARE(h.resultsFile(), viaWhois ? QByteArray() : SearchRunHarness::Header() + "FREEA.com : FREE\r\n");
        // With lookups in parallel, the names after it may have been asked already.
        if (h.engine.LookupParallel == 1 || viaWhois)
            QCOMPARE(h.whois.queries.size(), 1);
        else
            QVERIFY(h.whois.queries.size() <= 3);
        QCOMPARE(h.engine.FailedServers.Count(), 0);   // a stopped lookup is no fault of the server
        QVERIFY(h.boxes.shown.isEmpty());
        QCOMPARE(h.view.displayCalls, QList<bool>{false});
        QVERIFY(!h.engine.Whois1.Connected());
        QVERIFY(!h.engine.Http.Busy());
    }

    // A run stopped mid-way and continued from where it stopped leaves every domain once
    // in the results file, after one header.
    void continuedRunChecksTheRest_data()
    {
        QTest::addColumn<int>("stopAfter");   // results shown when Stop is pressed
        QTest::newRow("between the TLDs of a name") << 3;
        QTest::newRow("after a name's last TLD") << 4;
        QTest::newRow("after an invalid name") << 5;
    }
    void continuedRunChecksTheRest()
    {
        QFETCH(int, stopAfter);
        SearchRunHarness h;
        h.setNames({"freea", "takenb", "-bad", "freec", "takend"});
        h.addWhoisTLD(".com");
        h.addWhoisTLD(".net");
        h.view.onInsert = [&] {
            if (h.view.list(ResultList::All).size() == stopAfter)
                h.engine.RequestStop();
        };
        h.runAutomated();
        QVERIFY(!h.engine.LastRunFinished);
        const ResumePoint stopped = h.engine.StoppedAt;
        QVERIFY(stopped.isValid());
        QCOMPARE(stopped.fingerprint, RunFingerprint(h.view.opts, {".com", ".net"}));

        h.view.onInsert = nullptr;
        h.engine.ResumeFrom = stopped;
        h.runAutomated();
        QVERIFY(h.engine.LastRunFinished);
        QVERIFY(!h.engine.StoppedAt.isValid());
        QVERIFY(h.boxes.shown.isEmpty());   // the file of the stopped run is continued without asking
        QVERIFY(h.view.list(ResultList::All).constLast().startsWith(stopped.name));
        QByteArray expected = SearchRunHarness::Header();
        for (const char* line : {"FREEA.com : FREE", "FREEA.net : FREE", "TAKENB.com : TAKEN", "TAKENB.net : TAKEN",
                                 "FREEC.com : FREE", "FREEC.net : FREE", "TAKEND.com : TAKEN", "TAKEND.net : TAKEN"})
            expected += QByteArray(line) + "\r\n";
        QCOMPARE(h.resultsFile(), expected);
    }

    void stopIsSeenAfterEveryDomain_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("failing lookups") << "failing";
        QTest::newRow("invalid names") << "invalid";
        QTest::newRow("successful lookups") << "free";
        QTest::newRow("answered from the taken-list cache") << "cache";
    }
    void stopIsSeenAfterEveryDomain()
    {
        QFETCH(QString, kind);
        SearchRunHarness h;
        QStringList names;
        for (int i = 0; i < 20; ++i)
            names << (kind == "invalid" ? QStringLiteral("x%1-").arg(i) : QStringLiteral("free%1").arg(i));
        h.setNames(names);
        if (kind == "failing") {
            h.addTLD(".com", SearchRunHarness::RefusingWhoisHost());
        } else if (kind == "cache") {
            // One download of the registry's list; every later name is answered from the file.
            h.engine.TakenListCache.RegistryHosts[QStringLiteral("FI")] = QString::fromLatin1(h.http.hostAndPort());
            h.addTLD(".fi", QStringLiteral("Cache Domains Taken List"));
        } else {
            h.addWhoisTLD(".com");
        }
        h.boxes.answer(MbYes);   // the first-error question, where it comes
        // Stop pressed while the third result is being shown.
        h.view.onInsert = [&] {
            if (h.view.list(ResultList::All).size() == 3)
                h.engine.RequestStop();
        };
        h.runAutomated();

        QCOMPARE(h.view.list(ResultList::All).size(), 3);
        QCOMPARE(h.view.progressPosition, 3);
        QCOMPARE(h.view.displayCalls, QList<bool>{false});
        const QByteArray file = h.resultsFile();
        QCOMPARE(file.count("\r\n"), kind == "invalid" ? 0 : 5 + 3);
        if (kind == "free")
            QCOMPARE(h.whois.queries.size(), 3);
        if (kind == "cache") {
            QCOMPARE(h.view.list(ResultList::Free).size(), 3);
            QCOMPARE(h.http.requests.size(), 1);
        }
    }

    // Every TLD the program offers, ticked, over loopback services that find no name:
    // RDAP (for every other TLD label) answers 404, whois "No match". A brand TLD's name is
    // never asked and never FREE; a TLD with eligibility rules says so in its FREE entry.
    void noFreeUnderABrandTLD()
    {
        SearchRunHarness h;
        h.setNames({"freeone"});
        BuildDefaultTLDInfoList(h.engine.builtinTables(), h.engine.TLDInfoList, {});
        for (const FurtherTLD& further : FurtherTLDs(h.engine.builtinTables(), h.engine.RdapBootstrap))
            h.engine.TLDInfoList.Add(further.TLD, further.Server, QString(), false);
        QHash<QString, QString> services;
        for (int i = 0; i < h.engine.TLDInfoList.Count(); ++i) {
            TLDInfo& entry = h.engine.TLDInfoList.At(i);
            entry.Server = QStringLiteral("127.0.0.1");
            entry.MatchText = QStringLiteral("No match");
            entry.Checked = true;
            if (i % 2)
                services.insert(entry.TLD.section(QLatin1Char('.'), -1), QString::fromLatin1(h.http.origin()) + "/rdap/");
        }
        h.engine.RdapEnabled = true;
        h.engine.RdapBootstrap.Use(services, {});
        h.http.setHandler([](const HttpRequestSeen&) { return ScriptedReply::Page(R"({"errorCode":404})", 404); });
        h.runAutomated();

        const QStringList entries = h.view.list(ResultList::All);
        QCOMPARE(entries.size(), h.engine.TLDInfoList.Count());
        QStringList closed;
        for (const QString& entry : entries)
            if (entry.endsWith(QLatin1String(" : Not open to the public (brand TLD)")))
                closed.append(entry.section(QLatin1Char(' '), 0, 0).mid(7));   // after "FREEONE"
        QVERIFY2(closed.size() > 400, qPrintable(QString::number(closed.size())));
        for (const char* brand : {".google", ".bmw", ".amazon", ".xn--cckwcxetd"})   // .アマゾン
            QVERIFY2(closed.contains(QLatin1String(brand)), brand);
        for (const char* open : {".com", ".de", ".app"})
            QVERIFY2(!closed.contains(QLatin1String(open)), open);
        QCOMPARE(h.view.list(ResultList::Free).size() + closed.size(), entries.size());
        QVERIFY(h.view.list(ResultList::Free).contains(
            "FREEONE.bank : FREE (eligibility rules apply), Click on the Register Domain button now !"));
        QVERIFY(h.view.list(ResultList::Free).contains("FREEONE.com : FREE, Click on the Register Domain button now !"));
        QCOMPARE(h.view.counterText, QStringLiteral("%1 checked, %2 taken, %3 free, 0 errors")
                                         .arg(entries.size()).arg(closed.size()).arg(entries.size() - closed.size()));
        QVERIFY(h.resultsFile().contains("\r\nFREEONE.google : TAKEN\r\n"));
        // No registry heard of a brand TLD's name.
        QList<QByteArray> asked = h.whois.queries;
        for (const HttpRequestSeen& request : h.http.requests)
            asked.append(request.path.mid(request.path.lastIndexOf('/') + 1));
        QCOMPARE(asked.size() + closed.size(), entries.size());
        for (const QByteArray& domain : asked)
            QVERIFY2(!closed.contains(QString::fromLatin1(domain.mid(domain.indexOf('.')))), domain.constData());
    }
};

QTEST_GUILESS_MAIN(TestAutomatedRun)
#include "tst_automatedrun.moc"
