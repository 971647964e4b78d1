#include "ui/MainForm.h"
#include "engine/Misc1.h"
#include "engine/ProjectInfo.h"
#include "engine/runs/ResultListModel.h"
#include "engine/runs/ResumePoint.h"
#include "platform/HelpSystem.h"
#include "platform/ShellOpen.h"
#include "settings/MainOptionsFile.h"
#include "settings/SettingsFile.h"
#include "ui/AutomatedSearchPage.h"
#include "ui/ResultLists.h"
#include "ui/SidePicture.h"
#include "ui/SingleSearchPage.h"
#include "ui/WindowLook.h"
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize kClientSize(617, 415);   // the window's size where the font fits in it
constexpr int kLeftWidth = 97;
constexpr int kRightWidth = 99;
const QString kResumeSection = QStringLiteral("Window");

// Texts of the classic tool tips use "\r\n" for a line break.
QString Hint(const char* text)
{
    QString hint = QString::fromLatin1(text);
    hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return hint;
}

} // namespace

TMainForm::TMainForm(TMisc1& engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tarnwick"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    LeftPanel = new SidePicture(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    buildLeftColumn(LeftPanel);
    layout->addWidget(LeftPanel);

    MainPage = new QTabWidget(this);
    MainPage->setObjectName(QStringLiteral("MainPage"));
    singlePage_ = new SingleSearchPage(engine_.TLDInfoList);
    automatedPage_ = new AutomatedSearchPage(engine_);
    MainPage->addTab(singlePage_, QStringLiteral("&Single Search"));
    MainPage->addTab(automatedPage_, QStringLiteral("&Automated Search"));
    auto* centre = new QVBoxLayout;
    centre->setContentsMargins(3, 4, 3, 4);
    centre->addWidget(MainPage);
    layout->addLayout(centre, 1);

    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("ButtonColumn"));
    buildRightColumn(right);
    layout->addWidget(right);

    connect(MainPage, &QTabWidget::currentChanged, this, &TMainForm::MainPageChange);
    connect(singlePage_, &SingleSearchPage::startRequested, this, [this] {
        if (MainPage->currentWidget() == singlePage_ && StartBtn->isEnabled())
            StartBtnClick();
    });
    connect(&resultLists(), &ResultLists::lookUpRequested, this, &TMainForm::lookUpInSingleSearch);
    MainPageChange();

    // F1 is Help, Ctrl+Q quits, Escape ends a running search.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &TMainForm::HelpBtnClick);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &TMainForm::EscapePressed);

    // Its design size where the desktop's font fits in it, larger where it does not.
    ResizeToFitFont(this, kClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // The first keys typed go to the name.
    singlePage_->focusName();
}

TMainForm::~TMainForm()
{
    // FormDestroy: the options are written once more as the window goes.
    if (created_)
        SaveMainOptions(settingsPath(), options());
}

ResultLists& TMainForm::resultLists() const
{
    return automatedPage_->results();
}

// ---------------------------------------------------------------------------------
// Building the columns

void TMainForm::buildLeftColumn(QWidget* column)
{
    column->setFixedWidth(kLeftWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->addStretch(1);
    StatusLbl = new QLabel(QStringLiteral("Loading Dictionary"), column);
    StatusLbl->setObjectName(QStringLiteral("StatusLbl"));
    QFont f = font();
    f.setPointSizeF(qMax(6.0, f.pointSizeF() * 0.85));
    StatusLbl->setFont(f);
    StatusLbl->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    StatusLbl->setAlignment(Qt::AlignCenter);
    StatusLbl->setWordWrap(true);
    layout->addWidget(StatusLbl);
}

void TMainForm::buildRightColumn(QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(5, 28, 5, 8);
    layout->setSpacing(6);
    auto button = [&](QPushButton*& b, const char* name, const char* caption, const char* hint) {
        b = new QPushButton(QString::fromLatin1(caption), column);
        b->setObjectName(QString::fromLatin1(name));
        if (hint)
            b->setToolTip(Hint(hint));
        b->setMinimumWidth(qMax(kRightWidth - 10, b->sizeHint().width()));
        layout->addWidget(b);
    };
    button(StartBtn, "StartBtn", "Start", "Start Single Search");
    button(StopBtn, "StopBtn", "Stop", "Stop Automated Search");
    layout->addSpacing(12);
    button(HelpBtn, "HelpBtn", "Help", nullptr);
    button(Button1, "Button1", "Advanced", "Advanced Settings");
    layout->addSpacing(12);
    button(RegisterBtn, "RegisterBtn", "Register Domain", "Link to internet for \r\ndomain name registration");
    StopBtn->setEnabled(false);
    StartBtn->setDefault(true);

    connect(StartBtn, &QPushButton::clicked, this, &TMainForm::StartBtnClick);
    connect(StopBtn, &QPushButton::clicked, this, &TMainForm::StopBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TMainForm::HelpBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(RegisterBtn, &QPushButton::clicked, this, &TMainForm::RegisterBtnClick);

    layout->addStretch(1);
    Label10 = new QLabel(QStringLiteral("Visit our web site for news and updates"), column);
    Label10->setObjectName(QStringLiteral("Label10"));
    QFont f = font();
    f.setUnderline(true);
    Label10->setFont(f);
    Label10->setWordWrap(true);
    Label10->setAlignment(Qt::AlignCenter);
    Label10->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and opened with Enter or the space bar, like a button.
    Label10->setFocusPolicy(Qt::StrongFocus);
    Label10->setAccessibleName(Label10->text());
    Label10->setMaximumWidth(qMax(kRightWidth, StartBtn->sizeHint().width()));
    ShowLinkHighlighted();
    Label10->installEventFilter(this);
    layout->addWidget(Label10);
}

QString TMainForm::settingsPath() const
{
    return engine_.settingsFile(QString::fromLatin1(SettingsFileName()));
}

QString TMainForm::resumePath() const
{
    return engine_.settingsFile(ResumeFileName());
}

// ---------------------------------------------------------------------------------
// Start-up and shutdown

void TMainForm::SetDefaults()
{
    MainPage->setCurrentWidget(singlePage_);
    automatedPage_->setDefaults(engine_.defaultResultsFile());
    if (help_)
        help_->setHelpFile(engine_.shippedDataFile(QStringLiteral("Tarnwick.hlp")));
}

void TMainForm::FormCreate()
{
    // The random numbers of the HTTP lookups come from a generator seeded by the
    // system, and the engine owns FailedServers and SearchList: nothing to make here.
    SetDefaults();
    MainPage->setCurrentIndex(0);

    MainOptions saved = options();
    if (LoadMainOptions(settingsPath(), engine_.fileLocations().resultsFolder, saved))
        applyOptions(saved);

    bool present = QFileInfo::exists(engine_.shippedDataFile(QStringLiteral("english.dat")));
    if (present && loadDictionary_) {
        bool loaded = false;
        try {
            loaded = loadDictionary_();
        } catch (...) {
            loaded = false;
        }
        if (!loaded) {
            engine_.ShowMessage(MessageKind::Error,
                                QStringLiteral("The dictionary file \"english.dat\" could not be read.\r\r"
                                               "The Dictionary and Sounds like searches are not available\r"
                                               "until the file is replaced."),
                                MbOk);
            present = false;
        }
    }
    setDictionaryPresent(present);

    setStatus(ProjectInfo::Version());
    automatedPage_->foldAll();
    singlePage_->focusName();
    created_ = true;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (running_) {
        // A search is on the stack below us: ask it to stop and close once it has
        // returned to the Start handler.
        if (askBeforeClosing_ && !endOfRunConfirmed()) {
            event->ignore();
            return;
        }
        closeAfterSearch_ = true;
        engine_.RequestStop();
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit closed();
}

void TMainForm::closeWithoutAsking()
{
    askBeforeClosing_ = false;
    close();
}

void TMainForm::FormClose()
{
    if (automatedPage_->dictionaryPresent() && releaseDictionary_)
        releaseDictionary_();
    engine_.TLDInfoList.Clear();
    if (help_)
        help_->Quit();
}

// ---------------------------------------------------------------------------------
// What the advanced dialog's signals do

void TMainForm::clearTLDCombo() { singlePage_->clearTLDs(); }
void TMainForm::setTLDComboItems(const QStringList& tlds) { singlePage_->setTLDItems(tlds); }
void TMainForm::addTLDComboItem(const QString& tld) { singlePage_->addTLDItem(tld); }
void TMainForm::selectSavedTLD() { singlePage_->selectSavedTLD(); }
void TMainForm::setQuickTicksFromTLDInfoList() { automatedPage_->setQuickTicksFromTLDInfoList(); }
void TMainForm::DomainCheckClickCheck() { automatedPage_->DomainCheckClickCheck(); }
void TMainForm::DomainBtnClick() { automatedPage_->DomainBtnClick(); }
void TMainForm::setDictionaryPresent(bool present) { automatedPage_->setDictionaryPresent(present); }
bool TMainForm::dictionaryPresent() const { return automatedPage_->dictionaryPresent(); }
bool TMainForm::domainCheckHandlerAttached() const { return automatedPage_->domainCheckHandlerAttached(); }
void TMainForm::setQuickTick(int position, bool ticked) { automatedPage_->setQuickTick(position, ticked); }

void TMainForm::setStatus(const QString& text)
{
    StatusLbl->setText(text);
}

void TMainForm::restoreMainDefaults()
{
    const MainOptions reset = RestoreMainDefaults(options(), engine_.fileLocations().resultsFolder);
    resultLists().showAllResults();
    applyOptions(reset);
}

// ---------------------------------------------------------------------------------
// Options in and out, results out

MainOptions TMainForm::options() const
{
    MainOptions o;
    singlePage_->fillOptions(o);
    automatedPage_->fillOptions(o);
    return o;
}

void TMainForm::applyOptions(const MainOptions& o)
{
    singlePage_->applyOptions(o);
    automatedPage_->applyOptions(o);
}

ResultListModel& TMainForm::resultModel(ResultList list) const { return resultLists().model(list); }
void TMainForm::clearSingleResults() { singlePage_->clearResults(); }
void TMainForm::addSingleResult(const QString& line) { singlePage_->addResult(line); }
void TMainForm::showSingleState(SingleState state, const QString& text) { singlePage_->showState(state, text); }
void TMainForm::focusSingleEdit() { singlePage_->focusName(); }
void TMainForm::clearResults(ResultList list) { resultLists().model(list).clear(); }
void TMainForm::insertResultAtTop(ResultList list, const QString& entry) { resultLists().insertAtTop(list, entry); }
void TMainForm::setCounterText(const QString& text) { resultLists().setCounterText(text); }
void TMainForm::setProgressMaximum(qint64 maximum) { resultLists().setProgressMaximum(maximum); }
void TMainForm::setProgressPosition(qint64 position) { resultLists().setProgressPosition(position); }
void TMainForm::showSearchResultsTab() { automatedPage_->showResultsTab(); }
// Notices of one run are shown together; the next run starts without them.
void TMainForm::showRunNotice(const QString& text) { resultLists().addRunNotice(text); }

void TMainForm::recordVerdict(const QString&, LookupVerdict verdict, const LookupReason& reason)
{
    resultLists().recordVerdict(verdict, reason);
}

void TMainForm::recordInvalid(const QString&, const QString& why)
{
    resultLists().recordInvalid(why);
}

void TMainForm::UpdateDisplayforStart(bool running)
{
    try {
        StartBtn->setEnabled(!running);
        StopBtn->setEnabled(running);
        QCoreApplication::processEvents();
        automatedPage_->setRunning(running);
        QCoreApplication::processEvents();
        repaint();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    } catch (...) {
    }
}

// ---------------------------------------------------------------------------------
// Handlers

void TMainForm::StartBtnClick()
{
    if (running_)
        return;
    const bool single = MainPage->currentWidget() == singlePage_;
    // A domain box whose ending is no known TLD says so under the box and sends nothing.
    if (single && !singlePage_->takeDomainFromBox())
        return;
    if (!single && !offerToContinue())
        return;

    engine_.ResetCounters();
    setProgressPosition(0);
    for (ResultList list : {ResultList::All, ResultList::Errors, ResultList::Taken, ResultList::Free})
        clearResults(list);
    engine_.ForgetFailures();
    resultLists().runStarted();
    setCounterText(QStringLiteral("0 checked, 0 taken, 0 free, 0 errors"));
    engine_.StopRequest = 0;
    StopBtn->setEnabled(true);
    SaveMainOptions(settingsPath(), options());

    running_ = true;
    automatedRunning_ = !single;
    UpdateDisplayforStart(true);
    try {
        if (searchHook_)
            searchHook_(single);
        else if (single)
            engine_.RunSingleSearch();
        else
            engine_.RunMultipleSearch();
    } catch (...) {
        // A search ends quietly on any unexpected error; the window goes back to idle.
    }
    running_ = false;
    automatedRunning_ = false;
    if (!single)
        noteEndOfRun();
    UpdateDisplayforStart(false);
    MainPageChange();

    if (closeAfterSearch_) {
        closeAfterSearch_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

bool TMainForm::offerToContinue()
{
    engine_.ResumeFrom = ResumePoint();
    const ResumePoint last = LoadResumePoint(resumePath(), kResumeSection);
    if (!last.isValid() || last.fingerprint != RunFingerprint(options(), TickedTlds(engine_.TLDInfoList)))
        return true;
    const MessageButton answer = engine_.ShowMessage(
        MessageKind::Question, QStringLiteral("Continue the last search from %1?").arg(last.domain()), MbYes | MbNo | MbCancel);
    if (answer == MbCancel)
        return false;
    if (answer == MbYes)
        engine_.ResumeFrom = last;
    else
        SaveResumePoint(resumePath(), kResumeSection, ResumePoint());
    return true;
}

void TMainForm::noteEndOfRun()
{
    const QString counters = engine_.CounterText();
    if (engine_.LastRunFinished) {
        resultLists().runEnded(counters, QString());
        SaveResumePoint(resumePath(), kResumeSection, ResumePoint());
    } else if (engine_.StoppedAt.isValid() && engine_.CheckedCount > 0) {
        resultLists().runEnded(counters, engine_.StoppedAt.domain());
        SaveResumePoint(resumePath(), kResumeSection, engine_.StoppedAt);
    }
}

bool TMainForm::endOfRunConfirmed()
{
    if (!automatedRunning_ || engine_.CheckedCount <= kFewDomains)
        return true;
    const QString question = QStringLiteral("The search has checked %1 domains so far.\r\rDo you want to end it?\r\r"
                                            "Start continues it from where it stopped.")
                                 .arg(engine_.CheckedCount);
    return engine_.ShowMessage(MessageKind::Question, question, MbYes | MbNo) == MbYes;
}

void TMainForm::StopBtnClick()
{
    engine_.RequestStop();
}

void TMainForm::EscapePressed()
{
    if (running_ && StopBtn->isEnabled() && endOfRunConfirmed())
        StopBtn->click();
}

void TMainForm::lookUpInSingleSearch(const QString& domain)
{
    if (running_)
        return;
    MainPage->setCurrentWidget(singlePage_);
    singlePage_->setDomain(domain);
    StartBtnClick();
}

void TMainForm::MainPageChange()
{
    const bool single = MainPage->currentWidget() == singlePage_;
    const bool automated = MainPage->currentWidget() == automatedPage_;
    StartBtn->setToolTip(single ? QStringLiteral("Start Single Search") : QStringLiteral("Start Automated Search"));
    StartBtn->setEnabled((single || automated) && !running_);
}

void TMainForm::Button1Click()
{
    if (showAdvancedDialog_)
        showAdvancedDialog_();
}

void TMainForm::HelpBtnClick()
{
    if (help_)
        help_->Command(HelpCommand::Tab, -3);
}

void TMainForm::RegisterBtnClick()
{
    if (launcher_)
        ShellOpenURL(*launcher_, engine_.messageBoxes(), ProjectInfo::RegistrarSignUp());
}

void TMainForm::Label10Click()
{
    if (launcher_)
        ShellOpenURL(*launcher_, engine_.messageBoxes(), ProjectInfo::WebSite());
}

// The link in the window's own text colour, and in the palette's link colour while the
// mouse is over it or it has the keyboard focus.
void TMainForm::ShowLinkHighlighted()
{
    QPalette p = palette();
    if (linkHovered_ || Label10->hasFocus())
        p.setColor(QPalette::WindowText, p.color(QPalette::Link));
    Label10->setPalette(p);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == Label10) {
        if (type == QEvent::Enter || type == QEvent::Leave) {   // Label10MouseEnter, Label10MouseLeave
            linkHovered_ = type == QEvent::Enter;
            ShowLinkHighlighted();
        } else if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
            ShowLinkHighlighted();
        } else if (type == QEvent::MouseButtonRelease
                   && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
                   && Label10->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            Label10Click();
        } else if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                Label10Click();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
