// The controls of the advanced dialog: four pages on the left, the buttons on the right.
#include "ui/AdvancedForm.h"
#include "ui/WindowLook.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

QLabel* MakeLabel(const QString& text, QWidget* parent, bool wrap = false)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(wrap);
    return label;
}

QPushButton* MakeButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QListWidget* MakeList(const QString& name, bool greyed, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Long URL templates scroll sideways rather than losing their ends.
    list->setTextElideMode(Qt::ElideNone);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    if (greyed) {
        // Read-only lists of built-in entries sit on the window colour, like a disabled box.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        list->setPalette(palette);
    }
    return list;
}

// A combo box whose text part is covered by a line edit, so only its arrow shows: the
// user types freely and the arrow offers ready-made texts.
class OverlaidCombo : public QWidget {
public:
    OverlaidCombo(QComboBox* combo, QLineEdit* edit, QWidget* parent)
        : QWidget(parent)
        , combo_(combo)
        , edit_(edit)
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        combo_->setParent(this);
        edit_->setParent(this);
        layout->addWidget(combo_);
        edit_->raise();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        QStyleOptionComboBox option;
        option.initFrom(combo_);
        option.editable = false;
        option.frame = true;
        const QRect field = combo_->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxEditField, combo_);
        // Cover the field and the combo's own frame to its left, up to the arrow.
        QRect cover(combo_->geometry().topLeft(), QSize(field.right() + 2, combo_->height()));
        edit_->setGeometry(cover);
    }

private:
    QComboBox* combo_;
    QLineEdit* edit_;
};

// A group box with a check box sitting on its frame in place of the title.
class CheckFramedGroup : public QGroupBox {
public:
    CheckFramedGroup(QCheckBox* check, QWidget* parent)
        : QGroupBox(parent)
        , check_(check)
    {
        check_->setParent(this);
        // A blank title as wide as the check box keeps the frame line clear behind it.
        const int spaceWidth = qMax(1, fontMetrics().horizontalAdvance(QLatin1Char(' ')));
        const int spaces = check_->sizeHint().width() / spaceWidth + 1;
        setTitle(QString(spaces, QLatin1Char(' ')));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QGroupBox::resizeEvent(event);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
        const QSize hint = check_->sizeHint();
        check_->setGeometry(QRect(QPoint(label.left(), label.center().y() - hint.height() / 2), hint));
        check_->raise();
    }

private:
    QCheckBox* check_;
};

} // namespace

void TAdvancedForm::BuildControls()
{
    setObjectName(QStringLiteral("AdvancedForm"));
    setWindowTitle(QStringLiteral("Advanced"));
    setModal(false);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(BuildServerAssignmentPage(), QStringLiteral("Server Assignment"));
    PageControl1->addTab(BuildServersPage(), QStringLiteral("Servers"));
    PageControl1->addTab(BuildDomainsPage(), QStringLiteral("Domains"));
    PageControl1->addTab(BuildHttpSettingsPage(), QStringLiteral("HTTP Settings"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(BuildButtonColumn());
    // Its design size where the desktop's font fits in it, larger where it does not.
    ResizeToFitFont(this, QSize(651, 403));
}

QWidget* TAdvancedForm::BuildButtonColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 22, 0, 0);
    layout->setSpacing(6);
    OKBtn = MakeButton(QStringLiteral("OKBtn"), QStringLiteral("&OK"), QStringLiteral("Save any changes made"), column);
    CancelBtn = MakeButton(QStringLiteral("CancelBtn"), QStringLiteral("&Cancel"), QStringLiteral("Cancel any changes made"), column);
    HelpAdvBtn = MakeButton(QStringLiteral("HelpAdvBtn"), QStringLiteral("&Help"), QString(), column);
    DefaultBtn = MakeButton(QStringLiteral("DefaultBtn"), QStringLiteral("&Defaults"),
                            QStringLiteral("Restore all the advanced settings to their defaults"), column);
    OKBtn->setDefault(true);
    for (QPushButton* button : {OKBtn, CancelBtn, HelpAdvBtn, DefaultBtn})
        button->setMinimumSize(qMax(81, button->sizeHint().width()), qMax(27, button->sizeHint().height()));
    layout->addWidget(OKBtn);
    layout->addWidget(CancelBtn);
    layout->addWidget(HelpAdvBtn);
    layout->addStretch(1);
    layout->addWidget(DefaultBtn);
    return column;
}

QWidget* TAdvancedForm::BuildServerAssignmentPage()
{
    ServerAssignmentPage = new QWidget;
    ServerAssignmentPage->setObjectName(QStringLiteral("ServerAssignmentPage"));
    auto* pageLayout = new QHBoxLayout(ServerAssignmentPage);
    pageLayout->setContentsMargins(6, 6, 6, 6);

    Splitter1 = new QSplitter(Qt::Horizontal, ServerAssignmentPage);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    pageLayout->addWidget(Splitter1);

    MainTree = new QTreeView(Splitter1);
    MainTree->setObjectName(QStringLiteral("MainTree"));
    MainTree->setModel(&assignment_.Tree());
    MainTree->setHeaderHidden(true);
    MainTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MainTree->setSelectionMode(QAbstractItemView::SingleSelection);
    MainTree->setIconSize(QSize(16, 16));
    MainTree->setUniformRowHeights(true);
    MainTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    MainTree->header()->setStretchLastSection(false);
    // The selection stays visible when the focus is elsewhere.
    QPalette treePalette = MainTree->palette();
    treePalette.setColor(QPalette::Inactive, QPalette::Highlight, treePalette.color(QPalette::Active, QPalette::Highlight));
    treePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         treePalette.color(QPalette::Active, QPalette::HighlightedText));
    MainTree->setPalette(treePalette);

    auto* details = new QWidget(Splitter1);
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(8, 0, 0, 0);
    detailsLayout->setSpacing(8);

    detailsLayout->addWidget(MakeLabel(
        QStringLiteral("When checking if a domain name is free, different servers check for different domains.  "
                       "Which servers to use for which domains can be specified here."),
        details, true));

    QFont bold = font();
    bold.setBold(true);

    auto* domainRow = new QHBoxLayout;
    QLabel* domainCaption = MakeLabel(QStringLiteral("Domain :"), details);
    domainRow->addWidget(domainCaption);
    DomainLbl = MakeLabel(QString(), details);
    DomainLbl->setObjectName(QStringLiteral("DomainLbl"));
    DomainLbl->setFont(bold);
    domainRow->addWidget(DomainLbl, 1);
    detailsLayout->addLayout(domainRow);

    Panel3 = new QFrame(details);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto* panelLayout = new QVBoxLayout(Panel3);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(8);

    auto* serverRow = new QHBoxLayout;
    QLabel* serverCaption = MakeLabel(QStringLiteral("Server :"), Panel3);
    serverRow->addWidget(serverCaption);
    // The two names line up.
    const int captionWidth = qMax(domainCaption->sizeHint().width(), serverCaption->sizeHint().width());
    domainCaption->setFixedWidth(captionWidth);
    serverCaption->setFixedWidth(captionWidth);
    ServerLbl = MakeLabel(QString(), Panel3);
    ServerLbl->setObjectName(QStringLiteral("ServerLbl"));
    ServerLbl->setFont(bold);
    ServerLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    serverRow->addWidget(ServerLbl, 1);
    panelLayout->addLayout(serverRow);

    auto* serverButtons = new QHBoxLayout;
    DefaultServer = MakeButton(QStringLiteral("DefaultServer"), QStringLiteral("&Set Server as default"),
                               QStringLiteral("Use this server from those listed"), Panel3);
    UnIncludeBtn = MakeButton(QStringLiteral("UnIncludeBtn"), QStringLiteral("&Uninclude Server"),
                              QStringLiteral("Remove the server from the list"), Panel3);
    serverButtons->addWidget(DefaultServer);
    serverButtons->addWidget(UnIncludeBtn);
    serverButtons->addStretch(1);
    panelLayout->addLayout(serverButtons);

    RdapLbl = MakeLabel(QString(), Panel3, true);
    RdapLbl->setObjectName(QStringLiteral("RdapLbl"));
    RdapLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    panelLayout->addWidget(RdapLbl);
    RdapFirstCheck = new QCheckBox(QStringLiteral("Ask &RDAP first for this domain"), Panel3);
    RdapFirstCheck->setObjectName(QStringLiteral("RdapFirstCheck"));
    RdapFirstCheck->setToolTip(QStringLiteral("Untick to have the server above answer this domain first"));
    panelLayout->addWidget(RdapFirstCheck);
    AssignedFirstList = new QListWidget(Panel3);
    AssignedFirstList->setObjectName(QStringLiteral("AssignedFirstList"));
    AssignedFirstList->hide();

    GroupBox1 = new QGroupBox(QStringLiteral("Include Server"), Panel3);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* groupLayout = new QGridLayout(GroupBox1);
    groupLayout->addWidget(MakeLabel(QStringLiteral("Specify another server to be used for checking this domain"),
                                     GroupBox1, true), 0, 0, 1, 2);
    // The names are long: the box gets the whole width under its caption.
    groupLayout->addWidget(MakeLabel(QStringLiteral("Other Servers :"), GroupBox1), 1, 0, 1, 2);
    ServerCombo = new QComboBox(GroupBox1);
    ServerCombo->setObjectName(QStringLiteral("ServerCombo"));
    ServerCombo->setToolTip(QStringLiteral("Specify a server to be included in this domain"));
    ServerCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ServerCombo->setMinimumContentsLength(12);
    groupLayout->addWidget(ServerCombo, 2, 0);
    IncludeBtn = MakeButton(QStringLiteral("IncludeBtn"), QStringLiteral("&Include"),
                            QStringLiteral("Include this server for the highlighted domain"), GroupBox1);
    groupLayout->addWidget(IncludeBtn, 2, 1);
    groupLayout->setColumnStretch(0, 1);
    panelLayout->addWidget(GroupBox1);

    detailsLayout->addWidget(Panel3);
    detailsLayout->addStretch(1);
    Panel3->hide();

    Splitter1->addWidget(MainTree);
    Splitter1->addWidget(details);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({215, 305});
    return ServerAssignmentPage;
}

QWidget* TAdvancedForm::BuildServersPage()
{
    ServersPage = new QWidget;
    ServersPage->setObjectName(QStringLiteral("ServersPage"));
    auto* layout = new QGridLayout(ServersPage);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(4);

    layout->addWidget(MakeLabel(QStringLiteral("This is a list of servers to be used for checking domain names :"),
                                ServersPage, true), 0, 0);
    ServerList = MakeList(QStringLiteral("ServerList"), true, ServersPage);
    layout->addWidget(ServerList, 1, 0);

    layout->addWidget(MakeLabel(QStringLiteral("More servers can be added below :"), ServersPage, true), 0, 1);
    NewServerList = MakeList(QStringLiteral("NewServerList"), false, ServersPage);
    layout->addWidget(NewServerList, 1, 1);

    // The match texts run beside NewServerList, position for position; never shown.
    NewMatchList = MakeList(QStringLiteral("NewMatchList"), false, ServersPage);
    NewMatchList->hide();

    auto* listButtons = new QVBoxLayout;
    AddBtn = MakeButton(QStringLiteral("AddBtn"), QStringLiteral("&Add"), QStringLiteral("Add this server to the current list"), ServersPage);
    DeleteBtn = MakeButton(QStringLiteral("DeleteBtn"), QStringLiteral("&Delete"), QStringLiteral("Delete this server from the list"), ServersPage);
    listButtons->addWidget(AddBtn);
    listButtons->addWidget(DeleteBtn);
    listButtons->addStretch(1);
    layout->addLayout(listButtons, 1, 2);

    auto* entry = new QGridLayout;
    entry->setHorizontalSpacing(6);
    entry->addWidget(MakeLabel(QStringLiteral("New Server :"), ServersPage), 0, 0);
    NewServerTypeCombo = new QComboBox(ServersPage);
    NewServerTypeCombo->setObjectName(QStringLiteral("NewServerTypeCombo"));
    NewServerTypeCombo->addItems({QStringLiteral("Whois server"), QStringLiteral("Http server")});
    NewServerTypeCombo->setCurrentIndex(0);
    entry->addWidget(NewServerTypeCombo, 0, 1);
    NewServerEdit = new QLineEdit(ServersPage);
    NewServerEdit->setObjectName(QStringLiteral("NewServerEdit"));
    entry->addWidget(NewServerEdit, 0, 2);

    entry->addWidget(MakeLabel(QStringLiteral("Text indictating free domain :"), ServersPage), 1, 0, 1, 2);
    NoMatchCombo = new QComboBox;
    NoMatchCombo->setObjectName(QStringLiteral("NoMatchCombo"));
    NoMatchCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    NoMatchCombo->setMinimumContentsLength(10);
    MatchTextEdit = new QLineEdit(QStringLiteral("No Match"));
    MatchTextEdit->setObjectName(QStringLiteral("MatchTextEdit"));
    entry->addWidget(new OverlaidCombo(NoMatchCombo, MatchTextEdit, ServersPage), 1, 2);
    // The text box comes first, as it is read: the combo shows only its arrow, to the right.
    setTabOrder(NewServerEdit, MatchTextEdit);
    setTabOrder(MatchTextEdit, NoMatchCombo);
    entry->setColumnStretch(2, 1);
    layout->addLayout(entry, 2, 0, 1, 3);

    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    return ServersPage;
}

QWidget* TAdvancedForm::BuildDomainsPage()
{
    DomainsPage = new QWidget;
    DomainsPage->setObjectName(QStringLiteral("DomainsPage"));
    auto* layout = new QGridLayout(DomainsPage);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(4);

    QLabel* builtinCaption = MakeLabel(QStringLiteral("This is a list of domains that can be registered :"), DomainsPage, true);
    builtinCaption->setFixedWidth(190);
    layout->addWidget(builtinCaption, 0, 0, Qt::AlignBottom);
    DomainList = MakeList(QStringLiteral("DomainList"), true, DomainsPage);
    DomainList->setFixedWidth(190);   // TLDs are short: the room goes to the user's list
    layout->addWidget(DomainList, 1, 0);

    layout->addWidget(MakeLabel(QStringLiteral("More domains can be added below :"), DomainsPage, true), 0, 1,
                      Qt::AlignBottom);
    NewDomainList = MakeList(QStringLiteral("NewDomainList"), false, DomainsPage);
    layout->addWidget(NewDomainList, 1, 1);

    auto* listButtons = new QVBoxLayout;
    AddDomainBtn = MakeButton(QStringLiteral("AddDomainBtn"), QStringLiteral("&Add"), QStringLiteral("Add this domain to the list"), DomainsPage);
    DeleteDomainBtn = MakeButton(QStringLiteral("DeleteDomainBtn"), QStringLiteral("&Delete"), QStringLiteral("Delete this domain from the list"), DomainsPage);
    listButtons->addWidget(AddDomainBtn);
    listButtons->addWidget(DeleteDomainBtn);
    listButtons->addStretch(1);
    layout->addLayout(listButtons, 1, 2);

    auto* entry = new QHBoxLayout;
    entry->addWidget(MakeLabel(QStringLiteral("New Domain :"), DomainsPage));
    NewDomainEdit = new QLineEdit(DomainsPage);
    NewDomainEdit->setObjectName(QStringLiteral("NewDomainEdit"));
    NewDomainEdit->setToolTip(QStringLiteral("Enter a new domain to be considered here"));
    entry->addWidget(NewDomainEdit, 1);
    layout->addLayout(entry, 2, 1);

    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    return DomainsPage;
}

QWidget* TAdvancedForm::BuildHttpSettingsPage()
{
    HttpSettingsPage = new QWidget;
    HttpSettingsPage->setObjectName(QStringLiteral("HttpSettingsPage"));
    auto* layout = new QVBoxLayout(HttpSettingsPage);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);

    layout->addWidget(MakeLabel(QStringLiteral("Change these settings to allow Tarnwick to use HTTP servers through a firewall"),
                                HttpSettingsPage, true));

    auto* groups = new QHBoxLayout;
    auto* authentication = new QGroupBox(QStringLiteral(" Authentication "), HttpSettingsPage);
    authentication->setObjectName(QStringLiteral("AuthenticationGroup"));
    auto* authLayout = new QGridLayout(authentication);
    authLayout->addWidget(MakeLabel(QStringLiteral("Username"), authentication), 0, 0);
    edUsername = new QLineEdit(authentication);
    edUsername->setObjectName(QStringLiteral("edUsername"));
    authLayout->addWidget(edUsername, 0, 1);
    authLayout->addWidget(MakeLabel(QStringLiteral("Password"), authentication), 1, 0);
    edPassword = new QLineEdit(authentication);
    edPassword->setObjectName(QStringLiteral("edPassword"));
    edPassword->setEchoMode(QLineEdit::Normal);   // shown in clear, as it is stored
    authLayout->addWidget(edPassword, 1, 1);
    groups->addWidget(authentication, 1);

    ProxyEnabledCheck = new QCheckBox(QStringLiteral("Proxy Enabled"));
    ProxyEnabledCheck->setObjectName(QStringLiteral("ProxyEnabledCheck"));
    ProxyGroup = new CheckFramedGroup(ProxyEnabledCheck, HttpSettingsPage);
    ProxyGroup->setObjectName(QStringLiteral("ProxyGroup"));
    auto* proxyLayout = new QGridLayout(ProxyGroup);
    proxyLayout->addWidget(MakeLabel(QStringLiteral("Server"), ProxyGroup), 0, 0);
    edProxyServer = new QLineEdit(ProxyGroup);
    edProxyServer->setObjectName(QStringLiteral("edProxyServer"));
    proxyLayout->addWidget(edProxyServer, 0, 1);
    proxyLayout->addWidget(MakeLabel(QStringLiteral("Port"), ProxyGroup), 1, 0);
    edProxyPort = new QLineEdit(ProxyGroup);
    edProxyPort->setObjectName(QStringLiteral("edProxyPort"));
    edProxyPort->setMaximumWidth(80);
    proxyLayout->addWidget(edProxyPort, 1, 1, Qt::AlignLeft);
    groups->addWidget(ProxyGroup, 1);
    layout->addLayout(groups);

    auto* actions = new QGridLayout;
    actions->setHorizontalSpacing(8);
    actions->setVerticalSpacing(4);
    BlankBtn = MakeButton(QStringLiteral("BlankBtn"), QStringLiteral("Blank"), QString(), HttpSettingsPage);
    RetrieveBtn = MakeButton(QStringLiteral("RetrieveBtn"), QStringLiteral("Retrieve"), QString(), HttpSettingsPage);
    for (QPushButton* button : {BlankBtn, RetrieveBtn}) {
        button->setMinimumWidth(qMax(75, button->minimumSizeHint().width()));
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    actions->addWidget(BlankBtn, 0, 0);
    actions->addWidget(MakeLabel(QStringLiteral("To leave blank the parameters"), HttpSettingsPage), 0, 1);
    actions->addWidget(RetrieveBtn, 1, 0);
    actions->addWidget(MakeLabel(QStringLiteral("To use Internet Explorer settings on this machine"), HttpSettingsPage), 1, 1);
    actions->setColumnStretch(1, 1);
    layout->addLayout(actions);

    auto* rule = new QFrame(HttpSettingsPage);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    QLabel* heading = MakeLabel(QStringLiteral("Domain Lists Cached Download"), HttpSettingsPage);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(MakeLabel(QStringLiteral("Lists exist for some domain names that are already taken, such as Ireland .IE domains."),
                                HttpSettingsPage, true));
    layout->addWidget(MakeLabel(QStringLiteral("Tarnwick can download these lists periodically when searches are made on these domains."),
                                HttpSettingsPage, true));
    layout->addWidget(MakeLabel(QStringLiteral("Such lists allow for faster domain name checking."), HttpSettingsPage, true));
    layout->addWidget(MakeLabel(QStringLiteral("Choose how long you would like to use these lists before downloading them again."),
                                HttpSettingsPage, true));

    TimeoutEdit = new QSpinBox(HttpSettingsPage);
    TimeoutEdit->setObjectName(QStringLiteral("TimeoutEdit"));
    TimeoutEdit->setRange(1, 120);
    TimeoutEdit->setValue(30);
    TimeoutEdit->setToolTip(QStringLiteral("A server that sends nothing for this long is given up for the rest of the search"));
    auto* cacheRow = new QHBoxLayout;
    cacheRow->addWidget(MakeLabel(QStringLiteral("Where lists exist, do not cache this list for more than"), HttpSettingsPage));
    IECacheEdit = new QSpinBox(HttpSettingsPage);
    IECacheEdit->setObjectName(QStringLiteral("IECacheEdit"));
    IECacheEdit->setRange(1, 120);
    IECacheEdit->setValue(7);
    cacheRow->addWidget(IECacheEdit);
    cacheRow->addWidget(MakeLabel(QStringLiteral("days"), HttpSettingsPage));
    cacheRow->addStretch(1);
    layout->addLayout(cacheRow);

    auto* rdapRule = new QFrame(HttpSettingsPage);
    rdapRule->setFrameShape(QFrame::HLine);
    rdapRule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rdapRule);
    RdapCheck = new QCheckBox(QStringLiteral("Ask RDAP first"), HttpSettingsPage);
    RdapCheck->setObjectName(QStringLiteral("RdapCheck"));
    RdapCheck->setToolTip(QStringLiteral("Ask the registry's RDAP service first where it offers one: RDAP answers without a phrase "
                                         "to match; the assigned server answers when it cannot"));
    RdapCheck->setChecked(true);
    DnsPrecheckCheck = new QCheckBox(QStringLiteral("Ask DNS first"), HttpSettingsPage);
    DnsPrecheckCheck->setObjectName(QStringLiteral("DnsPrecheckCheck"));
    DnsPrecheckCheck->setToolTip(QStringLiteral("In automated searches a name that has name servers is registered, without a "
                                                "registry query; DNS never reports a name free"));
    DnsPrecheckCheck->setChecked(true);
    SelfCheckCheck = new QCheckBox(QStringLiteral("Check servers first"), HttpSettingsPage);
    SelfCheckCheck->setObjectName(QStringLiteral("SelfCheckCheck"));
    SelfCheckCheck->setToolTip(QStringLiteral("Once a search, at each TLD's first domain: its RDAP service must know nic.<tld>, and its server must "
                                              "judge a made-up name free; the search says what it finds"));
    SelfCheckCheck->setChecked(true);
    // One row for the lookup switches and the time-out: the dialog keeps its size.
    auto* lookupRow = new QHBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{RdapCheck, DnsPrecheckCheck, SelfCheckCheck})
        lookupRow->addWidget(control);
    lookupRow->addStretch(1);
    lookupRow->addWidget(MakeLabel(QStringLiteral("Time-out"), HttpSettingsPage));
    lookupRow->addWidget(TimeoutEdit);
    lookupRow->addWidget(MakeLabel(QStringLiteral("s"), HttpSettingsPage));
    layout->addLayout(lookupRow);
    layout->addStretch(1);
    return HttpSettingsPage;
}

void TAdvancedForm::ConnectHandlers()
{
    connect(OKBtn, &QPushButton::clicked, this, &TAdvancedForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TAdvancedForm::CancelBtnClick);
    connect(HelpAdvBtn, &QPushButton::clicked, this, &TAdvancedForm::HelpAdvBtnClick);
    connect(DefaultBtn, &QPushButton::clicked, this, &TAdvancedForm::DefaultBtnClick);
    connect(MainTree->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TAdvancedForm::MainTreeChange);
    connect(IncludeBtn, &QPushButton::clicked, this, &TAdvancedForm::IncludeBtnClick);
    connect(RdapFirstCheck, &QCheckBox::clicked, this, &TAdvancedForm::RdapFirstCheckClick);
    connect(RdapCheck, &QCheckBox::clicked, this, &TAdvancedForm::MainTreeChange);
    connect(UnIncludeBtn, &QPushButton::clicked, this, &TAdvancedForm::UnIncludeBtnClick);
    connect(DefaultServer, &QPushButton::clicked, this, &TAdvancedForm::DefaultServerClick);
    connect(AddBtn, &QPushButton::clicked, this, &TAdvancedForm::AddBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TAdvancedForm::DeleteBtnClick);
    connect(AddDomainBtn, &QPushButton::clicked, this, &TAdvancedForm::AddDomainBtnClick);
    connect(DeleteDomainBtn, &QPushButton::clicked, this, &TAdvancedForm::DeleteDomainBtnClick);
    connect(NoMatchCombo, &QComboBox::activated, this, &TAdvancedForm::NoMatchComboChange);
    connect(BlankBtn, &QPushButton::clicked, this, &TAdvancedForm::BlankBtnClick);
    connect(RetrieveBtn, &QPushButton::clicked, this, &TAdvancedForm::RetrieveBtnClick);
}

