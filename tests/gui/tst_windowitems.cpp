// The main window as a person meets it: the single search's reply and verdict, the domain
// box, layouts at other fonts, long runs, the result lists, the keyboard and first start.
// The real windows under the offscreen platform, a loopback whois server, files in a
// temporary folder.
#include "engine/Misc1.h"
#include "engine/runs/ResultListModel.h"
#include "FakeHelpSystem.h"
#include "LoopbackWhoisServer.h"
#include "ScriptedMessageBoxes.h"
#include "ui/AdvancedForm.h"
#include "ui/MainForm.h"
#include "ui/ResultLists.h"
#include "ui/TLDForm.h"
#include "ui/WindowWiring.h"
#include <QApplication>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using ResultList = ISearchView::ResultList;

class TestWindowItems : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TMisc1> engine_;
    std::unique_ptr<TMainForm> form_;
    ScriptedMessageBoxes boxes_;
    FakeHelpSystem help_;
    LoopbackWhoisServer whois_;

    template <typename T> T* child(const char* name) const
    {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

private slots:
    void initTestCase() { QVERIFY(whois_.listen()); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        boxes_ = ScriptedMessageBoxes();
        help_ = FakeHelpSystem();
        engine_ = std::make_unique<TMisc1>();
        engine_->setProgramFolder(dir_->path());
        engine_->setMessageBoxes(&boxes_);
        engine_->Whois1.Port = whois_.port();
        makeForm();
    }

    // The window as start-up leaves it; closing it empties TLDInfoList, which a new one fills again.
    void makeForm()
    {
        if (engine_->TLDInfoList.Count() == 0)
            for (const char* tld : {".com", ".net", ".org", ".edu", ".co.uk", ".de", ".xn--p1ai"})
                engine_->TLDInfoList.Add(QString::fromLatin1(tld), QStringLiteral("127.0.0.1"), QStringLiteral("Status: free"), false);
        form_ = std::make_unique<TMainForm>(*engine_);
        engine_->setView(form_.get());
        form_->setHelpSystem(&help_);
        form_->FormCreate();
        form_->setTLDComboItems({".com", ".net", ".org", ".edu", ".co.uk", ".de", ".xn--p1ai"});
        form_->setQuickTicksFromTLDInfoList();
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup()
    {
        form_.reset();
        engine_.reset();
        dir_.reset();
    }

    // A UTF-8 reply with CR LF line ends shows line for line under its verdict.
    void singleSearchShowsTheReplyAsText()
    {
        whois_.setReply("Domain: kitchen.de\r\nRegistrant Organization: M\xc3\xbcller B\xc3\xa4""ckerei GmbH\r\n\r\n"
                        "Changed:\t2024-05-01\r\n");
        QTest::keyClicks(child<QLineEdit>("SingleEdit"), QStringLiteral("kitchen.de"));
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(child<QLabel>("SingleStateLbl")->text(), QStringLiteral("kitchen.de is registered"));
        QCOMPARE(child<QPlainTextEdit>("SingleResults")->toPlainText(),
                 QStringLiteral("Domain: kitchen.de\nRegistrant Organization: Müller Bäckerei GmbH\n\nChanged:\t2024-05-01"));

        whois_.setReply("Status: free\r\n");
        child<QLineEdit>("SingleEdit")->setText(QStringLiteral("freebird"));
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(child<QLabel>("SingleStateLbl")->text(), QStringLiteral("freebird.de is free"));
    }

    // Typed or pasted, addresses and names in any script become the name and its TLD.
    void pastedTextIsCleaned_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");     // key by key, else pasted at once
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("tld");
        QTest::addColumn<bool>("refused");   // an ending that is no known TLD: said, not sent
        QTest::newRow("web address") << "https://www.example.com/shop?x=1" << false << "example.com" << ".com" << false;
        QTest::newRow("web address, typed") << "https://www.example.com/" << true << "example.com" << ".com" << false;
        QTest::newRow("port and country TLD") << "www.example.co.uk:8080" << false << "example.co.uk" << ".co.uk" << false;
        QTest::newRow("port, typed") << "example.de:8080/" << true << "example.de" << ".de" << false;
        QTest::newRow("IDN name and TLD") << QStringLiteral("пример.рф") << false << QStringLiteral("пример.рф") << ".xn--p1ai" << false;
        QTest::newRow("name in another script, typed") << QStringLiteral("bücher") << true << QStringLiteral("bücher") << ".com" << false;
        QTest::newRow("unknown ending") << "example.foo" << false << "example.foo" << ".com" << true;
    }
    void pastedTextIsCleaned()
    {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QString, box);
        QFETCH(QString, tld);
        QFETCH(bool, refused);
        int searches = 0;
        form_->setSearchHook([&](bool) { ++searches; });
        auto* edit = child<QLineEdit>("SingleEdit");
        edit->setFocus();
        if (typed) {
            for (const QChar c : text)   // keyClicks() knows only ASCII
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        } else {
            QApplication::clipboard()->setText(text);
            edit->paste();
        }
        QCOMPARE(edit->text(), box);
        QCOMPARE(child<QComboBox>("TLDCombo")->currentText(), tld);
        QCOMPARE(!child<QLabel>("InputHintLbl")->isHidden(), refused);
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(searches, refused ? 0 : 1);
        if (!refused)
            QCOMPARE(form_->options().TLDComboText, tld);
    }

    // At small and large fonts every control and one-line text of every page gets at
    // least the room it needs, and lies inside its window.
    void everyControlFits_data()
    {
        QTest::addColumn<qreal>("points");
        QTest::newRow("8 points") << 8.0;
        QTest::newRow("12 points") << 12.0;
    }
    void everyControlFits()
    {
        QFETCH(qreal, points);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        form_.reset();
        init();
        const auto advanced = CreateAdvancedDialog(*engine_, *form_);
        advanced->show();
        TTLDForm tlds(*engine_, form_.get());
        tlds.show();
        for (const char* section : {"WordlistCheck", "NumbersCheck", "SoundexCheck", "CustomListCheck"})
            child<QCheckBox>(section)->setChecked(true);
        // The counters of a long run, and its rate as it shows while the run goes on.
        form_->setCounterText(QStringLiteral("123456 checked, 100000 taken, 20000 free, 3456 errors"));
        child<QLabel>("RunRateLbl")->setText(QStringLiteral("12.3 a second, about 2 h 15 min left"));
        child<QLabel>("RunRateLbl")->show();

        const auto check = [](QWidget* window, const QString& page) {
            QApplication::processEvents();
            for (QWidget* w : window->findChildren<QWidget*>()) {
                const auto* label = qobject_cast<QLabel*>(w);
                const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)
                                     || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)
                                     || (label && !label->wordWrap() && !label->text().isEmpty());
                // Controls of our own; the parts Qt builds them from ("qt_spinbox_lineedit") follow them.
                if (!control || !w->isVisible() || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                const QString where = page + QLatin1Char('/') + w->objectName();
                const QSize need = w->minimumSizeHint();
                QVERIFY2(w->width() >= need.width() && w->height() >= need.height(), qPrintable(where));
                const QRect inWindow(w->mapTo(window, QPoint()), w->size());
                // Inside a scroll box a control may lie beyond what is shown; the box scrolls.
                bool scrolled = false;
                for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
                    scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(p);
                QVERIFY2(scrolled || w->window() != window || window->rect().contains(inWindow), qPrintable(where));
            }
        };
        auto* pages = child<QTabWidget>("MainPage");
        auto* automated = child<QTabWidget>("AutomatedPageControl");
        for (int page = 0; page < 3; ++page) {
            pages->setCurrentIndex(page == 0 ? 0 : 1);
            automated->setCurrentIndex(page == 2 ? 1 : 0);
            check(form_.get(), QStringLiteral("main %1").arg(page));
        }
        for (int page = 0; page < advanced->PageControl1->count(); ++page) {
            advanced->PageControl1->setCurrentIndex(page);
            check(advanced.get(), QStringLiteral("advanced %1").arg(page));
        }
        check(&tlds, QStringLiteral("TLD dialog"));
    }

    // Escape and closing ask before ending a run past a few domains; the end of a
    // run is said under the counters.
    void longRunsAskBeforeTheyEnd()
    {
        child<QTabWidget>("MainPage")->setCurrentIndex(1);
        int questions = 0;
        form_->setSearchHook([&](bool) {
            engine_->CheckedCount = TMainForm::kFewDomains;
            QTest::keyClick(form_.get(), Qt::Key_Escape);   // a few: ends without asking
            QCOMPARE(engine_->StopRequest, 1);
            engine_->StopRequest = 0;
            engine_->CheckedCount = TMainForm::kFewDomains + 1;
            boxes_.answer(MbNo);
            QTest::keyClick(form_.get(), Qt::Key_Escape);
            boxes_.answer(MbNo);
            form_->close();
            questions = boxes_.shown.size();
            QCOMPARE(engine_->StopRequest, 0);
            QVERIFY(form_->isVisible());
            boxes_.answer(MbYes);
            QTest::keyClick(form_.get(), Qt::Key_Escape);
            engine_->LastRunFinished = false;
            engine_->StoppedAt = ResumePoint{3, 1, QStringLiteral("SHOP"), QStringLiteral(".net"), QString()};
        });
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(questions, 2);
        QCOMPARE(boxes_.shown.size(), 3);
        QVERIFY(boxes_.shown.at(0).text.startsWith(QStringLiteral("The search has checked 11 domains so far.")));
        QCOMPARE(engine_->StopRequest, 1);
        QVERIFY(child<QLabel>("RunSummaryLbl")->text().startsWith(QStringLiteral("Stopped at SHOP.net after ")));
    }

    // A run ended by closing the window goes on at the next start from its first domain
    // without a result, though lookups after it had their answers, and its results file
    // holds every domain once.
    void runClosedMidwayIsContinued()
    {
        // Four lookups at once: AB15's server stays silent while the three after it answer.
        engine_->LookupParallel = 4;
        engine_->LookupPerServer = 4;
        whois_.setReply("Domain registered\r\n");
        whois_.setModeChooser([](const QByteArray& query) {
            return query == "ab15.com" ? LoopbackWhoisServer::Mode::NeverAnswer : LoopbackWhoisServer::Mode::Answer;
        });
        const QString results = dir_->filePath(QStringLiteral("results.txt"));
        const auto setUp = [&] {
            child<QListWidget>("DomainCheck")->item(0)->setCheckState(Qt::Checked);   // .com
            child<QCheckBox>("DictCheck")->setChecked(false);
            child<QCheckBox>("NumbersCheck")->setChecked(true);
            child<QSpinBox>("NumberTo")->setValue(29);
            child<QLineEdit>("RangePre")->setText(QStringLiteral("AB"));
            child<QLineEdit>("AutoSaveEdit")->setText(results);
            child<QTabWidget>("MainPage")->setCurrentIndex(1);
        };
        setUp();
        const auto closeAt = connect(&whois_, &LoopbackWhoisServer::queryReceived, form_.get(), [&](const QByteArray& query) {
            if (query == "ab18.com")
                form_->close();
        });
        boxes_.answer(MbYes);   // end the run of more than a few domains
        child<QPushButton>("StartBtn")->click();
        disconnect(closeAt);
        whois_.setModeChooser({});
        QTRY_VERIFY(!form_->isVisible());
        QCOMPARE(boxes_.texts().size(), 1);

        form_.reset();
        makeForm();
        setUp();
        boxes_.answer(MbYes);   // continue
        child<QPushButton>("StartBtn")->click();
        QCOMPARE(boxes_.texts().constLast(), QStringLiteral("Continue the last search from AB15.com?"));
        QFile file(results);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        for (int i = 0; i <= 29; ++i)
            QCOMPARE(text.count("AB" + QByteArray::number(i) + ".com : TAKEN\r\n"), 1);
        QVERIFY(child<QLabel>("RunSummaryLbl")->text().startsWith(QStringLiteral("Finished in ")));
    }

    // Colours by verdict, reasons as tool tips, several rows copied as domains.
    void resultListsCopyDomains()
    {
        form_->insertResultAtTop(ResultList::All, QStringLiteral("FREEA.com : FREE, Click on the Register Domain button now !"));
        form_->insertResultAtTop(ResultList::Free, QStringLiteral("FREEA.com : FREE, Click on the Register Domain button now !"));
        form_->recordVerdict(QString(), LookupVerdict::Free, {});
        form_->insertResultAtTop(ResultList::All, QStringLiteral("DOWN.net : Error, Try using another server for this domain extension !"));
        form_->insertResultAtTop(ResultList::Errors, QStringLiteral("DOWN.net : Error, Try using another server for this domain extension !"));
        form_->recordVerdict(QString(), LookupVerdict::LookupFailed,
                             {LookupRoute::Whois, QStringLiteral("whois.example"), QStringLiteral("unreachable: Connection refused")});
        form_->insertResultAtTop(ResultList::All, QStringLiteral("TAKEN.org : Registered"));
        form_->insertResultAtTop(ResultList::Taken, QStringLiteral("TAKEN.org : Registered"));
        form_->recordVerdict(QString(), LookupVerdict::Taken, {});

        const ResultListModel& all = form_->resultModel(ResultList::All);
        QCOMPARE(all.kindAt(2), ResultListModel::Kind::Free);
        QCOMPARE(all.kindAt(1), ResultListModel::Kind::Error);
        QCOMPARE(all.kindAt(0), ResultListModel::Kind::Taken);
        QCOMPARE(all.data(all.index(1), Qt::ToolTipRole).toString(),
                 QStringLiteral("whois whois.example: unreachable: Connection refused"));

        child<QTabWidget>("MainPage")->setCurrentIndex(1);
        child<QTabWidget>("AutomatedPageControl")->setCurrentIndex(1);
        auto* view = child<QListView>("AutoResults");
        view->selectionModel()->select(all.index(0), QItemSelectionModel::Select);
        view->selectionModel()->select(all.index(2), QItemSelectionModel::Select);
        view->setFocus();
        QTest::keySequence(view, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("TAKEN.org\nFREEA.com\n"));
        form_->resultLists().copyFreeDomains();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("FREEA.com\n"));
    }

    // The first keys go to the name box; F1 opens help; the TLD dialog can show the
    // ticked TLDs only, and the main window's count names them.
    void keyboardAndTickedTLDs()
    {
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("SingleEdit"));
        QTest::keyClick(form_.get(), Qt::Key_F1);
        QCOMPARE(help_.commands.size(), 1);

        engine_->TLDInfoList.At(5).Checked = true;   // .de
        TTLDForm dialog(*engine_, form_.get());
        connect(&dialog, &TTLDForm::ticksChanged, form_.get(), [this] {
            form_->setQuickTicksFromTLDInfoList();
            form_->DomainCheckClickCheck();
        });
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("TLDChecks"));
        list->item(1)->setCheckState(Qt::Checked);   // .net
        dialog.findChild<QCheckBox*>(QStringLiteral("TickedOnlyCheck"))->setChecked(true);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            if (!list->item(i)->isHidden())
                shown.append(list->item(i)->text());
        QCOMPARE(shown, (QStringList{".net", ".de"}));
        dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(child<QLabel>("DomainCountLbl")->text(), QStringLiteral("(2)"));
        QCOMPARE(child<QLabel>("DomainCountLbl")->toolTip(), QStringLiteral("Ticked: .net, .de"));
    }
};

QTEST_MAIN(TestWindowItems)
#include "tst_windowitems.moc"
