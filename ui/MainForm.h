#pragma once
#include "engine/SearchView.h"
#include <QMetaObject>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QStackedLayout;
class QTabWidget;
class ResultListModel;
class TMisc1;
class IHelpSystem;
class IShellLauncher;

// The main window: the input of both searches, Start and Stop, the result lists,
// counters and progress, and the links to help, the advanced dialog, a registrar and
// the maker's web site. Every control carries its name as its object name.
//
// The searches read the options and write their results through ISearchView.
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

    // --- Called by the code that builds the server tree and TLDInfoList ----------
    void clearTLDCombo();
    void setTLDComboItems(const QStringList& tlds);
    void addTLDComboItem(const QString& tld);
    // Selects the first entry, then the saved single-search TLD when it lies in the list.
    void selectSavedTLD();
    // Sets the four quick ticks and their names from the first entries of TLDInfoList
    // (handler detached) and then binds the ticks to DomainCheckClickCheck.
    void setQuickTicksFromTLDInfoList();
    void attachDomainCheckHandler();
    void detachDomainCheckHandler();
    bool domainCheckHandlerAttached() const { return static_cast<bool>(domainCheckConnection_); }
    bool quickTick(int position) const;
    void setQuickTick(int position, bool ticked);
    // Without a dictionary the dictionary and sounds-like sources are unticked and disabled.
    void setDictionaryPresent(bool present);
    bool dictionaryPresent() const { return dictionaryPresent_; }
    void setStatus(const QString& text);
    // The Defaults button of the advanced dialog: the reset values into the controls.
    void restoreMainDefaults();

    bool isRunning() const { return running_; }

    // --- ISearchView ----------------------------------------------------------------
    MainOptions options() const override;
    void applyOptions(const MainOptions& options) override;
    void clearSingleResults() override;
    void addSingleResult(const QString& line) override;
    void focusSingleEdit() override;
    void clearResults(ResultList list) override;
    void insertResultAtTop(ResultList list, const QString& entry) override;
    void setCounterText(const QString& text) override;
    void setProgressMaximum(qint64 maximum) override;
    void setProgressPosition(qint64 position) override;
    void showSearchResultsTab() override;
    void showRunNotice(const QString& text) override;
    void UpdateDisplayforStart(bool running) override;

    ResultListModel& resultModel(ResultList list) const;

public slots:
    void StartBtnClick();
    void StopBtnClick();
    void MainPageChange();
    void ShowResultsComboChange();
    void DomainCheckClickCheck();
    void DomainBtnClick();
    void Button1Click();
    void Button4Click();
    void Button5Click();
    void HelpBtnClick();
    void RegisterBtnClick();
    void Label10Click();
    void DictCheckClick();
    void WordlistCheckClick();
    void NumbersCheckClick();
    void SoundexCheckClick();
    void CustomListCheckClick();
    void DictRadio2Click();
    void WordLengthCheckClick();
    void UpdateWordCheck();
    void WordLength1Change();
    void WordLength2Change();
    void RangePreChange();
    void RangeSufChange();

signals:
    // The window has closed (FormClose): the application should end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One folding source section: a black header bar with the switch, and the inner
    // panel that holds the source's controls.
    struct Section {
        QFrame* panel = nullptr;
        QCheckBox* check = nullptr;
        QWidget* inner = nullptr;
        int fullHeight = 0;
    };

    void buildLeftColumn();
    void buildRightColumn();
    void buildSingleSearchPage(QWidget* page);
    void buildAutomatedSearchPage(QWidget* page);
    void buildOptionsTab(QWidget* tab);
    void buildResultsTab(QWidget* tab);
    Section makeSection(QWidget* parent, const QString& panelName, const QString& checkName,
                        const QString& caption, int fullHeight);
    void buildDictSection(QWidget* inner);
    void buildWordlistSection(QWidget* inner);
    void buildNumbersSection(QWidget* inner);
    void buildSoundexSection(QWidget* inner);
    void buildCustomSection(QWidget* inner);
    void fold(const Section& section);
    void installKeyFilter(QLineEdit* edit, bool allowSpace);
    void ShowLinkHighlighted();
    QString settingsPath() const;
    void FormClose();

    TMisc1& engine_;
    IHelpSystem* help_ = nullptr;
    IShellLauncher* launcher_ = nullptr;
    DictionaryLoader loadDictionary_;
    std::function<void()> releaseDictionary_;
    std::function<void()> showAdvancedDialog_;
    std::function<void(bool)> searchHook_;
    QMetaObject::Connection domainCheckConnection_;

    bool created_ = false;             // FormCreate has run
    bool running_ = false;             // between steps 6 and 8 of the Start sequence
    bool closeAfterSearch_ = false;    // the window was closed during a search
    bool dictionaryPresent_ = true;
    bool linkHovered_ = false;         // the mouse is over the web-site link
    int savedTLDSingle_ = 0;           // TLDSingle as loaded, for when the TLD box is filled
    qint64 progressScale_ = 1;         // the bar holds an int: long runs are shown scaled

    // Left column
    QWidget* LeftPanel = nullptr;
    QLabel* StatusLbl = nullptr;
    // Right column
    QPushButton* StartBtn = nullptr;
    QPushButton* StopBtn = nullptr;
    QPushButton* HelpBtn = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* RegisterBtn = nullptr;
    QLabel* Label10 = nullptr;
    // Pages
    QTabWidget* MainPage = nullptr;
    QWidget* Page1 = nullptr;
    QWidget* Page2 = nullptr;
    QTabWidget* AutomatedPageControl = nullptr;
    QWidget* OptionsPage = nullptr;
    QWidget* ResultsPage = nullptr;
    // Single search
    QLineEdit* SingleEdit = nullptr;
    QComboBox* TLDCombo = nullptr;
    QPlainTextEdit* SingleResults = nullptr;
    // Options panel
    QWidget* OptPanel = nullptr;
    QLabel* DomainsLbl = nullptr;
    QLabel* DomainCountLbl = nullptr;
    QListWidget* DomainCheck = nullptr;
    QPushButton* DomainBtn = nullptr;
    QCheckBox* SaveCheck = nullptr;
    QLineEdit* AutoSaveEdit = nullptr;
    QPushButton* Button4 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    // Sections
    Section dict_, wordlist_, numbers_, soundex_, custom_;
    QCheckBox* DictCheck = nullptr;
    QRadioButton* DictRadio1 = nullptr;
    QRadioButton* DictRadio2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* DictFromEdit = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* DictToEdit = nullptr;
    QCheckBox* WordLengthCheck = nullptr;
    QLabel* Label26 = nullptr;
    QSpinBox* WordLength1 = nullptr;
    QLabel* Label27 = nullptr;
    QSpinBox* WordLength2 = nullptr;
    QLabel* Label28 = nullptr;
    QCheckBox* MinusCheck = nullptr;
    QCheckBox* WordlistCheck = nullptr;
    QLineEdit* Wordlist[4] = {};
    QCheckBox* WordMinusCheck = nullptr;
    QCheckBox* NumbersCheck = nullptr;
    QLabel* Label6 = nullptr;
    QSpinBox* NumberFrom = nullptr;
    QLabel* Label7 = nullptr;
    QSpinBox* NumberTo = nullptr;
    QCheckBox* RangeCheck1 = nullptr;
    QLineEdit* RangePre = nullptr;
    QCheckBox* RangeCheck2 = nullptr;
    QLineEdit* RangeSuf = nullptr;
    QCheckBox* SoundexCheck = nullptr;
    QLineEdit* SoundexEdit = nullptr;
    QCheckBox* CustomListCheck = nullptr;
    QLineEdit* UseList = nullptr;
    QPushButton* Button5 = nullptr;
    QComboBox* SepCombo = nullptr;
    // Results tab
    QProgressBar* ProgressBar1 = nullptr;
    QComboBox* ShowResultsCombo = nullptr;
    QLabel* Panel6 = nullptr;
    QStackedLayout* resultStack_ = nullptr;
    QListView* AutoResults = nullptr;
    QListView* DomainsFreeList = nullptr;
    QListView* DomainsTakenList = nullptr;
    QListView* DomainErrorsList = nullptr;
    ResultListModel* resultModels_[4] = {};
    QLabel* MultiplecountLbl = nullptr;
    QLabel* RunNoticeLbl = nullptr;    // what the run switched off, under the counters; hidden when empty

    QList<QObject*> spaceAllowed_;     // entries whose key filter lets the blank through
    QList<QObject*> keyFiltered_;      // every entry with a key filter
};
