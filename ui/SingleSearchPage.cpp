#include "ui/SingleSearchPage.h"
#include "engine/lookup/DomainInput.h"
#include "engine/lookup/TLDInfoList.h"
#include "ui/WindowLook.h"
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
// The longest text the box takes: a whole web address may be pasted before it is cleaned.
constexpr int kLongestPaste = 2048;
// The longest name that is kept after cleaning.
constexpr int kLongestName = 253;
}

SingleSearchPage::SingleSearchPage(const TTLDInfoList& tlds, QWidget* parent)
    : QWidget(parent)
    , tlds_(tlds)
{
    setObjectName(QStringLiteral("Page1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(0);

    layout->addWidget(MakeBand(QStringLiteral(" Address"), BandLook::Info, this, QStringLiteral("AddressBand")));
    auto* addressPanel = new QWidget(this);
    addressPanel->setObjectName(QStringLiteral("AddressPanel"));
    SetInfoBackground(addressPanel);
    auto* addressLayout = new QVBoxLayout(addressPanel);
    addressLayout->setContentsMargins(8, 6, 8, 8);
    addressLayout->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    auto* prefix = MakeCaption(QStringLiteral("AddressLbl"), QStringLiteral("http://www."), addressPanel);
    QFont bold = font();
    bold.setBold(true);
    prefix->setFont(bold);
    SingleEdit = MakeEdit(QStringLiteral("SingleEdit"), kLongestPaste, addressPanel);
    SingleEdit->setToolTip(QStringLiteral("A name, or a whole address such as example.co.uk or https://www.example.com/"));
    TLDCombo = new QComboBox(addressPanel);
    TLDCombo->setObjectName(QStringLiteral("TLDCombo"));
    TLDCombo->setEditable(true);
    TLDCombo->setInsertPolicy(QComboBox::NoInsert);
    TLDCombo->addItems({QStringLiteral(".com"), QStringLiteral(".net"), QStringLiteral(".org"), QStringLiteral(".co.uk")});
    TLDCombo->setCurrentIndex(0);
    TLDCombo->setMinimumContentsLength(9);
    TLDCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    TLDCombo->setMaxVisibleItems(20);
    row->addWidget(prefix);
    row->addWidget(SingleEdit, 1);
    row->addWidget(TLDCombo);
    addressLayout->addLayout(row);
    InputHintLbl = MakeCaption(QStringLiteral("InputHintLbl"), QString(), addressPanel);
    InputHintLbl->setWordWrap(true);
    InputHintLbl->hide();
    addressLayout->addWidget(InputHintLbl);
    layout->addWidget(addressPanel);
    setFocusProxy(SingleEdit);

    // textEdited comes before textChanged: until then this is the text before the edit.
    connect(SingleEdit, &QLineEdit::textChanged, this, [this](const QString& text) { textBefore_ = text; });
    connect(SingleEdit, &QLineEdit::textEdited, this, &SingleSearchPage::SingleEditChange);
    connect(SingleEdit, &QLineEdit::returnPressed, this, &SingleSearchPage::startRequested);
    connect(TLDCombo->lineEdit(), &QLineEdit::returnPressed, this, &SingleSearchPage::startRequested);

    layout->addSpacing(8);
    layout->addWidget(MakeBand(QStringLiteral("Results"), BandLook::Black, this, QStringLiteral("SingleResultsBand")));
    SingleStateLbl = MakeCaption(QStringLiteral("SingleStateLbl"), QString(), this);
    SingleStateLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SingleStateLbl->setWordWrap(true);
    SingleStateLbl->setContentsMargins(4, 3, 4, 3);
    SingleStateLbl->setFont(bold);
    SingleStateLbl->setBackgroundRole(QPalette::Base);
    SingleStateLbl->setAutoFillBackground(true);
    SingleStateLbl->hide();
    layout->addWidget(SingleStateLbl);
    SingleResults = new QPlainTextEdit(this);
    SingleResults->setObjectName(QStringLiteral("SingleResults"));
    SingleResults->setReadOnly(true);
    SingleResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SingleResults->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Replies line their fields up with blanks and tabs: fixed-width type, at the desktop's size.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font().pointSizeF() > 0)
        fixed.setPointSizeF(font().pointSizeF());
    SingleResults->setFont(fixed);
    SingleResults->setTabStopDistance(8 * QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')));
    layout->addWidget(SingleResults, 1);
}

QString SingleSearchPage::listedTld(const QString& ending) const
{
    const TLDInfo* entry = tlds_.Find(ending);
    return entry ? entry->TLD : QString();
}

void SingleSearchPage::SingleEditChange(const QString& typed)
{
    // A scheme ("https:/") or a port (":80") being typed key by key stays as it is, or
    // its ":" and "/" would go before what follows them shows what they are.
    static const QRegularExpression unfinished(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:/{0,2}$|:[0-9]*$"));
    const bool oneKeyAtTheEnd = typed.size() == textBefore_.size() + 1 && typed.startsWith(textBefore_);
    if (oneKeyAtTheEnd && unfinished.match(typed).hasMatch()) {
        showWhereItGoes();
        return;
    }
    QString cleaned = StripAddress(typed);
    // A dot just typed stays: the TLD comes next.
    if (typed.endsWith(QLatin1Char('.')) && !cleaned.isEmpty() && !typed.contains(QLatin1String("://")))
        cleaned += QLatin1Char('.');
    cleaned.truncate(kLongestName);
    if (cleaned != typed) {
        const int removed = static_cast<int>(typed.size() - cleaned.size());
        const int cursor = qBound(0, SingleEdit->cursorPosition() - removed, static_cast<int>(cleaned.size()));
        SingleEdit->setText(cleaned);
        SingleEdit->setCursorPosition(cursor);
    }
    showWhereItGoes();
}

void SingleSearchPage::showWhereItGoes()
{
    const DomainInput input = SplitDomainInput(SingleEdit->text(), [this](const QString& e) { return listedTld(e); });
    if (!input.tld.isEmpty())
        selectTLD(input.tld);
    const bool unknown = !input.unknownEnding.isEmpty() && input.unknownEnding != QLatin1String(".");
    InputHintLbl->setText(unknown ? QStringLiteral("%1 is not a TLD that Tarnwick knows: it is not looked up.").arg(input.unknownEnding)
                                  : QString());
    InputHintLbl->setVisible(unknown);
}

void SingleSearchPage::selectTLD(const QString& tld)
{
    const int index = TLDCombo->findText(tld, Qt::MatchFixedString);
    if (index >= 0)
        TLDCombo->setCurrentIndex(index);
    else
        TLDCombo->setEditText(tld);
}

bool SingleSearchPage::takeDomainFromBox()
{
    showWhereItGoes();
    const DomainInput input = SplitDomainInput(SingleEdit->text(), [this](const QString& e) { return listedTld(e); });
    if (!input.unknownEnding.isEmpty() && input.unknownEnding != QLatin1String(".")) {
        SingleEdit->setFocus();
        return false;
    }
    QString name = input.name;
    name.remove(QLatin1Char('.'));
    if (name != SingleEdit->text())
        SingleEdit->setText(name);
    return true;
}

void SingleSearchPage::setDomain(const QString& domain)
{
    SingleEdit->setText(domain.toLower());
    SingleEditChange(SingleEdit->text());
    takeDomainFromBox();
}

void SingleSearchPage::fillOptions(MainOptions& o) const
{
    const DomainInput input = SplitDomainInput(SingleEdit->text(), [this](const QString& e) { return listedTld(e); });
    if (!input.tld.isEmpty()) {
        o.SingleEdit = input.name;
        o.SingleEdit.remove(QLatin1Char('.'));
        o.TLDComboText = input.tld;
    } else {
        o.SingleEdit = SingleEdit->text();
        // A TLD typed in its own script is asked by the one the table lists.
        const QString typed = TLDCombo->currentText().trimmed();
        const QString listed = listedTld(typed);
        o.TLDComboText = listed.isEmpty() || listed.compare(typed, Qt::CaseInsensitive) == 0 ? typed : listed;
    }
    // A typed extension selects the entry it equals; any other text selects none.
    int index = TLDCombo->currentIndex();
    if (index < 0 || TLDCombo->itemText(index) != o.TLDComboText)
        index = TLDCombo->findText(o.TLDComboText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    o.TLDComboIndex = index;
}

void SingleSearchPage::applyOptions(const MainOptions& o)
{
    SingleEdit->setText(o.SingleEdit);
    savedTLDSingle_ = o.TLDComboIndex;
    if (o.TLDComboIndex >= 0 && o.TLDComboIndex < TLDCombo->count())
        TLDCombo->setCurrentIndex(o.TLDComboIndex);
    else if (o.TLDComboIndex < 0 && !o.TLDComboText.isEmpty())
        TLDCombo->setEditText(o.TLDComboText);
    InputHintLbl->hide();
}

void SingleSearchPage::clearTLDs()
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->clear();
}

void SingleSearchPage::setTLDItems(const QStringList& tlds)
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->clear();
    TLDCombo->addItems(tlds);
}

void SingleSearchPage::addTLDItem(const QString& tld)
{
    const QSignalBlocker block(TLDCombo);
    TLDCombo->addItem(tld);
}

void SingleSearchPage::selectSavedTLD()
{
    if (TLDCombo->count() == 0)
        return;
    TLDCombo->setCurrentIndex(0);
    // A saved position beyond the end of the list leaves the first entry shown.
    if (savedTLDSingle_ > 0 && savedTLDSingle_ < TLDCombo->count())
        TLDCombo->setCurrentIndex(savedTLDSingle_);
}

void SingleSearchPage::clearResults()
{
    SingleResults->clear();
    SingleStateLbl->clear();
    SingleStateLbl->hide();
}

void SingleSearchPage::addResult(const QString& line)
{
    QString shown = line;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    SingleResults->appendPlainText(shown);
}

void SingleSearchPage::showState(ISearchView::SingleState state, const QString& text)
{
    using State = ISearchView::SingleState;
    const VerdictLook look = state == State::Free       ? VerdictLook::Free
                           : state == State::NoAnswer   ? VerdictLook::Error
                           : state == State::Taken      ? VerdictLook::Taken
                                                        : VerdictLook::Plain;
    QPalette p = palette();
    const QColor colour = VerdictColour(p, look);
    p.setColor(QPalette::WindowText, colour.isValid() ? colour : p.color(QPalette::Text));
    SingleStateLbl->setPalette(p);
    QFont f = SingleStateLbl->font();
    f.setItalic(state == State::Asking);
    SingleStateLbl->setFont(f);
    SingleStateLbl->setText(text);
    SingleStateLbl->setVisible(!text.isEmpty());
}

void SingleSearchPage::focusName()
{
    SingleEdit->setFocus();
}
