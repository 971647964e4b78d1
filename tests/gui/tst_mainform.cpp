// The real main window and the TLD dialog under the offscreen platform, with their
// files in a temporary program folder.
#include "engine/Misc1.h"
#include "engine/ProjectInfo.h"
#include "settings/CheckStates.h"
#include "settings/IniFile.h"
#include "settings/MainOptionsFile.h"
#include "FakeHelpSystem.h"
#include "FakeShellLauncher.h"
#include "LoopbackWhoisServer.h"
#include "ScriptedMessageBoxes.h"
#include "ui/MainForm.h"
#include "ui/TLDForm.h"
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

const char* const kTLDs[] = {".com", ".net", ".org", ".edu", ".co.uk", ".de", ".info"};

// Runs `step` on the modal dialog as soon as it is shown.
void OnModalDialog(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        step(modal);
    });
}

void Press(QWidget* parent, const char* buttonName)
{
    auto* button = parent->findChild<QPushButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button, buttonName);
    button->click();
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TMisc1> engine_;
    std::unique_ptr<TMainForm> form_;
    ScriptedMessageBoxes boxes_;
    FakeHelpSystem help_;
    FakeShellLauncher launcher_;

    QString settingsPath() const { return dir_->filePath(QStringLiteral("Settings.dat")); }
    QString dictionaryPath() const { return dir_->filePath(QStringLiteral("english.dat")); }

    template <typename T> T* child(const char* name) const
    {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    // A fresh window as start-up leaves it: options read, TLDInfoList filled, the quick
    // ticks bound to their handler.
    void createForm()
    {
        form_ = std::make_unique<TMainForm>(*engine_);
        // english.dat itself belongs to the dictionary's tests: here its loading succeeds.
        form_->setDictionaryLoader([] { return true; });
        form_->setHelpSystem(&help_);
        form_->setShellLauncher(&launcher_);
        form_->FormCreate();
        form_->setQuickTicksFromTLDInfoList();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    QList<bool> savedChecks() const
    {
        IniFile ini(settingsPath());
        QList<bool> flags(engine_->TLDInfoList.Count(), false);
        UnpackCheckStates(ini, flags, QStringLiteral("Checked"));
        return flags;
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        boxes_ = ScriptedMessageBoxes();
        help_ = FakeHelpSystem();
        launcher_ = FakeShellLauncher();
        engine_ = std::make_unique<TMisc1>();
        engine_->setProgramFolder(dir_->path());
        engine_->setMessageBoxes(&boxes_);
        for (const char* tld : kTLDs)
            engine_->TLDInfoList.Add(QString::fromLatin1(tld), QStringLiteral("whois.example"), QStringLiteral("No match"), false);
        QFile dictionary(dictionaryPath());
        QVERIFY(dictionary.open(QIODevice::WriteOnly));
        createForm();
    }

    void cleanup()
    {
        form_.reset();
        engine_.reset();
        dir_.reset();
    }

    void quickTickWritesCheckedAtOnce()
    {
        QFile::remove(settingsPath());
        auto* ticks = child<QListWidget>("DomainCheck");
        ticks->item(1)->setCheckState(Qt::Checked);   // ".net"
        QVERIFY(engine_->TLDInfoList.At(1).Checked);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(1)"));
        QVERIFY(QFile::exists(settingsPath()));
        const QList<bool> saved = savedChecks();
        QCOMPARE(saved, CheckStatesOf(engine_->TLDInfoList));
        QCOMPARE(saved.at(1), true);
        QCOMPARE(saved.count(true), 1);
    }

    void countOfQuickAndDialogTicks()
    {
        auto* ticks = child<QListWidget>("DomainCheck");
        for (int i : {0, 2, 3})
            ticks->item(i)->setCheckState(Qt::Checked);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(3)"));

        OnModalDialog([](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("TLDChecks"));
            QCOMPARE(list->count(), 7);
            QCOMPARE(list->item(0)->checkState(), Qt::Checked);
            QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
            list->item(4)->setCheckState(Qt::Checked);
            list->item(6)->setCheckState(Qt::Checked);
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QStringLiteral("5"));
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Items Selected"));
            Press(dialog, "OKBtn");
        });
        form_->DomainBtnClick();

        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(5)"));
        QVERIFY(engine_->TLDInfoList.At(4).Checked);
        QVERIFY(engine_->TLDInfoList.At(6).Checked);
        QVERIFY(!engine_->TLDInfoList.At(5).Checked);
        // The four quick ticks stay as they were, and the file holds the new selection.
        QCOMPARE(ticks->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(savedChecks(), CheckStatesOf(engine_->TLDInfoList));
    }

    void dialogUntickMirrorsIntoQuickTicks()
    {
        auto* ticks = child<QListWidget>("DomainCheck");
        ticks->item(1)->setCheckState(Qt::Checked);
        OnModalDialog([](QWidget* dialog) {
            dialog->findChild<QListWidget*>(QStringLiteral("TLDChecks"))->item(1)->setCheckState(Qt::Unchecked);
            Press(dialog, "OKBtn");
        });
        form_->DomainBtnClick();
        QCOMPARE(ticks->item(1)->checkState(), Qt::Unchecked);
        QVERIFY(!engine_->TLDInfoList.At(1).Checked);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(0)"));
        // The quick ticks are still bound to their handler after the dialog.
        ticks->item(2)->setCheckState(Qt::Checked);
        QVERIFY(engine_->TLDInfoList.At(2).Checked);
    }

    void dialogLabelsAndButtons()
    {
        engine_->TLDInfoList.At(5).Checked = true;
        OnModalDialog([this](QWidget* dialog) {
            auto* label2 = dialog->findChild<QLabel*>(QStringLiteral("Label2"));
            auto* label1 = dialog->findChild<QLabel*>(QStringLiteral("Label1"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select TLDs"));
            QCOMPARE(label2->text(), QStringLiteral("1"));
            QCOMPARE(label1->text(), QStringLiteral("Item Selected"));
            Press(dialog, "SelectAllBtn");
            QCOMPARE(label2->text(), QStringLiteral("7"));
            QCOMPARE(label1->text(), QStringLiteral("Items Selected"));
            Press(dialog, "DeselectAllBtn");
            QCOMPARE(label2->text(), QStringLiteral("No"));
            QCOMPARE(label1->text(), QStringLiteral("Item Selected"));
            // Nothing reaches the list before OK.
            QVERIFY(engine_->TLDInfoList.At(5).Checked);
            Press(dialog, "OKBtn");
        });
        form_->DomainBtnClick();
        QCOMPARE(CheckStatesOf(engine_->TLDInfoList).count(true), 0);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(0)"));
    }

    void dialogCancelAndUnchangedOK()
    {
        engine_->TLDInfoList.At(4).Checked = true;
        QFile::remove(settingsPath());

        // OK without a change writes nothing.
        OnModalDialog([](QWidget* dialog) { Press(dialog, "OKBtn"); });
        form_->DomainBtnClick();
        QVERIFY(!QFile::exists(settingsPath()));

        // Cancel leaves the list alone but recounts and writes the selection as it is.
        OnModalDialog([](QWidget* dialog) {
            Press(dialog, "SelectAllBtn");
            Press(dialog, "CancelBtn");
        });
        form_->DomainBtnClick();
        QCOMPARE(CheckStatesOf(engine_->TLDInfoList).count(true), 1);
        QVERIFY(engine_->TLDInfoList.At(4).Checked);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(1)"));
        QCOMPARE(savedChecks(), CheckStatesOf(engine_->TLDInfoList));

        // Its close box does neither.
        QFile::remove(settingsPath());
        OnModalDialog([](QWidget* dialog) {
            Press(dialog, "SelectAllBtn");
            dialog->close();
        });
        form_->DomainBtnClick();
        QCOMPARE(CheckStatesOf(engine_->TLDInfoList).count(true), 1);
        QVERIFY(!QFile::exists(settingsPath()));
    }

    // The filter leaves the TLDs that hold the text, letter case aside (an IDN TLD also by
    // its letters); Select All acts on what it shows; the count is of every tick; OK
    // writes them all back.
    void dialogFilterTicksAndCounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("sho") << "sho" << QStringList{".shop", ".shopping", ".show"};
        QTest::newRow("capitals and the dot") << ".SHOP" << QStringList{".shop", ".shopping"};
        QTest::newRow("an IDN TLD by its letters") << "рф" << QStringList{".xn--p1ai (.рф)"};
        QTest::newRow("none") << "qqq" << QStringList{};
    }
    void dialogFilterTicksAndCounts()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        form_.reset();
        for (const char* tld : {".shop", ".shopping", ".app", ".show", ".xn--p1ai"})
            engine_->TLDInfoList.Add(QString::fromLatin1(tld), QStringLiteral("whois.example"), QStringLiteral("No match"), false);
        createForm();
        child<QListWidget>("DomainCheck")->item(0)->setCheckState(Qt::Checked);   // .com, which no filter here shows
        OnModalDialog([&](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("TLDChecks"));
            auto shownTexts = [list] {
                QStringList texts;
                for (int i = 0; i < list->count(); ++i)
                    if (!list->item(i)->isHidden())
                        texts.append(list->item(i)->text());
                return texts;
            };
            dialog->findChild<QLineEdit*>(QStringLiteral("FilterEdit"))->insert(typed);
            QCOMPARE(shownTexts(), shown);
            Press(dialog, "SelectAllBtn");
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("Label2"))->text(), QString::number(1 + shown.size()));
            dialog->findChild<QLineEdit*>(QStringLiteral("FilterEdit"))->clear();
            QCOMPARE(shownTexts().size(), engine_->TLDInfoList.Count());
            Press(dialog, "OKBtn");
        });
        form_->DomainBtnClick();
        QStringList ticked;
        for (int i = 0; i < engine_->TLDInfoList.Count(); ++i)
            if (engine_->TLDInfoList.At(i).Checked)
                ticked.append(engine_->TLDInfoList.At(i).TLD);
        QStringList expected{".com"};
        for (const QString& text : shown)
            expected.append(text.section(QLatin1Char(' '), 0, 0));
        QCOMPARE(ticked, expected);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), "(" + QString::number(expected.size()) + ")");
    }

    void shortTLDListTicksOnlyItsEntries()
    {
        form_.reset();
        engine_->TLDInfoList.Clear();
        engine_->TLDInfoList.Add(QStringLiteral(".com"), QStringLiteral("whois.example"), QString(), false);
        engine_->TLDInfoList.Add(QStringLiteral(".net"), QStringLiteral("whois.example"), QString(), false);
        createForm();
        OnModalDialog([](QWidget* dialog) {
            Press(dialog, "SelectAllBtn");
            Press(dialog, "OKBtn");
        });
        form_->DomainBtnClick();
        auto* ticks = child<QListWidget>("DomainCheck");
        QCOMPARE(ticks->item(0)->checkState(), Qt::Checked);
        QCOMPARE(ticks->item(1)->checkState(), Qt::Checked);
        QCOMPARE(ticks->item(2)->checkState(), Qt::Unchecked);
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(2)"));
    }

    void resultListSwitching_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("itemText");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("band");
        QTest::newRow("all") << 0 << "All Results" << "AutoResults" << "All Results";
        QTest::newRow("free") << 1 << "Domains Free" << "DomainsFreeList" << "Free Domains";
        QTest::newRow("taken") << 2 << "Domains Taken" << "DomainsTakenList" << "Domain Names Taken";
        QTest::newRow("errors") << 3 << "Errors" << "DomainErrorsList" << "Errors";
    }

    void resultListSwitching()
    {
        QFETCH(int, item);
        QFETCH(QString, itemText);
        QFETCH(QString, list);
        QFETCH(QString, band);
        child<QTabWidget>("MainPage")->setCurrentIndex(1);
        child<QTabWidget>("AutomatedPageControl")->setCurrentIndex(1);
        auto* combo = child<QComboBox>("ShowResultsCombo");
        combo->setCurrentIndex(item == 0 ? 3 : 0);
        combo->setCurrentIndex(item);
        QCOMPARE(combo->currentText(), itemText);
        QCOMPARE(child<QLabel>("Panel6")->text(), band);
        for (const char* name : {"AutoResults", "DomainsFreeList", "DomainsTakenList", "DomainErrorsList"})
            QCOMPARE(child<QListView>(name)->isVisible(), list == QLatin1String(name));
    }

    void resultsShowNewestFirst()
    {
        form_->insertResultAtTop(ISearchView::ResultList::Taken, QStringLiteral("first"));
        form_->insertResultAtTop(ISearchView::ResultList::Taken, QStringLiteral("second"));
        QAbstractItemModel* model = child<QListView>("DomainsTakenList")->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("second"));
        QCOMPARE(child<QListView>("AutoResults")->model()->rowCount(), 0);
    }

    void wordLengthClamps()
    {
        child<QCheckBox>("WordLengthCheck")->setChecked(true);
        auto* low = child<QSpinBox>("WordLength1");
        auto* high = child<QSpinBox>("WordLength2");
        QCOMPARE(low->maximum(), 22);
        QCOMPARE(high->maximum(), 50);
        high->setValue(20);
        low->selectAll();
        QTest::keyClicks(low, QStringLiteral("21"));
        QTest::keyClick(low, Qt::Key_Return);
        QCOMPARE(low->value(), 20);

        low->setValue(15);
        high->selectAll();
        QTest::keyClicks(high, QStringLiteral("9"));
        QTest::keyClick(high, Qt::Key_Return);
        QCOMPARE(high->value(), 15);
    }

    void keyFilters_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("single keeps the dot, drops the blank") << "SingleEdit" << "my.do main-9" << "my.domain-9";
        QTest::newRow("single refuses other marks") << "SingleEdit" << "a_b!c@" << "abc";
        QTest::newRow("word list") << "Wordlist3" << "one.two three" << "onetwothree";
        QTest::newRow("sounds like") << "SoundexEdit" << "sm.ith" << "smith";
        QTest::newRow("prefix") << "RangePre" << "ab.c d" << "ABCD";
        QTest::newRow("dictionary from takes blank") << "DictFromEdit" << "ad hoc.x" << "AD HOCX";
        QTest::newRow("dictionary to takes blank") << "DictToEdit" << "zy mo" << "ZY MO";
    }

    void keyFilters()
    {
        QFETCH(QString, entry);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        child<QCheckBox>("DictCheck")->setChecked(true);
        child<QRadioButton>("DictRadio2")->setChecked(true);
        child<QCheckBox>("NumbersCheck")->setChecked(true);
        child<QCheckBox>("WordlistCheck")->setChecked(true);
        child<QCheckBox>("SoundexCheck")->setChecked(true);
        auto* edit = child<QLineEdit>(entry.toLatin1().constData());
        QVERIFY(edit->isEnabled());
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), shown);
        // Control keys still work.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
    }

    void prefixAndSuffixFollowTheirEntries()
    {
        child<QCheckBox>("NumbersCheck")->setChecked(true);
        auto* pre = child<QLineEdit>("RangePre");
        auto* preCheck = child<QCheckBox>("RangeCheck1");
        QTest::keyClicks(pre, QStringLiteral("ab"));
        QVERIFY(preCheck->isChecked());
        QTest::keyClick(pre, Qt::Key_Backspace);
        QVERIFY(preCheck->isChecked());
        QTest::keyClick(pre, Qt::Key_Backspace);
        QVERIFY(!preCheck->isChecked());

        child<QLineEdit>("RangeSuf")->setText(QStringLiteral("X"));
        QVERIFY(child<QCheckBox>("RangeCheck2")->isChecked());

        // The space bar does not toggle "Prefix".
        preCheck->setFocus();
        QTest::keyClick(preCheck, Qt::Key_Space);
        QVERIFY(!preCheck->isChecked());
    }

    void sectionsFoldAndRangeEnables()
    {
        auto* numbers = child<QCheckBox>("NumbersCheck");
        auto* panel = child<QWidget>("NumbersPanel");
        numbers->setChecked(true);
        QApplication::processEvents();
        const int open = panel->sizeHint().height();
        QVERIFY(child<QSpinBox>("NumberTo")->isEnabled());
        numbers->setChecked(false);
        QApplication::processEvents();
        QVERIFY(panel->sizeHint().height() < open / 2);
        QVERIFY(!child<QSpinBox>("NumberTo")->isEnabled());

        child<QCheckBox>("DictCheck")->setChecked(true);
        QVERIFY(!child<QLineEdit>("DictFromEdit")->isEnabled());
        child<QRadioButton>("DictRadio2")->setChecked(true);
        QVERIFY(child<QLineEdit>("DictFromEdit")->isEnabled());
        QVERIFY(child<QLabel>("Label5")->isEnabled());
        child<QRadioButton>("DictRadio1")->setChecked(true);
        QVERIFY(!child<QLineEdit>("DictToEdit")->isEnabled());
    }

    void startStaysDisabledDuringRun()
    {
        auto* start = child<QPushButton>("StartBtn");
        auto* stop = child<QPushButton>("StopBtn");
        auto* pages = child<QTabWidget>("MainPage");
        QVERIFY(start->isEnabled());
        QVERIFY(!stop->isEnabled());
        int runs = 0;
        form_->setSearchHook([&](bool single) {
            ++runs;
            QVERIFY(single);
            QVERIFY(!start->isEnabled());
            QVERIFY(stop->isEnabled());
            QVERIFY(!child<QWidget>("OptPanel")->isEnabled());
            pages->setCurrentIndex(1);
            QVERIFY(!start->isEnabled());
            QCOMPARE(start->toolTip(), QStringLiteral("Start Automated Search"));
            pages->setCurrentIndex(0);
            QVERIFY(!start->isEnabled());
            // A second Start inside the run does nothing.
            form_->StartBtnClick();
            stop->click();
            QCOMPARE(engine_->StopRequest, 1);
        });
        start->click();
        QCOMPARE(runs, 1);
        QVERIFY(start->isEnabled());
        QVERIFY(!stop->isEnabled());
        QVERIFY(child<QWidget>("OptPanel")->isEnabled());
        QCOMPARE(start->toolTip(), QStringLiteral("Start Single Search"));
        QCOMPARE(child<QLabel>("MultiplecountLbl")->text(), QStringLiteral("0 checked, 0 taken, 0 free, 0 errors"));
    }

    void startClearsResultsAndSavesOptions()
    {
        form_->insertResultAtTop(ISearchView::ResultList::All, QStringLiteral("old"));
        engine_->CheckedCount = 4;
        QFile::remove(settingsPath());
        child<QLineEdit>("SingleEdit")->setText(QStringLiteral("example"));
        form_->setSearchHook([](bool) {});
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(child<QListView>("AutoResults")->model()->rowCount(), 0);
        QCOMPARE(engine_->CheckedCount, 0);
        MainOptions loaded;
        QVERIFY(LoadMainOptions(settingsPath(), dir_->path(), loaded));
        QCOMPARE(loaded.SingleEdit, QStringLiteral("example"));
    }

    void closingDuringRunStopsFirst()
    {
        QSignalSpy closed(form_.get(), &TMainForm::closed);
        child<QLineEdit>("SoundexEdit")->setText(QStringLiteral("ZEBRA"));
        form_->setSearchHook([&](bool) {
            QVERIFY(!form_->close());
            QCOMPARE(engine_->StopRequest, 1);
            QVERIFY(form_->isVisible());
            QCOMPARE(closed.count(), 0);
        });
        child<QPushButton>("StartBtn")->click();
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(!form_->isVisible());
        QCOMPARE(engine_->TLDInfoList.Count(), 0);
        form_.reset();   // FormDestroy
        MainOptions loaded;
        QVERIFY(LoadMainOptions(settingsPath(), dir_->path(), loaded));
        QCOMPARE(loaded.SoundexEdit, QStringLiteral("ZEBRA"));
    }

    // A server that sends a byte now and then holds the lookup far longer than a test may
    // last. Meanwhile the window must keep repainting and take the Stop button, which
    // ends the lookup at once.
    void windowAnswersWhileAServerTrickles()
    {
        LoopbackWhoisServer server;
        QVERIFY(server.listen());
        server.setMode(LoopbackWhoisServer::Mode::Trickle);
        server.trickleIntervalMs = 50;
        server.setReply("   Domain Name: EXAMPLE.COM\r\n");
        engine_->Whois1.Port = server.port();
        engine_->Whois1.IdleTimeoutMs = engine_->Whois1.ExchangeTimeoutMs = 60'000;
        engine_->TLDInfoList.At(0).Server = QStringLiteral("127.0.0.1");
        engine_->setView(form_.get());   // as start-up does: the search reads and writes this window
        child<QLineEdit>("SingleEdit")->setText(QStringLiteral("example"));
        child<QComboBox>("TLDCombo")->setCurrentIndex(0);
        child<QTabWidget>("MainPage")->setCurrentIndex(0);

        auto* results = child<QWidget>("SingleResults");
        int paints = 0;
        struct PaintCounter : QObject {
            int* count;
            explicit PaintCounter(int* c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint)
                    ++*count;
                return false;
            }
        } counter(&paints);
        results->installEventFilter(&counter);

        int paintsWhileWaiting = 0;
        QElapsedTimer sinceStop;
        connect(&server, &LoopbackWhoisServer::queryReceived, this, [&] {
            QTimer::singleShot(150, this, [&] {
                paints = 0;
                results->update();
                QTimer::singleShot(150, this, [&] {
                    paintsWhileWaiting = paints;
                    QVERIFY(child<QPushButton>("StopBtn")->isEnabled());
                    sinceStop.start();
                    child<QPushButton>("StopBtn")->click();
                });
            });
        });
        QElapsedTimer run;
        run.start();
        child<QPushButton>("StartBtn")->click();

        QVERIFY2(run.elapsed() < 20'000, "the lookup went on after Stop");
        QVERIFY(sinceStop.isValid());
        QVERIFY2(sinceStop.elapsed() < 2000, qPrintable(QString::number(sinceStop.elapsed())));
        QVERIFY(paintsWhileWaiting > 0);
        QVERIFY(server.bytesSent > 0);
        QVERIFY(child<QPushButton>("StartBtn")->isEnabled());
        QVERIFY(!engine_->Whois1.Connected());
        results->removeEventFilter(&counter);
        engine_->setView(nullptr);
    }

    void startUpWithoutDictionary()
    {
        form_.reset();
        MainOptions saved = FirstStartOptions(dir_->path());
        saved.DictCheck = true;
        saved.SoundexCheck = true;
        SaveMainOptions(settingsPath(), saved);
        QVERIFY(QFile::remove(dictionaryPath()));
        createForm();
        for (const char* name : {"DictCheck", "SoundexCheck"}) {
            QVERIFY2(!child<QCheckBox>(name)->isChecked(), name);
            QVERIFY2(!child<QCheckBox>(name)->isEnabled(), name);
        }
        QVERIFY(!child<QWidget>("DictPanel")->isEnabled());
        QVERIFY(!child<QWidget>("SoundexPanel")->isEnabled());
        QCOMPARE(child<QLabel>("StatusLbl")->text(), QStringLiteral("Tarnwick v2.00"));
        QVERIFY(boxes_.shown.isEmpty());
    }

    void startUpWithUnreadableDictionary()
    {
        form_.reset();
        form_ = std::make_unique<TMainForm>(*engine_);
        form_->setDictionaryLoader([] { return false; });
        form_->FormCreate();
        QCOMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown.at(0).kind, MessageKind::Error);
        QVERIFY(!child<QCheckBox>("DictCheck")->isEnabled());
        QVERIFY(!child<QCheckBox>("SoundexCheck")->isEnabled());
        QVERIFY(!form_->dictionaryPresent());
    }

    void firstStartDefaults()
    {
        QCOMPARE(child<QLineEdit>("AutoSaveEdit")->text(), dir_->path() + QStringLiteral("/Tarnwick.txt"));
        QCOMPARE(child<QTabWidget>("MainPage")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>("SepCombo")->currentText(), QStringLiteral("New Line"));
        QVERIFY(child<QCheckBox>("SaveCheck")->isChecked());
        QVERIFY(!child<QCheckBox>("NumbersCheck")->isChecked());
        QCOMPARE(child<QLineEdit>("DictFromEdit")->text(), QStringLiteral("AA"));
        QCOMPARE(child<QLineEdit>("DictToEdit")->text(), QStringLiteral("ZYMOTIC"));
        QCOMPARE(child<QSpinBox>("NumberTo")->maximum(), 9999999);
        QCOMPARE(child<QPushButton>("RegisterBtn")->toolTip(), QStringLiteral("Link to internet for \ndomain name registration"));
        // The design size, or more where the font needs it.
        QVERIFY(form_->width() >= 617 && form_->height() >= 415);
    }

    void pastedTextIsNotFiltered()
    {
        auto* edit = child<QLineEdit>("SingleEdit");
        edit->clear();
        QApplication::clipboard()->setText(QStringLiteral("my.site"));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("my.site"));
    }

    void linksAndHelp()
    {
        QCOMPARE(help_.file, dir_->path() + QStringLiteral("/Tarnwick.hlp"));
        child<QPushButton>("HelpBtn")->click();
        QCOMPARE(help_.commands, (QList<QPair<int, int>>{{15, -3}}));

        child<QPushButton>("RegisterBtn")->click();
        QTest::mouseClick(child<QLabel>("Label10"), Qt::LeftButton);
        QCOMPARE(launcher_.targets.size(), 2);
        QVERIFY(launcher_.targets.at(0).startsWith(QStringLiteral("https://")));
        QVERIFY(launcher_.targets.at(0) != launcher_.targets.at(1));
        QCOMPARE(launcher_.parameters, (QStringList{QString(), QString()}));
        QVERIFY(boxes_.shown.isEmpty());

        // A failure shows its box; the window goes on.
        launcher_.code = ShellCode::AccessDenied;
        child<QPushButton>("RegisterBtn")->click();
        QCOMPARE(boxes_.shown.size(), 1);
        QCOMPARE(boxes_.shown.at(0).kind, MessageKind::Error);
        QVERIFY(boxes_.shown.at(0).text.contains(launcher_.targets.at(0)));

        int shown = 0;
        form_->setAdvancedDialogHook([&] { ++shown; });
        child<QPushButton>("Button1")->click();
        QCOMPARE(shown, 1);
    }

    // Enter starts the single search and Escape during it presses Stop; the web-site link
    // is reached with Tab and opened with Enter, and a link nothing can open says so.
    void keyboardStartsStopsAndOpensTheLink()
    {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        int runs = 0;
        form_->setSearchHook([&](bool single) {
            ++runs;
            QVERIFY(single);
            QTest::keyClick(child<QLineEdit>("SingleEdit"), Qt::Key_Escape);
            QCOMPARE(engine_->StopRequest, 1);
        });
        QTest::keyClick(child<QLineEdit>("SingleEdit"), Qt::Key_Return);
        QCOMPARE(runs, 1);

        auto* link = child<QLabel>("Label10");
        child<QPushButton>("RegisterBtn")->setFocus();
        QTest::keyClick(child<QPushButton>("RegisterBtn"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        launcher_.code = ShellCode::NoAssociation;
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(launcher_.targets, (QStringList{ProjectInfo::WebSite(), ProjectInfo::WebSite()}));
        QCOMPARE(boxes_.texts().value(0), NoBrowserText(ProjectInfo::WebSite()));
        child<QPushButton>("RegisterBtn")->click();
        QCOMPARE(boxes_.texts().value(2), NoBrowserText(ProjectInfo::RegistrarSignUp()));
    }

    // Tab follows the reading order of each page: each section's fields after its heading.
    void tabFollowsTheReadingOrder_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("single search") << 0
            << QStringList{"SingleEdit", "TLDCombo", "SingleResults", "StartBtn", "HelpBtn", "Button1", "RegisterBtn", "Label10"};
        QTest::newRow("search options") << 1
            // The two radio buttons are one stop; the arrow keys move between them.
            << QStringList{"DomainCheck", "DomainBtn", "SaveCheck", "AutoSaveEdit", "Button4", "DictCheck", "DictRadio1",
                           "DictFromEdit", "DictToEdit", "WordLengthCheck", "WordLength1", "WordLength2", "MinusCheck",
                           "WordlistCheck", "Wordlist1", "Wordlist2", "Wordlist3", "Wordlist4", "WordMinusCheck",
                           "NumbersCheck", "NumberFrom", "NumberTo", "RangeCheck1", "RangePre", "RangeCheck2", "RangeSuf",
                           "SoundexCheck", "SoundexEdit", "CustomListCheck", "UseList", "Button5", "SepCombo"};
    }
    void tabFollowsTheReadingOrder()
    {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        child<QTabWidget>("MainPage")->setCurrentIndex(page);
        for (const char* section : {"DictCheck", "WordlistCheck", "NumbersCheck", "SoundexCheck", "CustomListCheck",
                                    "WordLengthCheck"})
            child<QCheckBox>(section)->setChecked(true);
        child<QRadioButton>("DictRadio2")->setChecked(true);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        child<QWidget>(order.first().toLatin1().constData())->setFocus();
        QStringList visited;
        for (int i = 0; i < 3 * order.size() && visited.size() < order.size(); ++i) {
            // A control's inner parts (the edit of a spin box) stand for the control.
            QWidget* focus = QApplication::focusWidget();
            while (focus && (focus->objectName().isEmpty() || focus->objectName().startsWith(QLatin1String("qt_"))))
                focus = focus->parentWidget();
            if (focus && order.contains(focus->objectName()) && (visited.isEmpty() || visited.last() != focus->objectName()))
                visited << focus->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited.join(QLatin1Char(' ')), order.join(QLatin1Char(' ')));
    }

    // Texts on the window's own coloured backgrounds set their text colour too, so they stay
    // readable under a dark palette.
    void ownBackgroundsStayReadableUnderADarkPalette_data()
    {
        QTest::addColumn<QString>("background");   // the widget that paints the background
        QTest::addColumn<QString>("text");         // the widget whose text is on it (empty: the same)
        QTest::newRow("http://www.") << "AddressPanel" << "AddressLbl";
        QTest::newRow("Address band") << "AddressBand" << "";
        QTest::newRow("Domains :") << "DomainsBand" << "DomainsLbl";
        QTest::newRow("domain count") << "DomainsBand" << "DomainCountLbl";
        QTest::newRow("section heading") << "DictPanelHeader" << "DictCheck";
        QTest::newRow("text in a section's frame") << "WordlistPanel" << "WordlistLbl";
        QTest::newRow("Options band") << "OptionsBand" << "";
        QTest::newRow("web-site link") << "MainForm" << "Label10";
        QTest::newRow("TLD dialog OK") << "OKBtn" << "";
        QTest::newRow("TLD dialog Cancel") << "CancelBtn" << "";
    }
    void ownBackgroundsStayReadableUnderADarkPalette()
    {
        QFETCH(QString, background);
        QFETCH(QString, text);
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(0x2b, 0x2b, 0x2b), QColor(0x2b, 0x2b, 0x2b));   // buttons and windows
        for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            dark.setColor(role, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        QApplication::setPalette(dark);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(light); });
        form_.reset();
        createForm();
        child<QTabWidget>("MainPage")->setCurrentIndex(background.startsWith(QLatin1String("Address")) ? 0 : 1);
        child<QCheckBox>("WordlistCheck")->setChecked(true);
        TTLDForm dialog(*engine_, form_.get());
        dialog.show();
        QWidget* window = background.endsWith(QLatin1String("Btn")) ? static_cast<QWidget*>(&dialog) : form_.get();
        QWidget* holder = window->objectName() == background ? window : window->findChild<QWidget*>(background);
        QWidget* shown = text.isEmpty() ? holder : holder->findChild<QWidget*>(text);
        QVERIFY(holder && shown);
        // The lightest or darkest pixel against the commonest one (the background), inside
        // the frame of a button, whose border is no text.
        const QImage image = holder->grab().toImage();
        const QRect area = QRect(shown->mapTo(holder, QPoint(0, 0)), shown->size()).adjusted(3, 3, -3, -3);
        QHash<QRgb, int> counts;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                ++counts[image.pixel(QPoint(x, y) * image.devicePixelRatio())];
        const QRgb ground = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](const auto& a, const auto& b) { return a.second < b.second; })->first;
        int contrast = 0;
        for (const QRgb colour : counts.keys())
            contrast = qMax(contrast, qAbs(qGray(colour) - qGray(ground)));
        QVERIFY2(contrast > 100, qPrintable(QStringLiteral("contrast %1 of 255").arg(contrast)));
    }

    // The results-file chooser does not ask about replacing a file: the run asks.
    void resultsFileChooserDoesNotAskTwice()
    {
        const QString existing = dir_->filePath(QStringLiteral("old.txt"));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        bool asked = false;
        OnModalDialog([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    asked = true;
                    box->button(QMessageBox::Yes)->click();
                }
            });
            dialog->selectFile(existing);
            static_cast<QDialog*>(dialog)->accept();   // QFileDialog::accept, which would ask
        });
        child<QPushButton>("Button4")->click();
        QVERIFY(!asked);
        QCOMPARE(child<QLineEdit>("AutoSaveEdit")->text(), existing);
    }

    void defaultsKeepMissingDictionaryOff()
    {
        form_->setDictionaryPresent(false);
        child<QCheckBox>("NumbersCheck")->setChecked(true);
        child<QComboBox>("ShowResultsCombo")->setCurrentIndex(2);
        form_->restoreMainDefaults();
        QVERIFY(!child<QCheckBox>("DictCheck")->isChecked());
        QVERIFY(!child<QCheckBox>("NumbersCheck")->isChecked());
        QCOMPARE(child<QLabel>("Panel6")->text(), QStringLiteral("All Results"));
        QCOMPARE(child<QLineEdit>("DictToEdit")->text(), QStringLiteral("ZYMOLOGY"));
        QCOMPARE(child<QLineEdit>("SingleEdit")->text(), QStringLiteral("yournewwebsite"));
    }

    void savedTLDChoiceWaitsForTheTLDBox_data()
    {
        QTest::addColumn<int>("saved");
        QTest::addColumn<QString>("shown");
        QTest::newRow("in the list") << 2 << ".org";
        QTest::newRow("beyond the end") << 9 << ".com";
        QTest::newRow("none") << -1 << ".com";
    }

    void savedTLDChoiceWaitsForTheTLDBox()
    {
        QFETCH(int, saved);
        QFETCH(QString, shown);
        form_.reset();
        MainOptions options = FirstStartOptions(dir_->path());
        options.TLDComboIndex = saved;
        SaveMainOptions(settingsPath(), options);
        createForm();
        form_->clearTLDCombo();
        form_->setTLDComboItems({QStringLiteral(".com"), QStringLiteral(".net"), QStringLiteral(".org")});
        form_->selectSavedTLD();
        QCOMPARE(child<QComboBox>("TLDCombo")->currentText(), shown);
    }

    void closingWhenIdle()
    {
        QSignalSpy closed(form_.get(), &TMainForm::closed);
        QVERIFY(form_->close());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(help_.quitCount, 1);
    }

    void optionsSurviveRestart()
    {
        child<QLineEdit>("SingleEdit")->setText(QStringLiteral("tarnwick"));
        child<QCheckBox>("NumbersCheck")->setChecked(true);
        child<QSpinBox>("NumberFrom")->setValue(12);
        child<QSpinBox>("NumberTo")->setValue(3456);
        child<QLineEdit>("RangePre")->setText(QStringLiteral("AB"));
        child<QCheckBox>("WordlistCheck")->setChecked(true);
        child<QLineEdit>("Wordlist2")->setText(QStringLiteral("blue"));
        child<QCheckBox>("SaveCheck")->setChecked(false);
        child<QComboBox>("SepCombo")->setCurrentIndex(2);
        child<QCheckBox>("WordLengthCheck")->setChecked(true);
        child<QSpinBox>("WordLength1")->setValue(3);
        child<QSpinBox>("WordLength2")->setValue(12);
        const MainOptions before = form_->options();
        form_.reset();   // closing writes the options

        createForm();
        QCOMPARE(form_->options(), before);
        QVERIFY(child<QCheckBox>("RangeCheck1")->isChecked());
        QVERIFY(!child<QWidget>("NumbersPanelInner")->isHidden());
        QVERIFY(child<QSpinBox>("WordLength2")->isEnabled());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
