#include "ui/AdvancedForm.h"
#include "engine/Misc1.h"
#include "settings/AdvancedSettingsFile.h"
#include "settings/ConfigFile.h"
#include "settings/ProxySettings.h"
#include "settings/SettingsFile.h"
#include "ui/ServerStatePictures.h"
#include "ui/StartupTLDs.h"
#include "ui/WindowLook.h"
#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <algorithm>
#include <exception>

namespace {

// The hourglass for the life of a scope.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

void SetListItems(QListWidget* list, const QStringList& items)
{
    list->clear();
    list->addItems(items);
}

QStringList ListItems(const QListWidget* list)
{
    QStringList items;
    items.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

// Long server names and phrases are shown whole in the drop-down list, however narrow the box.
void SetComboItems(QComboBox* combo, const QStringList& items)
{
    combo->clear();
    combo->addItems(items);
    QAbstractItemView* view = combo->view();
    view->setTextElideMode(Qt::ElideNone);
    view->setMinimumWidth(qMin(view->sizeHintForColumn(0) + 2 * view->frameWidth() + 24, 900));
}

bool LessIgnoringCase(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

TAdvancedForm::TAdvancedForm(TMisc1& engine, QWidget* parent)
    : QDialog(parent)
    , engine_(engine)
    , assignment_(engine)
{
    QVariantList pictures;
    for (int state = 0; state <= 4; ++state)
        pictures.append(ServerStateIcon(state));
    assignment_.Tree().setStatePictures(pictures);

    BuildControls();
    ConnectHandlers();
    edProxyPort->installEventFilter(this);
    for (QLineEdit* entry : {NewServerEdit, MatchTextEdit, NewDomainEdit})
        entry->installEventFilter(this);
    for (QLineEdit* box : {edUsername, edPassword, edProxyServer, edProxyPort})
        connect(box, &QLineEdit::textChanged, this, &TAdvancedForm::ShareProxyBoxes);
    connect(ProxyEnabledCheck, &QCheckBox::toggled, this, &TAdvancedForm::ShareProxyBoxes);
    // The taken-list cache reads the cache age live from its box.
    engine_.TakenListCache.CacheDays = [box = IECacheEdit] { return box->value(); };
}

TAdvancedForm::~TAdvancedForm()
{
    const int days = IECacheEdit->value();
    engine_.TakenListCache.CacheDays = [days] { return days; };
}

QString TAdvancedForm::SettingsPath() const
{
    return engine_.settingsFile(QLatin1String(SettingsFileName()));
}

void TAdvancedForm::ShowError(const QString& text)
{
    engine_.ShowMessage(MessageKind::Error, text, MbOk);
}

// --- Creation, showing and hiding ---------------------------------------------------------

void TAdvancedForm::FormCreate()
{
    PageControl1->setCurrentWidget(ServerAssignmentPage);
    engine_.TLDInfoList.Clear();
    FillBuiltinLists();
    FillNoMatchCombo();
    emit tldBoxCleared();
    if (QFile::exists(SettingsPath()))
        LoadAdvancedSettings();
    ApplyRdapChoices();   // also the first start's: RDAP on
    // The tree, TLDInfoList and the TLD box; the quick ticks, the saved TLD and the tick count.
    BuildTLDsAtStartup(engine_, assignment_);
    tldBoxItems_ = assignment_.TLDBoxItems();
    emit tldBoxFilled(tldBoxItems_);
    emit tldListRebuilt(true);
    ShareProxyBoxes();
    WarnAboutProxy(engine_.systemProxySource(), ProxyBoxesNow(), engine_.messageBoxes(), [this] { emit mainWindowWanted(); });
}

void TAdvancedForm::FillBuiltinLists()
{
    QStringList servers = assignment_.ServerList();
    std::stable_sort(servers.begin(), servers.end(), LessIgnoringCase);
    SetListItems(ServerList, servers);
    SetListItems(DomainList, assignment_.DomainList());
}

void TAdvancedForm::FillNoMatchCombo()
{
    QStringList phrases{QStringLiteral("No Match")};
    const BuiltinTables& tables = engine_.builtinTables();
    for (int i = 0; i < tables.NoStringCount(); ++i) {
        // Each phrase is stored in double quotes.
        const QString phrase = tables.NoStringLine(i).trimmed();
        phrases.append(phrase.mid(1, phrase.size() - 2));
    }
    SetComboItems(NoMatchCombo, phrases);
}

void TAdvancedForm::LoadAdvancedSettings()
{
    AdvancedSettings settings;
    if (!::LoadAdvancedSettings(SettingsPath(), settings)) {
        ShowError(QStringLiteral("Error loading settings"));
        return;
    }
    IECacheEdit->setValue(settings.IECache);
    SetProxyBoxes(ProxyBoxesOf(settings));

    engine_.NewServerList = settings.NewServerList;
    engine_.NewDomainList = settings.NewDomainList;
    engine_.NewMatchList = settings.NewMatchList;
    ShowUserLists();
    RdapCheck->setChecked(settings.Rdap);
    DnsPrecheckCheck->setChecked(settings.DnsPrecheck);
    TimeoutEdit->setValue(settings.Timeout);
    SelfCheckCheck->setChecked(settings.SelfCheck);
    engine_.LookupParallel = settings.Parallel;
    engine_.LookupPerServer = settings.PerServer;
    AssignedFirstList->clear();
    AssignedFirstList->addItems(settings.AssignedFirstList);
    ApplyRdapChoices();

    ApplyProxySettings(ProxyBoxesNow(), engine_.Http);
}

void TAdvancedForm::FillMainTLDBox()
{
    tldBoxItems_ = assignment_.TLDBoxItems();
    emit tldBoxFilled(tldBoxItems_);
}

void TAdvancedForm::AddNewTLDsToMainTLDBox()
{
    for (const QString& tld : assignment_.TLDBoxItems()) {
        if (!tldBoxItems_.contains(tld)) {
            tldBoxItems_.append(tld);
            emit tldBoxGained(tld);
        }
    }
}


void TAdvancedForm::showEvent(QShowEvent* event)
{
    if (!centred_) {
        // Laid out now, the pages tell how tall their wrapping texts are at this font.
        ResizeToFitFont(this, QSize(651, 403));
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        centred_ = true;
    }
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TAdvancedForm::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TAdvancedForm::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TAdvancedForm::reject()
{
    // Escape means Cancel.
    CancelBtnClick();
}

void TAdvancedForm::FormShow()
{
    PageControl1->setCurrentWidget(ServerAssignmentPage);
    MainTree->setFocus();
    snapshot_.TakeSnapshot(this);
    selectedAtShow_ = assignment_.Tree().RefOf(SelectedNode());
}

void TAdvancedForm::FormHide()
{
    snapshot_.FreeSnapshot();
}

bool TAdvancedForm::FormCloseQuery()
{
    hide();
    return false;
}

// --- The four buttons on the right ----------------------------------------------------------

bool TAdvancedForm::PortBoxIsValid()
{
    int port = -1;
    if (PortFromBoxText(edProxyPort->text(), port))
        return true;
    // Checked before anything is applied or erased, so the saved settings stay as they were.
    ShowError(QStringLiteral("Invalid proxy port \"%1\"\r\rPlease enter the port in digits only, or leave it empty.")
                  .arg(edProxyPort->text()));
    PageControl1->setCurrentWidget(HttpSettingsPage);
    edProxyPort->setFocus();
    edProxyPort->selectAll();
    return false;
}

void TAdvancedForm::OKBtnClick()
{
    WaitCursor wait;
    if (!snapshot_.SnapshotDiffers(this)) {
        hide();
        return;
    }
    if (!PortBoxIsValid())
        return;

    bool saved = ApplyAndSaveAdvancedSettings();
    // A tree that cannot be written would be lost at the next start: say so, and still
    // use it for this session.
    saved = assignment_.SaveTreeview() && saved;
    assignment_.CommitToTLDInfoList();
    // The list may have changed its order: the quick ticks and the saved ticks follow it.
    emit tldListRebuilt(false);
    AddNewTLDsToMainTLDBox();
    if (!saved)
        ShowError(QStringLiteral("Error saving settings"));
    hide();
}

AdvancedSettings TAdvancedForm::AdvancedSettingsNow() const
{
    const ProxyBoxes boxes = ProxyBoxesNow();
    AdvancedSettings settings;
    settings.IECache = IECacheEdit->value();
    settings.Username = boxes.Username;
    settings.Password = boxes.Password;
    settings.ProxyServer = boxes.Server;
    PortFromBoxText(boxes.Port, settings.Port);
    settings.ProxyEnabled = boxes.Enabled;
    settings.NewServerList = engine_.NewServerList;
    settings.NewMatchList = engine_.NewMatchList;
    settings.NewDomainList = engine_.NewDomainList;
    settings.Rdap = RdapCheck->isChecked();
    settings.DnsPrecheck = DnsPrecheckCheck->isChecked();
    settings.Timeout = TimeoutEdit->value();
    settings.SelfCheck = SelfCheckCheck->isChecked();
    settings.AssignedFirstList = AssignedFirstTlds();
    return settings;
}

bool TAdvancedForm::ApplyAndSaveAdvancedSettings()
{
    ApplyProxySettings(ProxyBoxesNow(), engine_.Http);
    ApplyRdapChoices();
    return SaveAdvancedSettings(SettingsPath(), AdvancedSettingsNow());
}

void TAdvancedForm::CancelBtnClick()
{
    WaitCursor wait;
    if (snapshot_.SnapshotDiffers(this)) {
        snapshot_.RestoreSnapshot(this);
        TakeUserListsFromBoxes();
        ShareProxyBoxes();
        assignment_.GetAllServersSorted();
    }
    // The panel beside the tree as it was at the showing: a restored tree has no selection
    // of its own, so the node selected then is selected again and the panel follows it.
    SelectNode(selectedAtShow_);
    MainTreeChange();
    hide();
}

void TAdvancedForm::SelectNode(TServerTree::NodeRef node)
{
    MainTree->selectionModel()->clearSelection();
    const QModelIndex index = assignment_.Tree().IndexOf(node);
    if (!index.isValid())
        return;
    MainTree->expand(index.parent());
    MainTree->setCurrentIndex(index);
}

void TAdvancedForm::DefaultBtnClick()
{
    if (engine_.ShowMessage(MessageKind::Question, QStringLiteral("Are you sure you wish to restore all the default settings ?"),
                             MbYes | MbNo)
        != MbYes)
        return;

    QStringList failures;
    const QStringList preferences{engine_.settingsFile(QLatin1String(SettingsFileName())),
                                  engine_.settingsFile(QLatin1String(ConfigFileName())),
                                  engine_.cacheFile(QStringLiteral("Soundex.dat"))};
    for (const QString& path : preferences) {
        QFile file(path);
        if (file.exists() && !file.remove())
            failures.append(file.fileName() + QStringLiteral(": ") + file.errorString());
    }
    if (!failures.isEmpty())
        ShowError(QStringLiteral("An error occurred deleting the preferences files :\r\r") + failures.join(QLatin1Char('\r')));

    try {
        BlankBtnClick();
        RdapCheck->setChecked(true);
        DnsPrecheckCheck->setChecked(true);
        TimeoutEdit->setValue(30);
        SelfCheckCheck->setChecked(true);
        AssignedFirstList->clear();
        ApplyRdapChoices();
        engine_.TLDInfoList.Clear();
        emit tldBoxCleared();
        assignment_.InitialiseTree();
        FillMainTLDBox();
        // The reset values select the first TLD of the box.
        emit mainDefaultsRestored();
        assignment_.GetAllServersSorted();
        emit tldListRebuilt(false);
    } catch (const std::exception& error) {
        ShowError(QStringLiteral("An error occurred restoring default settings :\r\r") + QString::fromLocal8Bit(error.what()));
    }
    // What the dialog shows now is what the next start has, and what this session uses:
    // the blank proxy, the cache age and the user's own servers, match texts and domains
    // go back into the new Settings.dat at once, not only at an OK that finds a change.
    if (!ApplyAndSaveAdvancedSettings())
        ShowError(QStringLiteral("Error saving settings"));
    MainTreeChange();
    hide();
}

void TAdvancedForm::HelpAdvBtnClick()
{
    emit helpRequested();
}

// --- "Server Assignment" page ------------------------------------------------------------------

QStringList TAdvancedForm::AssignedFirstTlds() const
{
    QStringList tlds;
    for (int i = 0; i < AssignedFirstList->count(); ++i)
        tlds.append(AssignedFirstList->item(i)->text());
    return tlds;
}

void TAdvancedForm::ApplyRdapChoices()
{
    engine_.RdapEnabled = RdapCheck->isChecked();
    engine_.DnsPrecheck = DnsPrecheckCheck->isChecked();
    engine_.SetLookupTimeout(TimeoutEdit->value());
    engine_.LookupSelfCheck = SelfCheckCheck->isChecked();
    const QStringList tlds = AssignedFirstTlds();
    engine_.RdapPinnedTlds = QSet<QString>(tlds.cbegin(), tlds.cend());
}

// Which RDAP service answers the TLD first, and the tick that lets the user keep it off.
void TAdvancedForm::ShowRdapServiceOf(const QString& tld)
{
    const QString base = engine_.RdapBootstrap.BaseUrlForTld(tld);
    const bool pinned = AssignedFirstTlds().contains(tld.toLower());
    QSignalBlocker quiet(RdapFirstCheck);
    RdapFirstCheck->setChecked(!base.isEmpty() && !pinned);
    RdapFirstCheck->setEnabled(!base.isEmpty());
    if (base.isEmpty())
        RdapLbl->setText(QStringLiteral("RDAP : no service known; the server above answers"));
    else if (!RdapCheck->isChecked())
        RdapLbl->setText(QStringLiteral("RDAP : %1 (RDAP is switched off on the HTTP Settings page)").arg(base));
    else
        RdapLbl->setText(QStringLiteral("RDAP : %1%2").arg(base, pinned ? QStringLiteral(" (not asked)")
                                                                      : QStringLiteral(" answers first")));
}

void TAdvancedForm::RdapFirstCheckClick()
{
    const QString tld = DomainLbl->text().toLower();
    if (tld.isEmpty())
        return;
    const QList<QListWidgetItem*> found = AssignedFirstList->findItems(tld, Qt::MatchFixedString);
    if (RdapFirstCheck->isChecked())
        qDeleteAll(found);
    else if (found.isEmpty())
        AssignedFirstList->addItem(tld);
    ShowRdapServiceOf(tld);
}

QModelIndex TAdvancedForm::SelectedNode() const
{
    const QModelIndexList selected = MainTree->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.first();
}

void TAdvancedForm::MainTreeChange()
{
    DomainLbl->clear();
    ServerLbl->clear();
    const TServerTree& tree = assignment_.Tree();
    const TServerTree::NodeRef node = tree.RefOf(SelectedNode());
    if (!node.isValid()) {
        GroupBox1->hide();
        Panel3->hide();
        return;
    }
    // The include group comes back with the panel, so every node can get servers.
    GroupBox1->show();
    Panel3->show();

    const TServerTree::TLD& tld = tree.TLDAt(node.tld);
    DomainLbl->setText(tld.text);
    ShowRdapServiceOf(tld.text);
    if (node.isServer()) {
        const TServerTree::Server& server = tld.servers.at(node.server);
        ServerLbl->setText(server.text);
        DefaultServer->setEnabled(!IsDefaultState(server.stateIndex));
        UnIncludeBtn->setEnabled(true);
        RefillServerCombo();
    } else {
        RefillServerCombo();
        DefaultServer->setEnabled(false);
        UnIncludeBtn->setEnabled(false);
    }
}

void TAdvancedForm::RefillServerCombo()
{
    const std::optional<QStringList> lacking = assignment_.UpdateServerCombo(SelectedNode());
    if (lacking)
        SetComboItems(ServerCombo, *lacking);
}

void TAdvancedForm::IncludeBtnClick()
{
    const QModelIndex selected = SelectedNode();
    const QModelIndex added = assignment_.IncludeServer(selected, ServerCombo->currentText());
    if (!added.isValid())
        return;
    MainTree->expand(added.parent());
    MainTreeChange();
}

void TAdvancedForm::UnIncludeBtnClick()
{
    if (assignment_.UnincludeServer(SelectedNode()))
        MainTreeChange();
}

void TAdvancedForm::DefaultServerClick()
{
    assignment_.SetDefaultServer(SelectedNode());
    MainTreeChange();
}

// --- "Servers" and "Domains" pages ---------------------------------------------------------------

int TAdvancedForm::FirstSelectedRow(const QListWidget* list)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            return i;
    return -1;
}

void TAdvancedForm::ShowUserLists()
{
    SetListItems(NewServerList, engine_.NewServerList);
    SetListItems(NewMatchList, engine_.NewMatchList);
    SetListItems(NewDomainList, engine_.NewDomainList);
}

void TAdvancedForm::TakeUserListsFromBoxes()
{
    engine_.NewServerList = ListItems(NewServerList);
    engine_.NewMatchList = ListItems(NewMatchList);
    engine_.NewDomainList = ListItems(NewDomainList);
}

void TAdvancedForm::AddBtnClick()
{
    if (!assignment_.AddUserServer(NewServerEdit->text(), NewServerTypeCombo->currentIndex() == 1, MatchTextEdit->text()))
        return;
    ShowUserLists();
    MatchTextEdit->setText(QStringLiteral("No Match"));
    NewServerEdit->clear();
    NewServerTypeCombo->setCurrentIndex(0);
    if (SelectedNode().isValid()) {
        RefillServerCombo();
    } else {
        SetComboItems(ServerCombo, assignment_.SortedServerList());
    }
}

void TAdvancedForm::DeleteBtnClick()
{
    if (!assignment_.DeleteUserServer(FirstSelectedRow(NewServerList)))
        return;
    ShowUserLists();
    MainTreeChange();
}

void TAdvancedForm::AddDomainBtnClick()
{
    if (!assignment_.AddUserDomain(NewDomainEdit->text()))
        return;
    ShowUserLists();
    NewDomainEdit->clear();
}

void TAdvancedForm::DeleteDomainBtnClick()
{
    if (!assignment_.DeleteUserDomain(FirstSelectedRow(NewDomainList)))
        return;
    ShowUserLists();
    MainTreeChange();
}

void TAdvancedForm::NoMatchComboChange()
{
    MatchTextEdit->setText(NoMatchCombo->currentText());
}

// --- "HTTP Settings" page -------------------------------------------------------------------------

ProxyBoxes TAdvancedForm::ProxyBoxesNow() const
{
    ProxyBoxes boxes;
    boxes.Username = edUsername->text();
    boxes.Password = edPassword->text();
    boxes.Server = edProxyServer->text();
    boxes.Port = edProxyPort->text();
    boxes.Enabled = ProxyEnabledCheck->isChecked();
    return boxes;
}

void TAdvancedForm::ShareProxyBoxes()
{
    engine_.ProxyEntries = ProxyBoxesNow();
}

void TAdvancedForm::SetProxyBoxes(const ProxyBoxes& boxes)
{
    edUsername->setText(boxes.Username);
    edPassword->setText(boxes.Password);
    edProxyServer->setText(boxes.Server);
    edProxyPort->setText(boxes.Port);
    ProxyEnabledCheck->setChecked(boxes.Enabled);
}

void TAdvancedForm::BlankBtnClick()
{
    ProxyBoxes boxes = ProxyBoxesNow();
    BlankProxySettings(boxes);
    SetProxyBoxes(boxes);
}

void TAdvancedForm::RetrieveBtnClick()
{
    ProxyBoxes boxes = ProxyBoxesNow();
    if (RetrieveProxySettings(engine_.systemProxySource(), boxes, engine_.messageBoxes()))
        SetProxyBoxes(boxes);
}

bool TAdvancedForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in an entry box of the "Servers" and "Domains" pages presses its Add button,
    // not the dialog's OK, which would close the dialog with nothing added.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QPushButton* add = watched == NewDomainEdit                                   ? AddDomainBtn
                         : watched == NewServerEdit || watched == MatchTextEdit ? AddBtn
                                                                                       : nullptr;
        if (add && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            add->click();
            return true;
        }
    }
    if (watched == edProxyPort && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        // Keys without a character (arrows, Home, Delete) move and edit as usual.
        if (!text.isEmpty() && !edProxyPortKeyPress(text.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TAdvancedForm::edProxyPortKeyPress(QChar key)
{
    const char16_t code = key.unicode();
    return (code >= u'0' && code <= u'9') || (code >= 1 && code <= 31);
}
