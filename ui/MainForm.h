#pragma once
#include "engine/SearchView.h"
#include <QWidget>
#include <functional>

class AutomatedSearchPage;
class QLabel;
class QPushButton;
class QTabWidget;
class ResultListModel;
class ResultLists;
class SingleSearchPage;
class TMisc1;
class IHelpSystem;
class IShellLauncher;

// The main window: the picture column with the status line, the pages of the two
// searches (SingleSearchPage, AutomatedSearchPage with its ResultLists), and the column
// of Start, Stop, Help, Advanced, Register Domain and the link to the maker's web site.
// Every control carries its name as its object name.
//
// The searches read the options and write their results through ISearchView; the
// dialogs reach the window through their signals and the settings they write.
class TMainForm : public QWidget, public ISearchView {
    Q_OBJECT
public:
    explicit TMainForm(TMisc1& engine, QWidget* parent = nullptr);
    // Writes the options to Settings.dat once FormCreate has run (FormDestroy).
    ~TMainForm() override;

    // --- Start-up ---------------------------------------------------------------
    // Loads english.dat and then loads or builds Soundex.dat; false when the
    // dictionary could not be read. Called by FormCreate when english.dat exists.
    using DictionaryLoader = std::function<bool()>;
    void setDictionaryLoader(DictionaryLoader loader) { loadDictionary_ = std::move(loader); }
    // Frees the dictionary's lists when the window closes.
    void setDictionaryReleaser(std::function<void()> release) { releaseDictionary_ = std::move(release); }
    void setHelpSystem(IHelpSystem* help) { help_ = help; }
    IHelpSystem* helpSystem() const { return help_; }
    void setShellLauncher(IShellLauncher* launcher) { launcher_ = launcher; }
    // Shows the advanced dialog (the "Advanced" button).
    void setAdvancedDialogHook(std::function<void()> show) { showAdvancedDialog_ = std::move(show); }
    // Runs in place of the engine's searches (tests); receives true on the single-search page.
    void setSearchHook(std::function<void(bool singleSearch)> hook) { searchHook_ = std::move(hook); }

    // Defaults, saved options, dictionary, status line and section folding.
    void FormCreate();
    void SetDefaults();

    SingleSearchPage& singlePage() const { return *singlePage_; }
    AutomatedSearchPage& automatedPage() const { return *automatedPage_; }
    ResultLists& resultLists() const;

    bool isRunning() const { return running_; }
    // Runs that have checked more domains than this ask before Escape or closing ends them.
    static constexpr int kFewDomains = 10;

    // --- ISearchView ----------------------------------------------------------------
    MainOptions options() const override;
    void applyOptions(const MainOptions& options) override;
    void clearSingleResults() override;
    void addSingleResult(const QString& line) override;
    void showSingleState(SingleState state, const QString& text) override;
    void focusSingleEdit() override;
    void clearResults(ResultList list) override;
    void insertResultAtTop(ResultList list, const QString& entry) override;
    void recordVerdict(const QString& domain, LookupVerdict verdict, const LookupReason& reason) override;
    void recordInvalid(const QString& name, const QString& why) override;
    void setCounterText(const QString& text) override;
    void setProgressMaximum(qint64 maximum) override;
    void setProgressPosition(qint64 position) override;
    void showSearchResultsTab() override;
    void showRunNotice(const QString& text) override;
    void UpdateDisplayforStart(bool running) override;

    ResultListModel& resultModel(ResultList list) const;

public slots:
    // --- What the advanced dialog's signals do -----------------------------------
    void clearTLDCombo();
    void setTLDComboItems(const QStringList& tlds);
    void addTLDComboItem(const QString& tld);
    // Selects the first entry, then the saved single-search TLD when it lies in the list.
    void selectSavedTLD();
    // The four quick ticks from the first entries of TLDInfoList, bound to DomainCheckClickCheck.
    void setQuickTicksFromTLDInfoList();
    // The Defaults button of the advanced dialog: the reset values into the controls.
    void restoreMainDefaults();
    void setDictionaryPresent(bool present);
    void setStatus(const QString& text);

    void StartBtnClick();
    void StopBtnClick();
    void MainPageChange();
    void DomainCheckClickCheck();
    void DomainBtnClick();
    void Button1Click();
    void HelpBtnClick();
    void RegisterBtnClick();
    void Label10Click();
    // Escape: ends a running search, after asking when it has checked more than a few domains.
    void EscapePressed();
    // Closes without the question about a running search (the session ends).
    void closeWithoutAsking();
    // "Look up in single search" of the result lists.
    void lookUpInSingleSearch(const QString& domain);

public:
    bool dictionaryPresent() const;
    bool domainCheckHandlerAttached() const;
    void setQuickTick(int position, bool ticked);

signals:
    // The window has closed (FormClose): the application should end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLeftColumn(QWidget* column);
    void buildRightColumn(QWidget* column);
    void ShowLinkHighlighted();
    QString settingsPath() const;
    QString resumePath() const;
    void FormClose();
    // Whether an automated run may end now: true at once for a run of a few domains.
    bool endOfRunConfirmed();
    // Before an automated run: whether to continue the one that stopped (false: Cancel).
    bool offerToContinue();
    // After an automated run: how it ended, under the counters and in LastSearch.ini.
    void noteEndOfRun();

    TMisc1& engine_;
    IHelpSystem* help_ = nullptr;
    IShellLauncher* launcher_ = nullptr;
    DictionaryLoader loadDictionary_;
    std::function<void()> releaseDictionary_;
    std::function<void()> showAdvancedDialog_;
    std::function<void(bool)> searchHook_;

    bool created_ = false;             // FormCreate has run
    bool running_ = false;             // between steps 6 and 8 of the Start sequence
    bool automatedRunning_ = false;    // the running search is the automated one
    bool closeAfterSearch_ = false;    // the window was closed during a search
    bool askBeforeClosing_ = true;     // false once the session ends the program
    bool linkHovered_ = false;         // the mouse is over the web-site link

    QWidget* LeftPanel = nullptr;
    QLabel* StatusLbl = nullptr;
    QPushButton* StartBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* RegisterBtn = nullptr;
    QLabel* Label10 = nullptr;
    QTabWidget* MainPage = nullptr;
    SingleSearchPage* singlePage_ = nullptr;
    AutomatedSearchPage* automatedPage_ = nullptr;
};
