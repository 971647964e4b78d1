#pragma once
#include "engine/MainOptions.h"
#include <QMetaObject>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class ResultLists;
class TMisc1;

// The "&Automated Search" page: the tabs "Search Options" (the TLDs to check, the
// results file and the five folding name sources) and "Search Results" (ResultLists).
//
// The four quick ticks stand for the first four entries of TLDInfoList; every tick
// writes the ticks of the whole list to Settings.dat at once.
class AutomatedSearchPage : public QWidget {
    Q_OBJECT
public:
    AutomatedSearchPage(TMisc1& engine, QWidget* parent = nullptr);

    ResultLists& results() const { return *results_; }
    void showResultsTab();
    bool resultsTabShown() const;

    void fillOptions(MainOptions& options) const;
    void applyOptions(const MainOptions& options);
    // The design-time state of the sources and the results file.
    void setDefaults(const QString& resultsFile);
    // Without a dictionary the dictionary and sounds-like sources are unticked and disabled.
    void setDictionaryPresent(bool present);
    bool dictionaryPresent() const { return dictionaryPresent_; }
    // While a search runs the options cannot change.
    void setRunning(bool running);
    void foldAll();

    // --- The quick ticks ------------------------------------------------------------------
    // Sets the four ticks and their names from the first entries of TLDInfoList (handler
    // detached) and then binds the ticks to DomainCheckClickCheck.
    void setQuickTicksFromTLDInfoList();
    void attachDomainCheckHandler();
    void detachDomainCheckHandler();
    bool domainCheckHandlerAttached() const { return static_cast<bool>(domainCheckConnection_); }
    bool quickTick(int position) const;
    void setQuickTick(int position, bool ticked);

public slots:
    void DomainCheckClickCheck();
    void DomainBtnClick();
    void Button4Click();
    void Button5Click();
    void DictRadio2Click();
    void UpdateWordCheck();
    void WordLength1Change();
    void WordLength2Change();
    void RangePreChange();
    void RangeSufChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One folding source section: a black header bar with the switch, and the inner
    // panel that holds the source's controls.
    struct Section {
        QFrame* panel = nullptr;
        QCheckBox* check = nullptr;
        QWidget* inner = nullptr;
    };

    void buildOptionsTab(QWidget* tab);
    Section makeSection(QWidget* parent, const QString& panelName, const QString& checkName, const QString& caption);
    void buildDictSection(QWidget* inner);
    void buildWordlistSection(QWidget* inner);
    void buildNumbersSection(QWidget* inner);
    void buildSoundexSection(QWidget* inner);
    void buildCustomSection(QWidget* inner);
    void fold(const Section& section);
    void installKeyFilter(QLineEdit* edit, bool allowSpace);
    // The TLDs ticked in TLDInfoList, for the tool tip of the count.
    void showTickedTLDs(int count);
    QString settingsPath() const;

    TMisc1& engine_;
    QMetaObject::Connection domainCheckConnection_;
    bool dictionaryPresent_ = true;

    QTabWidget* AutomatedPageControl = nullptr;
    QWidget* OptionsPage = nullptr;
    ResultLists* results_ = nullptr;

    QWidget* OptPanel = nullptr;
    QLabel* DomainsLbl = nullptr;
    QLabel* DomainCountLbl = nullptr;
    QListWidget* DomainCheck = nullptr;
    QPushButton* DomainBtn = nullptr;
    QCheckBox* SaveCheck = nullptr;
    QLineEdit* AutoSaveEdit = nullptr;
    QPushButton* Button4 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
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
    QSpinBox* NumberFrom = nullptr;
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

    QList<QObject*> spaceAllowed_;     // entries whose key filter lets the blank through
    QList<QObject*> keyFiltered_;      // every entry with a key filter
};
