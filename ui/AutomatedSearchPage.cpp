#include "ui/AutomatedSearchPage.h"
#include "engine/Misc1.h"
#include "settings/CheckStates.h"
#include "settings/SettingsFile.h"
#include "ui/ResultLists.h"
#include "ui/TLDForm.h"
#include "ui/UpperCaseValidator.h"
#include "ui/WindowLook.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// How many ticked TLDs the tool tip of the count names before it says how many more.
constexpr int kTickedTLDsNamed = 40;
constexpr int kTickedTLDsALine = 10;

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

AutomatedSearchPage::AutomatedSearchPage(TMisc1& engine, QWidget* parent)
    : QWidget(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("Page2"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    AutomatedPageControl = new QTabWidget(this);
    AutomatedPageControl->setObjectName(QStringLiteral("AutomatedPageControl"));
    OptionsPage = new QWidget;
    OptionsPage->setObjectName(QStringLiteral("OptionsPage"));
    results_ = new ResultLists;
    AutomatedPageControl->addTab(OptionsPage, QStringLiteral("Search Options"));
    AutomatedPageControl->addTab(results_, QStringLiteral("Search Results"));
    layout->addWidget(AutomatedPageControl);
    buildOptionsTab(OptionsPage);
}

void AutomatedSearchPage::showResultsTab()
{
    AutomatedPageControl->setCurrentWidget(results_);
}

bool AutomatedSearchPage::resultsTabShown() const
{
    return AutomatedPageControl->currentWidget() == results_;
}

QString AutomatedSearchPage::settingsPath() const
{
    return engine_.settingsFile(QString::fromLatin1(SettingsFileName()));
}

void AutomatedSearchPage::setDefaults(const QString& resultsFile)
{
    AutomatedPageControl->setCurrentWidget(OptionsPage);
    SetTicked(DictCheck, true);
    SetTicked(SaveCheck, true);
    SetTicked(NumbersCheck, false);
    SetTicked(CustomListCheck, false);
    SetTicked(WordlistCheck, false);
    SetTicked(SoundexCheck, false);
    AutoSaveEdit->setText(resultsFile);
    SepCombo->setCurrentIndex(0);
}

void AutomatedSearchPage::setRunning(bool running)
{
    OptPanel->setEnabled(!running);
}

void AutomatedSearchPage::foldAll()
{
    for (const Section* s : {&dict_, &numbers_, &custom_, &wordlist_, &soundex_})
        fold(*s);
}

void AutomatedSearchPage::fillOptions(MainOptions& o) const
{
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
}

void AutomatedSearchPage::applyOptions(const MainOptions& o)
{
    // The order in which the options file is read; each change runs the control's
    // handler as a user's change would. Without the dictionary its two sources stay off
    // whatever the options say.
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

void AutomatedSearchPage::showTickedTLDs(int count)
{
    QStringList named;
    const TTLDInfoList& list = engine_.TLDInfoList;
    for (int i = 0; i < list.Count() && named.size() < kTickedTLDsNamed; ++i)
        if (list.At(i).Checked)
            named.append(list.At(i).TLD);
    // Ten a line: a tool tip of plain text is never wrapped, and forty in one line pass
    // the width of a screen.
    QStringList lines;
    for (qsizetype i = 0; i < named.size(); i += kTickedTLDsALine)
        lines.append(named.mid(i, kTickedTLDsALine).join(QStringLiteral(", ")));
    QString tip = count == 0 ? QStringLiteral("No TLD is ticked") : QStringLiteral("Ticked: ") + lines.join(QStringLiteral(",\n"));
    if (count > named.size())
        tip += QStringLiteral(" and %1 more").arg(count - named.size());
    DomainCountLbl->setToolTip(tip);
}

bool AutomatedSearchPage::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();

    // Wordlist1KeyPress, RangePreKeyPress, SoundexEditKeyPress and DictFromEditKeyPress:
    // a filtered character never reaches the entry. Keys that type nothing (arrows,
    // Delete) and pasting pass; pasted text is not filtered.
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
    if (watched == RangeCheck1 && (type == QEvent::KeyPress || type == QEvent::KeyRelease))
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    return QWidget::eventFilter(watched, event);
}

void AutomatedSearchPage::buildOptionsTab(QWidget* tab)
{
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    layout->addWidget(MakeBand(QStringLiteral("Options"), BandLook::Black, tab, QStringLiteral("OptionsBand")));

    OptPanel = new QWidget(tab);
    OptPanel->setObjectName(QStringLiteral("OptPanel"));
    auto* opt = new QVBoxLayout(OptPanel);
    opt->setContentsMargins(0, 0, 0, 4);
    opt->setSpacing(3);

    auto* domainsBand = new QWidget(OptPanel);
    domainsBand->setObjectName(QStringLiteral("DomainsBand"));
    SetInfoBackground(domainsBand);
    auto* bandRow = new QHBoxLayout(domainsBand);
    bandRow->setContentsMargins(0, 0, 4, 0);
    bandRow->setSpacing(4);
    DomainsLbl = MakeCaption(QStringLiteral("DomainsLbl"), QStringLiteral("  Domains :"), domainsBand);
    DomainCountLbl = MakeCaption(QStringLiteral("DomainCountLbl"), QStringLiteral("(0)"), domainsBand);
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
    // Four columns as wide as a TLD of six letters with its tick box, at the font in use.
    const int indicator = DomainCheck->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    const QSize cell(DomainCheck->fontMetrics().horizontalAdvance(QStringLiteral(".co.uk")) + indicator + 16,
                     qMax(DomainCheck->fontMetrics().height(), indicator) + 6);
    DomainCheck->setGridSize(cell);
    DomainCheck->setFixedHeight(cell.height() + 2);
    DomainCheck->setMinimumWidth(4 * cell.width());
    DomainCheck->setFrameShape(QFrame::NoFrame);
    DomainCheck->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DomainCheck->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DomainCheck->setSelectionMode(QAbstractItemView::NoSelection);
    DomainCheck->setFocusPolicy(Qt::StrongFocus);
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
    tldRow->addWidget(DomainCheck, 1);
    tldRow->addWidget(DomainBtn);
    opt->addLayout(tldRow);
    connect(DomainBtn, &QPushButton::clicked, this, &AutomatedSearchPage::DomainBtnClick);

    auto* saveRow = new QHBoxLayout;
    saveRow->setContentsMargins(4, 0, 0, 0);
    saveRow->setSpacing(4);
    SaveCheck = new QCheckBox(QStringLiteral("Save Results in"), OptPanel);
    SaveCheck->setObjectName(QStringLiteral("SaveCheck"));
    SaveCheck->setChecked(true);
    AutoSaveEdit = MakeEdit(QStringLiteral("AutoSaveEdit"), 0, OptPanel);
    AutoSaveEdit->setToolTip(QStringLiteral("Filename to store all results in"));
    AutoSaveEdit->setText(QStringLiteral("Tarnwick.txt"));
    Button4 = new QPushButton(QStringLiteral(".."), OptPanel);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setToolTip(QStringLiteral("Browse"));
    Button4->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    saveRow->addWidget(SaveCheck);
    saveRow->addWidget(AutoSaveEdit, 1);
    saveRow->addWidget(Button4);
    opt->addLayout(saveRow);
    connect(Button4, &QPushButton::clicked, this, &AutomatedSearchPage::Button4Click);
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

    dict_ = makeSection(content, QStringLiteral("DictPanel"), QStringLiteral("DictCheck"), QStringLiteral("Dictionary"));
    wordlist_ = makeSection(content, QStringLiteral("WordlistPanel"), QStringLiteral("WordlistCheck"), QStringLiteral("Word list builder"));
    numbers_ = makeSection(content, QStringLiteral("NumbersPanel"), QStringLiteral("NumbersCheck"), QStringLiteral("Numbers"));
    soundex_ = makeSection(content, QStringLiteral("SoundexPanel"), QStringLiteral("SoundexCheck"), QStringLiteral("Sounds like"));
    custom_ = makeSection(content, QStringLiteral("CustomPanel"), QStringLiteral("CustomListCheck"), QStringLiteral("Import List"));
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

    // DictCheckClick, WordlistCheckClick, NumbersCheckClick, SoundexCheckClick, CustomListCheckClick.
    for (const Section* s : {&dict_, &wordlist_, &numbers_, &soundex_, &custom_})
        connect(s->check, &QCheckBox::toggled, this, [this, s] { fold(*s); });

    ScrollBox1->setWidget(content);
    layout->addWidget(ScrollBox1, 1);
    // The box never scrolls sideways: as wide as the widest section open, at the font in use.
    int widest = 0;
    for (const Section* s : {&dict_, &wordlist_, &numbers_, &soundex_, &custom_})
        widest = qMax(widest, qMax(s->inner->minimumSizeHint().width(), s->panel->minimumSizeHint().width()) + 2);
    ScrollBox1->setMinimumWidth(widest + sections->contentsMargins().left() + sections->contentsMargins().right()
                                + ScrollBox1->verticalScrollBar()->sizeHint().width() + 2 * ScrollBox1->frameWidth());

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

AutomatedSearchPage::Section AutomatedSearchPage::makeSection(QWidget* parent, const QString& panelName, const QString& checkName,
                                                              const QString& caption)
{
    Section s;
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
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(4, 1, 4, 1);
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
    // The grey is the frame line's only: the section's own texts keep the desktop's text
    // colours (a dark grey would vanish on a dark window).
    QPalette innerPalette = s.inner->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        innerPalette.setColor(group, QPalette::WindowText, QApplication::palette().color(group, QPalette::WindowText));
    s.inner->setPalette(innerPalette);
    layout->addWidget(s.inner);
    return s;
}

void AutomatedSearchPage::buildDictSection(QWidget* inner)
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
    Label4 = MakeCaption(QStringLiteral("Label4"), QStringLiteral("&From"), inner);
    DictFromEdit = MakeEdit(QStringLiteral("DictFromEdit"), 30, inner);
    DictFromEdit->setValidator(new UpperCaseValidator(DictFromEdit));
    DictFromEdit->setText(QStringLiteral("AA"));
    Label5 = MakeCaption(QStringLiteral("Label5"), QStringLiteral("&to"), inner);
    DictToEdit = MakeEdit(QStringLiteral("DictToEdit"), 30, inner);
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
    Label26 = MakeCaption(QStringLiteral("Label26"), QStringLiteral("of between"), inner);
    WordLength1 = MakeSpin(QStringLiteral("WordLength1"), 1, 22, 1, inner);
    WordLength1->setToolTip(QStringLiteral("Look for words at least this length"));
    Label27 = MakeCaption(QStringLiteral("Label27"), QStringLiteral("and"), inner);
    WordLength2 = MakeSpin(QStringLiteral("WordLength2"), 1, 50, 50, inner);
    WordLength2->setToolTip(QStringLiteral("Consider words no longer than this"));
    Label28 = MakeCaption(QStringLiteral("Label28"), QStringLiteral("letters"), inner);
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

    connect(DictRadio1, &QRadioButton::toggled, this, &AutomatedSearchPage::DictRadio2Click);
    connect(DictRadio2, &QRadioButton::toggled, this, &AutomatedSearchPage::DictRadio2Click);
    connect(WordLengthCheck, &QCheckBox::toggled, this, &AutomatedSearchPage::UpdateWordCheck);
    connect(WordLength1, &QSpinBox::editingFinished, this, &AutomatedSearchPage::WordLength1Change);
    connect(WordLength2, &QSpinBox::editingFinished, this, &AutomatedSearchPage::WordLength2Change);
    DictRadio2Click();
    UpdateWordCheck();
}

void AutomatedSearchPage::buildWordlistSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(3);
    auto* text = MakeCaption(QStringLiteral("WordlistLbl"),
                         QStringLiteral("Enter up to four different words and Tarnwick will make a list containing all possible combinations"),
                         inner);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < 4; ++i) {
        Wordlist[i] = MakeEdit(QStringLiteral("Wordlist%1").arg(i + 1), 0, inner);
        auto* number = MakeCaption(QStringLiteral("WordlistLbl%1").arg(i + 1), QString::number(i + 1), inner);
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

void AutomatedSearchPage::buildNumbersSection(QWidget* inner)
{
    auto* grid = new QGridLayout(inner);
    grid->setContentsMargins(8, 3, 8, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);

    auto* Label6 = MakeCaption(QStringLiteral("Label6"), QStringLiteral("&From"), inner);
    NumberFrom = MakeSpin(QStringLiteral("NumberFrom"), 0, 9999999, 0, inner);
    auto* Label7 = MakeCaption(QStringLiteral("Label7"), QStringLiteral("&to"), inner);
    NumberTo = MakeSpin(QStringLiteral("NumberTo"), 0, 9999999, 9, inner);
    Label6->setBuddy(NumberFrom);
    Label7->setBuddy(NumberTo);

    RangeCheck1 = new QCheckBox(QStringLiteral("&Prefix"), inner);
    RangeCheck1->setObjectName(QStringLiteral("RangeCheck1"));
    RangePre = MakeEdit(QStringLiteral("RangePre"), 30, inner);
    RangePre->setToolTip(QStringLiteral("Text to be added before the generated number"));
    RangePre->setValidator(new UpperCaseValidator(RangePre));
    RangeCheck2 = new QCheckBox(QStringLiteral("S&uffix"), inner);
    RangeCheck2->setObjectName(QStringLiteral("RangeCheck2"));
    RangeSuf = MakeEdit(QStringLiteral("RangeSuf"), 30, inner);
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

    connect(RangePre, &QLineEdit::textChanged, this, &AutomatedSearchPage::RangePreChange);
    connect(RangeSuf, &QLineEdit::textChanged, this, &AutomatedSearchPage::RangeSufChange);
}

void AutomatedSearchPage::buildSoundexSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(3);
    auto* text = MakeCaption(QStringLiteral("SoundexLbl"),
                             QStringLiteral("Using various methods, look for words in the dictionary that sound like :"), inner);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    SoundexEdit = MakeEdit(QStringLiteral("SoundexEdit"), 0, inner);
    installKeyFilter(SoundexEdit, false);
    row->addWidget(SoundexEdit, 1);
    auto* hint = MakeCaption(QStringLiteral("SoundexHintLbl"), QStringLiteral("(word should be at least 3 characters)"), inner);
    hint->setWordWrap(true);
    row->addWidget(hint, 1);
    layout->addLayout(row);
    layout->addStretch(1);
}

void AutomatedSearchPage::buildCustomSection(QWidget* inner)
{
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(2);
    auto* fileRow = new QHBoxLayout;
    fileRow->setSpacing(4);
    fileRow->addWidget(MakeCaption(QStringLiteral("UseListLbl"), QStringLiteral("Use list :"), inner));
    UseList = MakeEdit(QStringLiteral("UseList"), 0, inner);
    UseList->setReadOnly(true);
    UseList->setToolTip(QStringLiteral("Filename where your custom text file of names is stored"));
    Button5 = new QPushButton(QStringLiteral(".."), inner);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setToolTip(QStringLiteral("Browse"));
    Button5->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fileRow->addWidget(UseList, 1);
    fileRow->addWidget(Button5);
    layout->addLayout(fileRow);
    connect(Button5, &QPushButton::clicked, this, &AutomatedSearchPage::Button5Click);

    auto* sepRow = new QHBoxLayout;
    sepRow->setSpacing(4);
    sepRow->addWidget(MakeCaption(QStringLiteral("SepLbl"), QStringLiteral("The words in this list are seperated by a "), inner));
    SepCombo = new QComboBox(inner);
    SepCombo->setObjectName(QStringLiteral("SepCombo"));
    SepCombo->addItems({QStringLiteral("New Line"), QStringLiteral(", (Comma)"), QStringLiteral("; (Semi-colon)")});
    sepRow->addWidget(SepCombo);
    sepRow->addStretch(1);
    layout->addLayout(sepRow);
    layout->addStretch(1);
}

void AutomatedSearchPage::installKeyFilter(QLineEdit* edit, bool allowSpace)
{
    edit->installEventFilter(this);
    keyFiltered_.append(edit);
    if (allowSpace)
        spaceAllowed_.append(edit);
}

void AutomatedSearchPage::DomainCheckClickCheck()
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
    showTickedTLDs(count);
    SaveCheckStates(settingsPath(), list);
}

void AutomatedSearchPage::DomainBtnClick()
{
    try {
        TTLDForm form(engine_, this);
        connect(&form, &TTLDForm::ticksChanged, this, [this] {
            setQuickTicksFromTLDInfoList();
            DomainCheckClickCheck();
        });
        form.exec();
    } catch (...) {
    }
}

void AutomatedSearchPage::Button4Click()
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

void AutomatedSearchPage::Button5Click()
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

void AutomatedSearchPage::fold(const Section& section)
{
    const bool open = section.check->isChecked();
    section.inner->setEnabled(open);
    section.inner->setVisible(open);   // folded away, its controls take no room and no focus
}

void AutomatedSearchPage::DictRadio2Click()
{
    const bool range = DictRadio2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label4, DictFromEdit, Label5, DictToEdit})
        w->setEnabled(range);
}

void AutomatedSearchPage::UpdateWordCheck()
{
    const bool on = WordLengthCheck->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label26, Label27, Label28, WordLength1, WordLength2})
        w->setEnabled(on);
}

void AutomatedSearchPage::WordLength1Change()
{
    if (WordLength1->value() > WordLength2->value())
        WordLength1->setValue(WordLength2->value());
}

void AutomatedSearchPage::WordLength2Change()
{
    if (WordLength2->value() < WordLength1->value())
        WordLength2->setValue(WordLength1->value());
}

void AutomatedSearchPage::RangePreChange()
{
    SetTicked(RangeCheck1, !RangePre->text().isEmpty());
}

void AutomatedSearchPage::RangeSufChange()
{
    SetTicked(RangeCheck2, !RangeSuf->text().isEmpty());
}

void AutomatedSearchPage::setQuickTicksFromTLDInfoList()
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

void AutomatedSearchPage::attachDomainCheckHandler()
{
    if (!domainCheckConnection_)
        domainCheckConnection_ = connect(DomainCheck, &QListWidget::itemChanged, this, &AutomatedSearchPage::DomainCheckClickCheck);
}

void AutomatedSearchPage::detachDomainCheckHandler()
{
    if (domainCheckConnection_)
        disconnect(domainCheckConnection_);
    domainCheckConnection_ = {};
}

bool AutomatedSearchPage::quickTick(int position) const
{
    const QListWidgetItem* item = DomainCheck->item(position);
    return item && item->checkState() == Qt::Checked;
}

void AutomatedSearchPage::setQuickTick(int position, bool ticked)
{
    if (QListWidgetItem* item = DomainCheck->item(position))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void AutomatedSearchPage::setDictionaryPresent(bool present)
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
