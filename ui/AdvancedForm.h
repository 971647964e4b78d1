#pragma once
#include "settings/AdvancedSettingsFile.h"
#include "settings/ServerAssignment.h"
#include "ui/ChangeTracking.h"
#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTreeView;
class TMisc1;
struct ProxyBoxes;

// The "Advanced" dialog: which server checks which TLD, the user's own servers and
// domains, the HTTP proxy with its credentials, and how long downloaded lists of taken
// domains stay valid. Created once at start-up, right after the main window: its
// FormCreate builds the server-assignment tree and TLDInfoList, and its signals have
// the main window fill its TLD boxes. Afterwards it is only shown and hidden, never
// modal. Edits take effect and are saved on OK; Cancel puts back what the dialog
// showed when it opened.
class TAdvancedForm : public QDialog {
    Q_OBJECT
public:
    // FormCreate is left to the caller, once the signals are connected.
    explicit TAdvancedForm(TMisc1& engine, QWidget* parent = nullptr);
    ~TAdvancedForm() override;

    // The tree and the lists beside it, as the pages edit them.
    TServerAssignment& ServerAssignment() { return assignment_; }
    // The proxy and credential boxes as they stand now.
    ProxyBoxes ProxyBoxesNow() const;

    // --- Controls, named as the rest of the program and the tests know them ----------
    QTabWidget* PageControl1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpAdvBtn = nullptr;
    QPushButton* DefaultBtn = nullptr;

    // "Server Assignment"
    QWidget* ServerAssignmentPage = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeView* MainTree = nullptr;
    QLabel* DomainLbl = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* ServerLbl = nullptr;
    QPushButton* DefaultServer = nullptr;
    QPushButton* UnIncludeBtn = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ServerCombo = nullptr;
    QPushButton* IncludeBtn = nullptr;
    QLabel* RdapLbl = nullptr;              // the RDAP service that answers the selected TLD first
    QCheckBox* RdapFirstCheck = nullptr;    // unticked: the assigned server answers this TLD first
    QListWidget* AssignedFirstList = nullptr;   // hidden: the TLDs unticked there, as OK saves them

    // "Servers"
    QWidget* ServersPage = nullptr;
    QListWidget* ServerList = nullptr;
    QListWidget* NewServerList = nullptr;
    QListWidget* NewMatchList = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* DeleteBtn = nullptr;
    QComboBox* NewServerTypeCombo = nullptr;
    QLineEdit* NewServerEdit = nullptr;
    QLineEdit* MatchTextEdit = nullptr;
    QComboBox* NoMatchCombo = nullptr;

    // "Domains"
    QWidget* DomainsPage = nullptr;
    QListWidget* DomainList = nullptr;
    QListWidget* NewDomainList = nullptr;
    QLineEdit* NewDomainEdit = nullptr;
    QPushButton* AddDomainBtn = nullptr;
    QPushButton* DeleteDomainBtn = nullptr;

    // "HTTP Settings"
    QWidget* HttpSettingsPage = nullptr;
    QLineEdit* edUsername = nullptr;
    QLineEdit* edPassword = nullptr;
    QGroupBox* ProxyGroup = nullptr;
    QCheckBox* ProxyEnabledCheck = nullptr;
    QLineEdit* edProxyServer = nullptr;
    QLineEdit* edProxyPort = nullptr;
    QPushButton* BlankBtn = nullptr;
    QPushButton* RetrieveBtn = nullptr;
    QSpinBox* IECacheEdit = nullptr;
    QCheckBox* RdapCheck = nullptr;         // RDAP first wherever a TLD's service is known
    QCheckBox* DnsPrecheckCheck = nullptr;  // automated searches ask DNS before any registry
    QSpinBox* TimeoutEdit = nullptr;        // seconds without data before a query is given up
    QCheckBox* SelfCheckCheck = nullptr;    // each route is checked once a run before it is trusted

public slots:
    void FormCreate();
    void FormShow();
    void FormHide();
    // The close box hides the dialog; nothing is saved and nothing is put back.
    bool FormCloseQuery();

    void OKBtnClick();
    void CancelBtnClick();
    void DefaultBtnClick();
    void HelpAdvBtnClick();

    void MainTreeChange();
    void RdapFirstCheckClick();
    void NoMatchComboChange();
    void BlankBtnClick();
    void RetrieveBtnClick();
    // Whether a key typed into the port box may reach it: digits and control characters.
    static bool edProxyPortKeyPress(QChar key);
    void LoadAdvancedSettings();

    // "Server Assignment" buttons
    void IncludeBtnClick();
    void UnIncludeBtnClick();
    void DefaultServerClick();
    // "Servers" and "Domains" buttons
    void AddBtnClick();
    void DeleteBtnClick();
    void AddDomainBtnClick();
    void DeleteDomainBtnClick();

signals:
    // The single search's TLD box: emptied, filled with these TLDs, or given one more.
    void tldBoxCleared();
    void tldBoxFilled(const QStringList& tlds);
    void tldBoxGained(const QString& tld);
    // TLDInfoList was built anew: the quick ticks follow its first entries, and the ticks
    // are counted and saved. At start-up the saved TLD of the single search is selected too.
    void tldListRebuilt(bool atStartUp);
    // Defaults: the main window's options go back to their reset values.
    void mainDefaultsRestored();
    // The proxy warning at start-up wants the main window on the screen first.
    void mainWindowWanted();
    // "&Help": the help file's topics.
    void helpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList AssignedFirstTlds() const;
    void ApplyRdapChoices();
    void ShowRdapServiceOf(const QString& tld);

    // Construction of the pages (AdvancedFormPages.cpp).
    void BuildControls();
    QWidget* BuildServerAssignmentPage();
    QWidget* BuildServersPage();
    QWidget* BuildDomainsPage();
    QWidget* BuildHttpSettingsPage();
    QWidget* BuildButtonColumn();
    void ConnectHandlers();

    // The advanced settings as the dialog shows them; applied to the HTTP client and
    // written to Settings.dat (false when the file could not be written).
    AdvancedSettings AdvancedSettingsNow() const;
    bool ApplyAndSaveAdvancedSettings();

    // Boxes and lists.
    void SetProxyBoxes(const ProxyBoxes& boxes);
    // The engine compares the boxes as they stand with the system's proxy after failed lookups.
    void ShareProxyBoxes();
    void FillBuiltinLists();
    void FillNoMatchCombo();
    // The visible lists of the user's servers, match texts and domains follow the engine's.
    void ShowUserLists();
    // The engine's lists follow the visible ones (after a restored snapshot).
    void TakeUserListsFromBoxes();
    void RefillServerCombo();
    QModelIndex SelectedNode() const;
    void SelectNode(TServerTree::NodeRef node);
    static int FirstSelectedRow(const QListWidget* list);
    bool PortBoxIsValid();

    // The main window's TLD box.
    void FillMainTLDBox();
    void AddNewTLDsToMainTLDBox();

    QString SettingsPath() const;
    void ShowError(const QString& text);

    TMisc1& engine_;
    TServerAssignment assignment_;
    // What the dialog showed when it was opened; held from showing to hiding.
    TDialogSnapshot snapshot_;
    // What the main window's TLD box was given, so OK can add the domains of the
    // user's own that became TLD nodes since.
    QStringList tldBoxItems_;
    // The tree node selected when the dialog was shown, selected again by Cancel.
    TServerTree::NodeRef selectedAtShow_;
    bool centred_ = false;
};
