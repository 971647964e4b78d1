#include "ui/MainForm.h"
#include "engine/Misc1.h"
#include "engine/ProjectInfo.h"
#include "engine/runs/ResultListModel.h"
#include "platform/HelpSystem.h"
#include "platform/ProgramFolder.h"
#include "platform/ShellOpen.h"
#include "settings/CheckStates.h"
#include "settings/MainOptionsFile.h"
#include "settings/SettingsFile.h"
#include "ui/SidePicture.h"
#include "ui/TLDForm.h"
#include "ui/UpperCaseValidator.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

namespace {

constexpr int kClientWidth = 617;
constexpr int kClientHeight = 415;
constexpr int kLeftWidth = 97;
constexpr int kRightWidth = 99;
constexpr int kHeaderHeight = 17;     // the black bar of a source section

const char* const kBlackBand = "background-color: black; color: yellow; font-weight: bold; padding-left: 4px;";
const char* const kInfoBand = "background-color: #ffffe1; color: black;";

// Texts of the classic tool tips use "\r\n" for a line break.
QString Hint(const char* text)
{
    QString hint = QString::fromLatin1(text);
    hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return hint;
}

QLabel* Band(const QString& text, const char* style, QWidget* parent, const QString& name = QString())
{
    auto* band = new QLabel(text, parent);
    if (!name.isEmpty())
        band->setObjectName(name);
    band->setStyleSheet(QString::fromLatin1(style));
    band->setFixedHeight(17);
    return band;
}

QSpinBox* Spin(const QString& name, int minimum, int maximum, int value, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}

QLineEdit* Edit(const QString& name, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLabel* Caption(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

// The characters a name entry takes from the keyboard: control keys, "-", digits and
// letters, and for the dictionary range also the blank. Character code 0 and every
// other character, the dot included, are dropped.
bool NameKeyAllowed(QChar c, bool allowSpace)
{
    const ushort code = c.unicode();
    if (code >= 1 && code <= 31)
        return true;
    if (allowSpace && code == 32)
        return true;
    return code == '-' || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// A pale background of the program's own with black text on it, for the widget and the
// labels it holds: under a dark desktop palette the text would otherwise be pale too.
void SetLightBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::WindowText, Qt::black);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Sets each widget's place in the Tab order after the one before it.
void ChainTabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void SetTicked(QCheckBox* box, bool ticked)
{
    box->setChecked(ticked);
}

} // namespace

TMainForm::TMainForm(TMisc1& engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tarnwick"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Small, narrow type, so the captions fit the fixed sizes of the controls.
    QFont small = font();
    small.setPointSizeF(8);
    small.setStretch(QFont::SemiCondensed);
    setFont(small);
    setFixedSize(kClientWidth, kClientHeight);

    buildLeftColumn();

    MainPage = new QTabWidget(this);
    MainPage->setObjectName(QStringLiteral("MainPage"));
    MainPage->setGeometry(kLeftWidth + 3, 4, kClientWidth - kLeftWidth - kRightWidth - 3, kClientHeight - 8);
    Page1 = new QWidget;
    Page1->setObjectName(QStringLiteral("Page1"));
    Page2 = new QWidget;
    Page2->setObjectName(QStringLiteral("Page2"));
    MainPage->addTab(Page1, QStringLiteral("&Single Search"));
    MainPage->addTab(Page2, QStringLiteral("&Automated Search"));
    buildSingleSearchPage(Page1);
    buildAutomatedSearchPage(Page2);

    buildRightColumn();

    connect(MainPage, &QTabWidget::currentChanged, this, &TMainForm::MainPageChange);
    MainPageChange();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMainForm::~TMainForm()
{
    // FormDestroy: the options are written once more as the window goes.
    if (created_)
        SaveMainOptions(settingsPath(), options());
}

// ---------------------------------------------------------------------------------
// Building the controls

void TMainForm::buildLeftColumn()
{
    LeftPanel = new SidePicture(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setGeometry(0, 0, kLeftWidth, kClientHeight);

    StatusLbl = new QLabel(QStringLiteral("Loading Dictionary"), LeftPanel);
    StatusLbl->setObjectName(QStringLiteral("StatusLbl"));
    QFont f = font();
    f.setPointSizeF(7);
    StatusLbl->setFont(f);
    StatusLbl->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    StatusLbl->setAlignment(Qt::AlignCenter);
    StatusLbl->setWordWrap(true);
    StatusLbl->setGeometry(2, kClientHeight - 32, kLeftWidth - 4, 28);
}

void TMainForm::buildRightColumn()
{
    const int x = kClientWidth - kRightWidth + 5;
    int y = 28;
    auto button = [&](QPushButton*& b, const char* name, const char* caption, const char* hint) {
        b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        if (hint)
            b->setToolTip(Hint(hint));
        b->setGeometry(x, y, 89, 27);
        y += 33;
    };
    button(StartBtn, "StartBtn", "Start", "Start Single Search");
    button(StopBtn, "StopBtn", "Stop", "Stop Automated Search");
    y += 12;
    button(HelpBtn, "HelpBtn", "Help", nullptr);
    button(Button1, "Button1", "Advanced", "Advanced Settings");
    y += 12;
    button(RegisterBtn, "RegisterBtn", "Register Domain", "Link to internet for \r\ndomain name registration");
    StopBtn->setEnabled(false);
    StartBtn->setDefault(true);
    // Escape presses Stop while a search runs.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (running_ && StopBtn->isEnabled())
            StopBtn->click();
    });

    connect(StartBtn, &QPushButton::clicked, this, &TMainForm::StartBtnClick);
    connect(StopBtn, &QPushButton::clicked, this, &TMainForm::StopBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TMainForm::HelpBtnClick);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(RegisterBtn, &QPushButton::clicked, this, &TMainForm::RegisterBtnClick);

    Label10 = new QLabel(QStringLiteral("Visit our web site for news and updates"), this);
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
    ShowLinkHighlighted();
    Label10->setGeometry(kClientWidth - kRightWidth + 2, kClientHeight - 72, kRightWidth - 6, 60);
    Label10->installEventFilter(this);
}

void TMainForm::buildSingleSearchPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(0);

    layout->addWidget(Band(QStringLiteral(" Address"), kInfoBand, page, QStringLiteral("AddressBand")));
    auto* addressRow = new QWidget(page);
    addressRow->setObjectName(QStringLiteral("AddressPanel"));
    SetLightBackground(addressRow, QColor(0xff, 0xff, 0xe1));
    auto* row = new QHBoxLayout(addressRow);
    row->setContentsMargins(8, 6, 8, 8);
    row->setSpacing(2);
    auto* prefix = Caption(QStringLiteral("AddressLbl"), QStringLiteral("http://www."), addressRow);
    QFont bold = font();
    bold.setBold(true);
    prefix->setFont(bold);
    SingleEdit = Edit(QStringLiteral("SingleEdit"), 50, addressRow);
    TLDCombo = new QComboBox(addressRow);
    TLDCombo->setObjectName(QStringLiteral("TLDCombo"));
    TLDCombo->setEditable(true);
    TLDCombo->setInsertPolicy(QComboBox::NoInsert);
    TLDCombo->addItems({QStringLiteral(".com"), QStringLiteral(".net"), QStringLiteral(".org"), QStringLiteral(".co.uk")});
    TLDCombo->setCurrentIndex(0);
    TLDCombo->setFixedWidth(92);
    TLDCombo->setMaxVisibleItems(20);
    row->addWidget(prefix);
    row->addWidget(SingleEdit, 1);
    row->addWidget(TLDCombo);
    layout->addWidget(addressRow);
    installKeyFilter(SingleEdit, false);
    // Enter in the name or the extension box starts the single search.
    const auto startFromEnter = [this] {
        if (MainPage->currentWidget() == Page1 && StartBtn->isEnabled())
            StartBtnClick();
    };
    connect(SingleEdit, &QLineEdit::returnPressed, this, startFromEnter);
    connect(TLDCombo->lineEdit(), &QLineEdit::returnPressed, this, startFromEnter);

    layout->addSpacing(8);
    layout->addWidget(Band(QStringLiteral("Results"), kBlackBand, page, QStringLiteral("SingleResultsBand")));
    SingleResults = new QPlainTextEdit(page);
    SingleResults->setObjectName(QStringLiteral("SingleResults"));
    SingleResults->setReadOnly(true);
    SingleResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SingleResults->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    layout->addWidget(SingleResults, 1);
}

void TMainForm::buildAutomatedSearchPage(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(3, 3, 3, 3);
    AutomatedPageControl = new QTabWidget(page);
    AutomatedPageControl->setObjectName(QStringLiteral("AutomatedPageControl"));
    OptionsPage = new QWidget;
    OptionsPage->setObjectName(QStringLiteral("OptionsPage"));
    ResultsPage = new QWidget;
    ResultsPage->setObjectName(QStringLiteral("ResultsPage"));
    AutomatedPageControl->addTab(OptionsPage, QStringLiteral("Search Options"));
    AutomatedPageControl->addTab(ResultsPage, QStringLiteral("Search Results"));
    layout->addWidget(AutomatedPageControl);
    buildOptionsTab(OptionsPage);
    buildResultsTab(ResultsPage);
}

void TMainForm::buildOptionsTab(QWidget* tab)
{
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    layout->addWidget(Band(QStringLiteral("Options"), kBlackBand, tab, QStringLiteral("OptionsBand")));

    OptPanel = new QWidget(tab);
    OptPanel->setObjectName(QStringLiteral("OptPanel"));
    auto* opt = new QVBoxLayout(OptPanel);
    opt->setContentsMargins(0, 0, 0, 4);
    opt->setSpacing(3);

    auto* domainsBand = new QWidget(OptPanel);
    domainsBand->setObjectName(QStringLiteral("DomainsBand"));
    SetLightBackground(domainsBand, QColor(0xff, 0xff, 0xe1));
    domainsBand->setFixedHeight(17);
    auto* bandRow = new QHBoxLayout(domainsBand);
    bandRow->setContentsMargins(0, 0, 4, 0);
    bandRow->setSpacing(4);
    DomainsLbl = Caption(QStringLiteral("DomainsLbl"), QStringLiteral("  Domains :"), domainsBand);
    DomainCountLbl = Caption(QStringLiteral("DomainCountLbl"), QStringLiteral("(0)"), domainsBand);
    QFont bold = font();
    bold.setBold(true);
    DomainCountLbl->setFont(bold);
    bandRow->addWidget(DomainsLbl);
    bandRow->addWidget(DomainCountLbl);
    bandRow->addStretch(1);
    opt->addWidget(domainsBand);

    auto* tldRow = new QHBoxLayout;
    tldRow->setContentsMargins(4, 0, 0, 0);
    DomainCheck = new QListWidget(OptPanel);
    DomainCheck->setObjectName(QStringLiteral("DomainCheck"));
    DomainCheck->setToolTip(QStringLiteral("Common domain extensions"));
    DomainCheck->setFlow(QListView::LeftToRight);
    DomainCheck->setWrapping(false);
    DomainCheck->setGridSize(QSize(66, 20));
    DomainCheck->setFrameShape(QFrame::NoFrame);
    DomainCheck->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DomainCheck->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DomainCheck->setSelectionMode(QAbstractItemView::NoSelection);
    DomainCheck->setFocusPolicy(Qt::StrongFocus);
    DomainCheck->setFixedHeight(22);
    QPalette listPalette = DomainCheck->palette();
    listPalette.setColor(QPalette::Base, listPalette.color(QPalette::Window));
    DomainCheck->setPalette(listPalette);
    for (const char* tld : {".com", ".net", ".org", ".edu"}) {
        auto* item = new QListWidgetItem(QString::fromLatin1(tld), DomainCheck);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    DomainBtn = new QPushButton(QStringLiteral("Select others..."), OptPanel);
    DomainBtn->setObjectName(QStringLiteral("DomainBtn"));
    DomainBtn->setToolTip(QStringLiteral("Browse"));
    DomainBtn->setFixedHeight(22);
    tldRow->addWidget(DomainCheck, 1);
    tldRow->addWidget(DomainBtn);
    opt->addLayout(tldRow);
    connect(DomainBtn, &QPushButton::clicked, this, &TMainForm::DomainBtnClick);

    auto* saveRow = new QHBoxLayout;
    saveRow->setContentsMargins(4, 0, 0, 0);
    saveRow->setSpacing(4);
    SaveCheck = new QCheckBox(QStringLiteral("Save Results in"), OptPanel);
    SaveCheck->setObjectName(QStringLiteral("SaveCheck"));
    SaveCheck->setChecked(true);
    AutoSaveEdit = Edit(QStringLiteral("AutoSaveEdit"), 0, OptPanel);
    AutoSaveEdit->setToolTip(QStringLiteral("Filename to store all results in"));
    AutoSaveEdit->setText(QStringLiteral("Tarnwick.txt"));
    Button4 = new QPushButton(QStringLiteral(".."), OptPanel);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setToolTip(QStringLiteral("Browse"));
    Button4->setFixedSize(24, 22);
    saveRow->addWidget(SaveCheck);
    saveRow->addWidget(AutoSaveEdit, 1);
    saveRow->addWidget(Button4);
    opt->addLayout(saveRow);
    connect(Button4, &QPushButton::clicked, this, &TMainForm::Button4Click);
    layout->addWidget(OptPanel);

    ScrollBox1 = new QScrollArea(tab);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* content = new QWidget(ScrollBox1);
    content->setObjectName(QStringLiteral("ScrollBox1Content"));
    auto* sections = new QVBoxLayout(content);
    sections->setContentsMargins(2, 2, 2, 2);
    sections->setSpacing(3);

    dict_ = makeSection(content, QStringLiteral("DictPanel"), QStringLiteral("DictCheck"), QStringLiteral("Dictionary"), 121);
    wordlist_ = makeSection(content, QStringLiteral("WordlistPanel"), QStringLiteral("WordlistCheck"), QStringLiteral("Word list builder"), 139);
    numbers_ = makeSection(content, QStringLiteral("NumbersPanel"), QStringLiteral("NumbersCheck"), QStringLiteral("Numbers"), 84);
    soundex_ = makeSection(content, QStringLiteral("SoundexPanel"), QStringLiteral("SoundexCheck"), QStringLiteral("Sounds like"), 70);
    custom_ = makeSection(content, QStringLiteral("CustomPanel"), QStringLiteral("CustomListCheck"), QStringLiteral("Import List"), 70);
    DictCheck = dict_.check;
    WordlistCheck = wordlist_.check;
    NumbersCheck = numbers_.check;
    SoundexCheck = soundex_.check;
    CustomListCheck = custom_.check;
    for (const Section* s : {&dict_, &wordlist_, &numbers_, &soundex_, &custom_})
        sections->addWidget(s->panel);
    sections->addStretch(1);

    buildDictSection(dict_.inner);
    buildWordlistSection(wordlist_.inner);
    buildNumbersSection(numbers_.inner);
    buildSoundexSection(soundex_.inner);
    buildCustomSection(custom_.inner);

    connect(DictCheck, &QCheckBox::toggled, this, &TMainForm::DictCheckClick);
    connect(WordlistCheck, &QCheckBox::toggled, this, &TMainForm::WordlistCheckClick);
    connect(NumbersCheck, &QCheckBox::toggled, this, &TMainForm::NumbersCheckClick);
    connect(SoundexCheck, &QCheckBox::toggled, this, &TMainForm::SoundexCheckClick);
    connect(CustomListCheck, &QCheckBox::toggled, this, &TMainForm::CustomListCheckClick);

    ScrollBox1->setWidget(content);
    layout->addWidget(ScrollBox1, 1);

    // The section headings were made before their fields: Tab goes through each
    // section's fields right after its heading.
    ChainTabOrder({Button4, DictCheck, DictRadio1, DictRadio2, DictFromEdit, DictToEdit, WordLengthCheck, WordLength1,
                   WordLength2, MinusCheck, WordlistCheck, Wordlist[0], Wordlist[1], Wordlist[2], Wordlist[3],
                   WordMinusCheck, NumbersCheck, NumberFrom, NumberTo, RangeCheck1, RangePre, RangeCheck2, RangeSuf,
                   SoundexCheck, SoundexEdit, CustomListCheck, UseList, Button5, SepCombo});

    // Design-time state: the dictionary source on, the others off, all folded to match.
    DictCheck->setChecked(true);
    for (const Section* s : {&dict_, &wordlist_, &numbers_, &soundex_, &custom_})
        fold(*s);
}

TMainForm::Section TMainForm::makeSection(QWidget* parent, const QString& panelName, const QString& checkName,
                                          const QString& caption, int fullHeight)
{
    Section s;
    s.fullHeight = fullHeight;
    s.panel = new QFrame(parent);
    s.panel->setObjectName(panelName);
    s.panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    s.panel->setLineWidth(1);
    QPalette framePalette = s.panel->palette();
    framePalette.setColor(QPalette::WindowText, QColor(64, 64, 64));
    s.panel->setPalette(framePalette);
    auto* layout = new QVBoxLayout(s.panel);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    // Palettes rather than style sheets: the style keeps drawing the tick box itself.
    auto* header = new QWidget(s.panel);
    header->setObjectName(panelName + QStringLiteral("Header"));
    QPalette headerPalette = header->palette();
    headerPalette.setColor(QPalette::Window, Qt::black);
    headerPalette.setColor(QPalette::WindowText, Qt::yellow);
    headerPalette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 64));
    // The tick box itself light with a dark tick, on the black bar whatever the desktop's palette.
    headerPalette.setColor(QPalette::Base, Qt::white);
    headerPalette.setColor(QPalette::Text, Qt::black);
    header->setPalette(headerPalette);
    header->setAutoFillBackground(true);
    header->setFixedHeight(kHeaderHeight);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(4, 0, 4, 0);
    s.check = new QCheckBox(caption, header);
    s.check->setObjectName(checkName);
    QFont bold = s.check->font();
    bold.setBold(true);
    s.check->setFont(bold);
    headerRow->addWidget(s.check);
    headerRow->addStretch(1);
    layout->addWidget(header);

    s.inner = new QWidget(s.panel);
    s.inner->setObjectName(panelName + QStringLiteral("Inner"));
    s.inner->setFixedHeight(fullHeight - kHeaderHeight - 2);
    // The grey is the frame line's only: the section's own texts keep the desktop's text
    // colours (a dark grey would vanish on a dark window).
    QPalette innerPalette = s.inner->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        innerPalette.setColor(group, QPalette::WindowText, QApplication::palette().color(group, QPalette::WindowText));
    s.inner->setPalette(innerPalette);
    layout->addWidget(s.inner);
    return s;
}

void TMainForm::buildDictSection(QWidget* inner)
{
    auto* grid = new QGridLayout(inner);
    grid->setContentsMargins(8, 3, 8, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);

    DictRadio1 = new QRadioButton(QStringLiteral("A&ll"), inner);
    DictRadio1->setObjectName(QStringLiteral("DictRadio1"));
    DictRadio1->setToolTip(QStringLiteral("Look up all words in the dictionary"));
    DictRadio1->setChecked(true);
    DictRadio2 = new QRadioButton(QStringLiteral("&Range"), inner);
    DictRadio2->setObjectName(QStringLiteral("DictRadio2"));
    DictRadio2->setToolTip(QStringLiteral("Only check words in the specified range"));
    Label4 = Caption(QStringLiteral("Label4"), QStringLiteral("&From"), inner);
    DictFromEdit = Edit(QStringLiteral("DictFromEdit"), 30, inner);
    DictFromEdit->setValidator(new UpperCaseValidator(DictFromEdit));
    DictFromEdit->setText(QStringLiteral("AA"));
    Label5 = Caption(QStringLiteral("Label5"), QStringLiteral("&to"), inner);
    DictToEdit = Edit(QStringLiteral("DictToEdit"), 30, inner);
    DictToEdit->setValidator(new UpperCaseValidator(DictToEdit));
    DictToEdit->setText(QStringLiteral("ZYMOTIC"));
    Label4->setBuddy(DictFromEdit);
    Label5->setBuddy(DictToEdit);
    installKeyFilter(DictFromEdit, true);
    installKeyFilter(DictToEdit, true);

    auto* rangeRow = new QHBoxLayout;
    rangeRow->setSpacing(4);
    rangeRow->addWidget(DictRadio2);
    rangeRow->addSpacing(6);
    rangeRow->addWidget(Label4);
    rangeRow->addWidget(DictFromEdit, 1);
    rangeRow->addWidget(Label5);
    rangeRow->addWidget(DictToEdit, 1);

    WordLengthCheck = new QCheckBox(QStringLiteral("&Word length"), inner);
    WordLengthCheck->setObjectName(QStringLiteral("WordLengthCheck"));
    WordLengthCheck->setToolTip(QStringLiteral("Limit the size of words to check for"));
    Label26 = Caption(QStringLiteral("Label26"), QStringLiteral("of between"), inner);
    WordLength1 = Spin(QStringLiteral("WordLength1"), 1, 22, 1, inner);
    WordLength1->setToolTip(QStringLiteral("Look for words at least this length"));
    Label27 = Caption(QStringLiteral("Label27"), QStringLiteral("and"), inner);
    WordLength2 = Spin(QStringLiteral("WordLength2"), 1, 50, 50, inner);
    WordLength2->setToolTip(QStringLiteral("Consider words no longer than this"));
    Label28 = Caption(QStringLiteral("Label28"), QStringLiteral("letters"), inner);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->setSpacing(4);
    lengthRow->addWidget(WordLengthCheck);
    lengthRow->addSpacing(4);
    lengthRow->addWidget(Label26);
    lengthRow->addWidget(WordLength1);
    lengthRow->addWidget(Label27);
    lengthRow->addWidget(WordLength2);
    lengthRow->addWidget(Label28);
    lengthRow->addStretch(1);

    MinusCheck = new QCheckBox(QStringLiteral("Use minus (-) instead of space"), inner);
    MinusCheck->setObjectName(QStringLiteral("MinusCheck"));
    MinusCheck->setToolTip(QStringLiteral("Where a space is used in the dictionary, replace with '-'"));

    grid->addWidget(DictRadio1, 0, 0);
    grid->addLayout(rangeRow, 1, 0);
    grid->addLayout(lengthRow, 2, 0);
    grid->addWidget(MinusCheck, 3, 0);

    connect(DictRadio1, &QRadioButton::toggled, this, &TMainForm::DictRadio2Click);
    connect(DictRadio2, &QRadioButton::toggled, this, &TMainForm::DictRadio2Click);
    connect(WordLengthCheck, &QCheckBox::toggled, this, &TMainForm::WordLengthCheckClick);
    connect(WordLength1, &QSpinBox::editingFinished, this, &TMainForm::WordLength1Change);
    connect(WordLength2, &QSpinBox::editingFinished, this, &TMainForm::WordLength2Change);
    DictRadio2Click();
    UpdateWordCheck();
}

void TMainForm::buildWordlistSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(3);
    auto* text = Caption(QStringLiteral("WordlistLbl"),
                         QStringLiteral("Enter up to four different words and Tarnwick will make a list containing all possible combinations"),
                         inner);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < 4; ++i) {
        Wordlist[i] = Edit(QStringLiteral("Wordlist%1").arg(i + 1), 0, inner);
        auto* number = Caption(QStringLiteral("WordlistLbl%1").arg(i + 1), QString::number(i + 1), inner);
        number->setBuddy(Wordlist[i]);
        grid->addWidget(number, i / 2, (i % 2) * 2);
        grid->addWidget(Wordlist[i], i / 2, (i % 2) * 2 + 1);
        installKeyFilter(Wordlist[i], false);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 14);
    layout->addLayout(grid);

    WordMinusCheck = new QCheckBox(QStringLiteral("Try also using minus (-) between words"), inner);
    WordMinusCheck->setObjectName(QStringLiteral("WordMinusCheck"));
    WordMinusCheck->setToolTip(QStringLiteral("Where a space is used in the dictionary, replace with '-'"));
    layout->addWidget(WordMinusCheck);
    layout->addStretch(1);
}

void TMainForm::buildNumbersSection(QWidget* inner)
{
    auto* grid = new QGridLayout(inner);
    grid->setContentsMargins(8, 3, 8, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    Label6 = Caption(QStringLiteral("Label6"), QStringLiteral("&From"), inner);
    NumberFrom = Spin(QStringLiteral("NumberFrom"), 0, 9999999, 0, inner);
    Label7 = Caption(QStringLiteral("Label7"), QStringLiteral("&to"), inner);
    NumberTo = Spin(QStringLiteral("NumberTo"), 0, 9999999, 9, inner);
    Label6->setBuddy(NumberFrom);
    Label7->setBuddy(NumberTo);

    RangeCheck1 = new QCheckBox(QStringLiteral("&Prefix"), inner);
    RangeCheck1->setObjectName(QStringLiteral("RangeCheck1"));
    RangePre = Edit(QStringLiteral("RangePre"), 30, inner);
    RangePre->setToolTip(QStringLiteral("Text to be added before the generated number"));
    RangePre->setValidator(new UpperCaseValidator(RangePre));
    RangeCheck2 = new QCheckBox(QStringLiteral("S&uffix"), inner);
    RangeCheck2->setObjectName(QStringLiteral("RangeCheck2"));
    RangeSuf = Edit(QStringLiteral("RangeSuf"), 30, inner);
    RangeSuf->setToolTip(QStringLiteral("Text to be added after the generated number"));
    RangeSuf->setValidator(new UpperCaseValidator(RangeSuf));
    installKeyFilter(RangePre, false);
    installKeyFilter(RangeSuf, false);
    RangeCheck1->installEventFilter(this);

    grid->addWidget(Label6, 0, 0);
    grid->addWidget(NumberFrom, 0, 1);
    grid->addWidget(Label7, 0, 2, Qt::AlignRight);
    grid->addWidget(NumberTo, 0, 3);
    grid->addWidget(RangeCheck1, 1, 0);
    grid->addWidget(RangePre, 1, 1);
    grid->addWidget(RangeCheck2, 1, 2);
    grid->addWidget(RangeSuf, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(2, 50);
    grid->setRowStretch(2, 1);

    connect(RangePre, &QLineEdit::textChanged, this, &TMainForm::RangePreChange);
    connect(RangeSuf, &QLineEdit::textChanged, this, &TMainForm::RangeSufChange);
}

void TMainForm::buildSoundexSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(3);
    layout->addWidget(Caption(QStringLiteral("SoundexLbl"),
                              QStringLiteral("Using various methods, look for words in the dictionary that sound like :"), inner));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    SoundexEdit = Edit(QStringLiteral("SoundexEdit"), 0, inner);
    installKeyFilter(SoundexEdit, false);
    row->addWidget(SoundexEdit, 1);
    row->addWidget(Caption(QStringLiteral("SoundexHintLbl"), QStringLiteral("(word should be at least 3 characters)"), inner));
    layout->addLayout(row);
    layout->addStretch(1);
}

void TMainForm::buildCustomSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(2);
    auto* fileRow = new QHBoxLayout;
    fileRow->setSpacing(4);
    fileRow->addWidget(Caption(QStringLiteral("UseListLbl"), QStringLiteral("Use list :"), inner));
    UseList = Edit(QStringLiteral("UseList"), 0, inner);
    UseList->setReadOnly(true);
    UseList->setToolTip(QStringLiteral("Filename where your custom text file of names is stored"));
    Button5 = new QPushButton(QStringLiteral(".."), inner);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setToolTip(QStringLiteral("Browse"));
    Button5->setFixedSize(24, 21);
    fileRow->addWidget(UseList, 1);
    fileRow->addWidget(Button5);
    layout->addLayout(fileRow);
    connect(Button5, &QPushButton::clicked, this, &TMainForm::Button5Click);

    auto* sepRow = new QHBoxLayout;
    sepRow->setSpacing(4);
    sepRow->addWidget(Caption(QStringLiteral("SepLbl"), QStringLiteral("The words in this list are seperated by a "), inner));
    SepCombo = new QComboBox(inner);
    SepCombo->setObjectName(QStringLiteral("SepCombo"));
    SepCombo->addItems({QStringLiteral("New Line"), QStringLiteral(", (Comma)"), QStringLiteral("; (Semi-colon)")});
    sepRow->addWidget(SepCombo);
    sepRow->addStretch(1);
    layout->addLayout(sepRow);
    layout->addStretch(1);
}

void TMainForm::buildResultsTab(QWidget* tab)
{
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 6, 4, 4);
    layout->setSpacing(4);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(Caption(QStringLiteral("ProgressLbl"), QStringLiteral("Progress :"), tab));
    ProgressBar1 = new QProgressBar(tab);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(14);
    ProgressBar1->setStyleSheet(QStringLiteral("QProgressBar { border: none; background-color: #e4e4e4; }"
                                               "QProgressBar::chunk { background-color: #a6caf0; }"));
    progressRow->addWidget(ProgressBar1, 1);
    layout->addLayout(progressRow);

    auto* showRow = new QHBoxLayout;
    showRow->addWidget(Caption(QStringLiteral("ShowResultsLbl"), QStringLiteral("Show the following Results :"), tab));
    ShowResultsCombo = new QComboBox(tab);
    ShowResultsCombo->setObjectName(QStringLiteral("ShowResultsCombo"));
    ShowResultsCombo->addItems({QStringLiteral("All Results"), QStringLiteral("Domains Free"),
                                QStringLiteral("Domains Taken"), QStringLiteral("Errors")});
    ShowResultsCombo->setCurrentIndex(0);
    showRow->addWidget(ShowResultsCombo, 1);
    layout->addLayout(showRow);

    auto* listArea = new QVBoxLayout;
    listArea->setSpacing(0);
    Panel6 = Band(QStringLiteral("Results"), kBlackBand, tab, QStringLiteral("Panel6"));
    listArea->addWidget(Panel6);
    auto* stackHolder = new QWidget(tab);
    stackHolder->setObjectName(QStringLiteral("ResultListsHolder"));
    resultStack_ = new QStackedLayout(stackHolder);
    const char* names[4] = {"AutoResults", "DomainsFreeList", "DomainsTakenList", "DomainErrorsList"};
    QListView** views[4] = {&AutoResults, &DomainsFreeList, &DomainsTakenList, &DomainErrorsList};
    for (int i = 0; i < 4; ++i) {
        resultModels_[i] = new ResultListModel(this);
        auto* view = new QListView(stackHolder);
        view->setObjectName(QString::fromLatin1(names[i]));
        view->setModel(resultModels_[i]);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        *views[i] = view;
        resultStack_->addWidget(view);
    }
    listArea->addWidget(stackHolder, 1);
    layout->addLayout(listArea, 1);

    MultiplecountLbl = Caption(QStringLiteral("MultiplecountLbl"), QStringLiteral("0 checked, 0 taken, 0 free"), tab);
    layout->addWidget(MultiplecountLbl);
    RunNoticeLbl = Caption(QStringLiteral("RunNoticeLbl"), QString(), tab);
    RunNoticeLbl->setWordWrap(true);
    RunNoticeLbl->hide();
    layout->addWidget(RunNoticeLbl);

    connect(ShowResultsCombo, &QComboBox::currentIndexChanged, this, &TMainForm::ShowResultsComboChange);
    ShowResultsComboChange();
}

void TMainForm::installKeyFilter(QLineEdit* edit, bool allowSpace)
{
    edit->installEventFilter(this);
    keyFiltered_.append(edit);
    if (allowSpace)
        spaceAllowed_.append(edit);
}

QString TMainForm::settingsPath() const
{
    return engine_.settingsFile(QString::fromLatin1(SettingsFileName()));
}

// ---------------------------------------------------------------------------------
// Start-up and shutdown

void TMainForm::SetDefaults()
{
    MainPage->setCurrentWidget(Page1);
    AutomatedPageControl->setCurrentWidget(OptionsPage);
    SetTicked(DictCheck, true);
    SetTicked(SaveCheck, true);
    SetTicked(NumbersCheck, false);
    SetTicked(CustomListCheck, false);
    SetTicked(WordlistCheck, false);
    SetTicked(SoundexCheck, false);
    AutoSaveEdit->setText(engine_.defaultResultsFile());
    if (help_)
        help_->setHelpFile(engine_.shippedDataFile(QStringLiteral("Tarnwick.hlp")));
}

void TMainForm::FormCreate()
{
    // The random numbers of the HTTP lookups come from a generator seeded by the
    // system, and the engine owns FailedServers and SearchList: nothing to make here.
    SetDefaults();
    MainPage->setCurrentIndex(0);
    AutomatedPageControl->setCurrentIndex(0);
    SepCombo->setCurrentIndex(0);

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
    DictCheckClick();
    NumbersCheckClick();
    CustomListCheckClick();
    WordlistCheckClick();
    SoundexCheckClick();
    created_ = true;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (running_) {
        // A search is on the stack below us: ask it to stop and close once it has
        // returned to the Start handler.
        closeAfterSearch_ = true;
        engine_.RequestStop();
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit closed();
}

void TMainForm::FormClose()
{
    if (dictionaryPresent_ && releaseDictionary_)
        releaseDictionary_();
    engine_.TLDInfoList.Clear();
    if (help_)
        help_->Quit();
}

// ---------------------------------------------------------------------------------
// Pieces the server-tree code calls at start-up

void TMainForm::clearTLDCombo()
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->clear();
}

void TMainForm::setTLDComboItems(const QStringList& tlds)
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->clear();
    TLDCombo->addItems(tlds);
}

void TMainForm::addTLDComboItem(const QString& tld)
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->addItem(tld);
}

void TMainForm::selectSavedTLD()
{
    if (TLDCombo->count() == 0)
        return;
    TLDCombo->setCurrentIndex(0);
    // A saved position beyond the end of the list leaves the first entry shown.
    if (savedTLDSingle_ > 0 && savedTLDSingle_ < TLDCombo->count())
        TLDCombo->setCurrentIndex(savedTLDSingle_);
}

void TMainForm::setQuickTicksFromTLDInfoList()
{
    detachDomainCheckHandler();
    const int n = qMin(DomainCheck->count(), engine_.TLDInfoList.Count());
    for (int i = 0; i < n; ++i) {
        // Each box names the entry it ticks, should a TLD ahead of it have left the list.
        DomainCheck->item(i)->setText(engine_.TLDInfoList.At(i).TLD);
        setQuickTick(i, engine_.TLDInfoList.At(i).Checked);
    }
    attachDomainCheckHandler();
}

void TMainForm::attachDomainCheckHandler()
{
    if (!domainCheckConnection_)
        domainCheckConnection_ = connect(DomainCheck, &QListWidget::itemChanged, this, &TMainForm::DomainCheckClickCheck);
}

void TMainForm::detachDomainCheckHandler()
{
    if (domainCheckConnection_)
        disconnect(domainCheckConnection_);
    domainCheckConnection_ = {};
}

bool TMainForm::quickTick(int position) const
{
    const QListWidgetItem* item = DomainCheck->item(position);
    return item && item->checkState() == Qt::Checked;
}

void TMainForm::setQuickTick(int position, bool ticked)
{
    if (QListWidgetItem* item = DomainCheck->item(position))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TMainForm::setDictionaryPresent(bool present)
{
    dictionaryPresent_ = present;
    if (!present) {
        SetTicked(DictCheck, false);
        SetTicked(SoundexCheck, false);
    }
    dict_.panel->setEnabled(present);
    DictCheck->setEnabled(present);
    soundex_.panel->setEnabled(present);
    SoundexCheck->setEnabled(present);
}

void TMainForm::setStatus(const QString& text)
{
    StatusLbl->setText(text);
}

void TMainForm::restoreMainDefaults()
{
    const MainOptions reset = RestoreMainDefaults(options(), engine_.fileLocations().resultsFolder);
    ShowResultsCombo->setCurrentIndex(0);
    ShowResultsComboChange();
    applyOptions(reset);
}

// ---------------------------------------------------------------------------------
// Options in and out

MainOptions TMainForm::options() const
{
    MainOptions o;
    o.SingleEdit = SingleEdit->text();
    o.TLDComboText = TLDCombo->currentText();
    // A typed extension selects the entry it equals; any other text selects none.
    int index = TLDCombo->currentIndex();
    if (index < 0 || TLDCombo->itemText(index) != o.TLDComboText)
        index = TLDCombo->findText(o.TLDComboText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    o.TLDComboIndex = index;
    o.DictCheck = DictCheck->isChecked();
    o.NumbersCheck = NumbersCheck->isChecked();
    o.CustomListCheck = CustomListCheck->isChecked();
    o.WordlistCheck = WordlistCheck->isChecked();
    o.SoundexCheck = SoundexCheck->isChecked();
    o.SaveCheck = SaveCheck->isChecked();
    o.AutoSaveEdit = AutoSaveEdit->text();
    for (int i = 0; i < 4; ++i)
        o.Wordlist[i] = Wordlist[i]->text();
    o.WordMinusCheck = WordMinusCheck->isChecked();
    o.DictRadio1 = DictRadio1->isChecked();
    o.DictFromEdit = DictFromEdit->text();
    o.DictToEdit = DictToEdit->text();
    o.MinusCheck = MinusCheck->isChecked();
    o.WordLengthCheck = WordLengthCheck->isChecked();
    o.WordLength1 = WordLength1->value();
    o.WordLength2 = WordLength2->value();
    o.NumberFrom = NumberFrom->value();
    o.NumberTo = NumberTo->value();
    o.RangeCheck1 = RangeCheck1->isChecked();
    o.RangeCheck2 = RangeCheck2->isChecked();
    o.RangePre = RangePre->text();
    o.RangeSuf = RangeSuf->text();
    o.SoundexEdit = SoundexEdit->text();
    o.UseList = UseList->text();
    o.SepCombo = SepCombo->currentIndex();
    return o;
}

void TMainForm::applyOptions(const MainOptions& o)
{
    // The order in which the options file is read; each change runs the control's
    // handler as a user's change would.
    SingleEdit->setText(o.SingleEdit);
    savedTLDSingle_ = o.TLDComboIndex;
    if (o.TLDComboIndex >= 0 && o.TLDComboIndex < TLDCombo->count())
        TLDCombo->setCurrentIndex(o.TLDComboIndex);
    else if (o.TLDComboIndex < 0 && !o.TLDComboText.isEmpty())
        TLDCombo->setEditText(o.TLDComboText);
    // Without the dictionary its two sources stay off whatever the options say.
    SetTicked(DictCheck, o.DictCheck && dictionaryPresent_);
    SetTicked(NumbersCheck, o.NumbersCheck);
    SetTicked(CustomListCheck, o.CustomListCheck);
    SetTicked(WordlistCheck, o.WordlistCheck);
    SetTicked(SoundexCheck, o.SoundexCheck && dictionaryPresent_);
    for (int i = 0; i < 4; ++i)
        Wordlist[i]->setText(o.Wordlist[i]);
    SetTicked(WordMinusCheck, o.WordMinusCheck);
    SoundexEdit->setText(o.SoundexEdit);
    SetTicked(SaveCheck, o.SaveCheck);
    AutoSaveEdit->setText(o.AutoSaveEdit);
    DictRadio1->setChecked(o.DictRadio1);
    DictRadio2->setChecked(!o.DictRadio1);
    DictRadio2Click();
    DictFromEdit->setText(o.DictFromEdit);
    DictToEdit->setText(o.DictToEdit);
    SetTicked(MinusCheck, o.MinusCheck);
    SetTicked(WordLengthCheck, o.WordLengthCheck);
    WordLength1->setValue(o.WordLength1);
    WordLength2->setValue(o.WordLength2);
    NumberFrom->setValue(o.NumberFrom);
    NumberTo->setValue(o.NumberTo);
    SetTicked(RangeCheck1, o.RangeCheck1);
    SetTicked(RangeCheck2, o.RangeCheck2);
    RangePre->setText(o.RangePre);
    RangeSuf->setText(o.RangeSuf);
    UseList->setText(o.UseList);
    SepCombo->setCurrentIndex(o.SepCombo >= 0 && o.SepCombo < SepCombo->count() ? o.SepCombo : 0);
    UpdateWordCheck();
}

// ---------------------------------------------------------------------------------
// Results out

ResultListModel& TMainForm::resultModel(ResultList list) const
{
    return *resultModels_[static_cast<int>(list)];
}

void TMainForm::clearSingleResults()
{
    SingleResults->clear();
}

void TMainForm::addSingleResult(const QString& line)
{
    QString shown = line;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    SingleResults->appendPlainText(shown);
}

void TMainForm::focusSingleEdit()
{
    SingleEdit->setFocus();
}

void TMainForm::clearResults(ResultList list)
{
    resultModel(list).clear();
}

void TMainForm::insertResultAtTop(ResultList list, const QString& entry)
{
    resultModel(list).insertAtTop(entry);
}

void TMainForm::setCounterText(const QString& text)
{
    MultiplecountLbl->setText(text);
}

void TMainForm::setProgressMaximum(qint64 maximum)
{
    constexpr qint64 limit = std::numeric_limits<int>::max();
    // A maximum of 0 would turn the bar into a busy indicator.
    maximum = qMax<qint64>(1, maximum);
    progressScale_ = maximum > limit ? maximum / limit + 1 : 1;
    ProgressBar1->setMaximum(static_cast<int>(maximum / progressScale_));
}

void TMainForm::setProgressPosition(qint64 position)
{
    const qint64 scaled = qBound<qint64>(0, position / progressScale_, qint64(ProgressBar1->maximum()));
    ProgressBar1->setValue(static_cast<int>(scaled));
}

void TMainForm::showSearchResultsTab()
{
    AutomatedPageControl->setCurrentWidget(ResultsPage);
}

// Notices of one run are shown together; the next run starts without them.
void TMainForm::showRunNotice(const QString& text)
{
    const QString shown = RunNoticeLbl->text();
    RunNoticeLbl->setText(shown.isEmpty() ? text : shown + QLatin1Char('\n') + text);
    RunNoticeLbl->show();
}

void TMainForm::UpdateDisplayforStart(bool running)
{
    try {
        StartBtn->setEnabled(!running);
        StopBtn->setEnabled(running);
        QCoreApplication::processEvents();
        OptPanel->setEnabled(!running);
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
    const bool single = MainPage->currentWidget() == Page1;

    engine_.ResetCounters();
    setProgressPosition(0);
    for (ResultList list : {ResultList::All, ResultList::Errors, ResultList::Taken, ResultList::Free})
        clearResults(list);
    engine_.ForgetFailures();
    RunNoticeLbl->clear();
    RunNoticeLbl->hide();
    setCounterText(QStringLiteral("0 checked, 0 taken, 0 free, 0 errors"));
    engine_.StopRequest = 0;
    StopBtn->setEnabled(true);
    SaveMainOptions(settingsPath(), options());

    running_ = true;
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
    UpdateDisplayforStart(false);
    MainPageChange();

    if (closeAfterSearch_) {
        closeAfterSearch_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TMainForm::StopBtnClick()
{
    engine_.RequestStop();
}

void TMainForm::MainPageChange()
{
    const bool single = MainPage->currentWidget() == Page1;
    const bool automated = MainPage->currentWidget() == Page2;
    StartBtn->setToolTip(single ? QStringLiteral("Start Single Search") : QStringLiteral("Start Automated Search"));
    StartBtn->setEnabled((single || automated) && !running_);
}

void TMainForm::ShowResultsComboChange()
{
    static const char* const bands[4] = {"All Results", "Free Domains", "Domain Names Taken", "Errors"};
    const int index = qBound(0, ShowResultsCombo->currentIndex(), 3);
    resultStack_->setCurrentIndex(index);
    Panel6->setText(QString::fromLatin1(bands[index]));
}

void TMainForm::DomainCheckClickCheck()
{
    TTLDInfoList& list = engine_.TLDInfoList;
    int count = 0;
    const int quick = qMin(DomainCheck->count(), list.Count());
    for (int i = 0; i < quick; ++i) {
        list.At(i).Checked = quickTick(i);
        if (list.At(i).Checked)
            ++count;
    }
    for (int i = DomainCheck->count(); i < list.Count(); ++i)
        if (list.At(i).Checked)
            ++count;
    DomainCountLbl->setText(QStringLiteral("(") + QString::number(count) + QStringLiteral(")"));
    SaveCheckStates(settingsPath(), list);
}

void TMainForm::DomainBtnClick()
{
    try {
        TTLDForm form(engine_, *this, this);
        form.exec();
    } catch (...) {
    }
}

void TMainForm::Button1Click()
{
    if (showAdvancedDialog_)
        showAdvancedDialog_();
}

void TMainForm::Button4Click()
{
    QFileDialog dialog(this, QStringLiteral("Save Domain Name Results"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The run asks about an existing file (overwrite, append or cancel): asking here too
    // would ask twice, and "replace" is not even what the run may do.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All files (*)")});
    const QFileInfo current(AutoSaveEdit->text());
    if (!AutoSaveEdit->text().isEmpty()) {
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        AutoSaveEdit->setText(dialog.selectedFiles().constFirst());
}

void TMainForm::Button5Click()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Text Files (*.txt)"));
    if (!UseList->text().isEmpty())
        dialog.selectFile(QFileInfo(UseList->text()).fileName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        UseList->setText(dialog.selectedFiles().constFirst());
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

void TMainForm::fold(const Section& section)
{
    const bool open = section.check->isChecked();
    section.panel->setFixedHeight(open ? section.fullHeight : kHeaderHeight + 2);
    section.inner->setEnabled(open);
    section.inner->setVisible(open);   // folded away, its controls take no room and no focus
}

void TMainForm::DictCheckClick() { fold(dict_); }
void TMainForm::WordlistCheckClick() { fold(wordlist_); }
void TMainForm::NumbersCheckClick() { fold(numbers_); }
void TMainForm::SoundexCheckClick() { fold(soundex_); }
void TMainForm::CustomListCheckClick() { fold(custom_); }

void TMainForm::DictRadio2Click()
{
    const bool range = DictRadio2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, DictFromEdit, Label5, DictToEdit})
        w->setEnabled(range);
}

void TMainForm::WordLengthCheckClick()
{
    UpdateWordCheck();
}

void TMainForm::UpdateWordCheck()
{
    const bool on = WordLengthCheck->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label26, Label27, Label28, WordLength1, WordLength2})
        w->setEnabled(on);
}

void TMainForm::WordLength1Change()
{
    if (WordLength1->value() > WordLength2->value())
        WordLength1->setValue(WordLength2->value());
}

void TMainForm::WordLength2Change()
{
    if (WordLength2->value() < WordLength1->value())
        WordLength2->setValue(WordLength1->value());
}

void TMainForm::RangePreChange()
{
    SetTicked(RangeCheck1, !RangePre->text().isEmpty());
}

void TMainForm::RangeSufChange()
{
    SetTicked(RangeCheck2, !RangeSuf->text().isEmpty());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();

    // SingleEditKeyPress, Wordlist1KeyPress, RangePreKeyPress, SoundexEditKeyPress and
    // DictFromEditKeyPress: a filtered character never reaches the entry. Keys that
    // type nothing (arrows, Delete) and pasting pass; pasted text is not filtered.
    if (type == QEvent::KeyPress && keyFiltered_.contains(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || key->matches(QKeySequence::Paste) || text.at(0).unicode() == 127)
            return false;
        const bool allowSpace = spaceAllowed_.contains(watched);
        for (QChar c : text)
            if (!NameKeyAllowed(c, allowSpace))
                return true;
        return false;
    }

    // RangeCheck1KeyPress: the space bar does not toggle "Prefix".
    if (watched == RangeCheck1 && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
            return true;
        return false;
    }

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
