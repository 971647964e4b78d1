#include "ui/TLDForm.h"
#include "engine/Misc1.h"
#include "engine/lookup/TldPolicy.h"
#include "settings/CheckStates.h"
#include "settings/SettingsFile.h"
#include "ui/WindowLook.h"
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// ".xn--p1ai" shows as ".xn--p1ai (.рф)", so the filter finds it by either; every other
// TLD shows as it is.
QString ShownText(const QString& tld)
{
    if (!tld.startsWith(QLatin1String(".xn--"), Qt::CaseInsensitive))
        return tld;
    const QString letters = QUrl::fromAce(tld.mid(1).toLatin1(), QUrl::IgnoreIDNWhitelist);
    return letters.isEmpty() || letters == tld.mid(1) ? tld : tld + QStringLiteral(" (.") + letters + QLatin1Char(')');
}

// Brand TLDs (names only for their owner) and TLDs with eligibility rules say so after
// their text, so the filter finds them by "brand" or "restricted" too.
QString MarkedText(const QString& tld, TldPolicy policy)
{
    switch (policy) {
    case TldPolicy::Brand: return ShownText(tld) + QStringLiteral("  (brand)");
    case TldPolicy::Restricted: return ShownText(tld) + QStringLiteral("  (restricted)");
    case TldPolicy::Open: break;
    }
    return ShownText(tld);
}

QString PolicyTip(TldPolicy policy)
{
    switch (policy) {
    case TldPolicy::Brand: return QStringLiteral("A brand TLD: only its owner may hold names. Its names are not checked.");
    case TldPolicy::Restricted: return QStringLiteral("Eligibility rules apply: a licence, residence or membership.");
    case TldPolicy::Open: break;
    }
    return QString();
}

constexpr int kBrandRole = Qt::UserRole;

} // namespace

TTLDForm::TTLDForm(TMisc1& engine, QWidget* parent)
    : QDialog(parent)
    , engine_(engine)
{
    setObjectName(QStringLiteral("TLDForm"));
    setWindowTitle(QStringLiteral("Select TLDs"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);

    auto* listSide = new QVBoxLayout;
    listSide->setSpacing(4);
    FilterEdit = new QLineEdit(this);
    FilterEdit->setObjectName(QStringLiteral("FilterEdit"));
    FilterEdit->setPlaceholderText(QStringLiteral("Filter, e.g. shop"));
    FilterEdit->setClearButtonEnabled(true);
    FilterEdit->setToolTip(QStringLiteral("Show only the TLDs that contain this text"));
    listSide->addWidget(FilterEdit);
    TickedOnlyCheck = new QCheckBox(QStringLiteral("Show &ticked TLDs only"), this);
    TickedOnlyCheck->setObjectName(QStringLiteral("TickedOnlyCheck"));
    listSide->addWidget(TickedOnlyCheck);
    HideBrandCheck = new QCheckBox(QStringLiteral("&Hide brand TLDs"), this);
    HideBrandCheck->setObjectName(QStringLiteral("HideBrandCheck"));
    HideBrandCheck->setChecked(true);
    HideBrandCheck->setToolTip(QStringLiteral("Brand TLDs (.google, .bmw, ...) are open only to their owners: "
                                              "hidden, Select All leaves them out"));
    listSide->addWidget(HideBrandCheck);
    TLDChecks = new QListWidget(this);
    TLDChecks->setObjectName(QStringLiteral("TLDChecks"));
    TLDChecks->setSelectionMode(QAbstractItemView::SingleSelection);
    TLDChecks->setUniformItemSizes(true);
    listSide->addWidget(TLDChecks, 1);
    layout->addLayout(listSide, 1);
    setFocusProxy(FilterEdit);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(qMax(96, b->sizeHint().width()));
        b->setAutoDefault(false);
        return b;
    };
    OKBtn = button("OKBtn", "&OK");
    OKBtn->setFlat(true);
    OKBtn->setDefault(true);
    CancelBtn = button("CancelBtn", "&Cancel");
    CancelBtn->setFlat(true);
    // A pale face of their own, so the text colour is set too (a dark palette's is pale).
    OKBtn->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #808080; background: #f4f4f4; color: black; }"
                                        "QPushButton:hover { background: #e6eef8; }"));
    CancelBtn->setStyleSheet(OKBtn->styleSheet());
    side->addWidget(OKBtn);
    side->addWidget(CancelBtn);
    side->addSpacing(16);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont big = font();
    big.setPointSizeF(font().pointSizeF() * 2);
    big.setBold(true);
    Label2->setFont(big);
    Label2->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    side->addWidget(Label2);
    side->addWidget(Label1);
    side->addStretch(1);

    SelectAllBtn = button("SelectAllBtn", "Select &All");
    DeselectAllBtn = button("DeselectAllBtn", "&Deselect All");
    side->addWidget(SelectAllBtn);
    side->addWidget(DeselectAllBtn);
    layout->addLayout(side);

    connect(OKBtn, &QPushButton::clicked, this, &TTLDForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TTLDForm::CancelBtnClick);
    connect(SelectAllBtn, &QPushButton::clicked, this, &TTLDForm::SelectAllBtnClick);
    connect(DeselectAllBtn, &QPushButton::clicked, this, &TTLDForm::DeselectAllBtnClick);
    connect(FilterEdit, &QLineEdit::textChanged, this, &TTLDForm::FilterEditChange);
    connect(TickedOnlyCheck, &QCheckBox::toggled, this, &TTLDForm::TickedOnlyCheckClick);
    connect(HideBrandCheck, &QCheckBox::toggled, this, [this] { FilterEditChange(FilterEdit->text()); });

    FormCreate();
    // Taller and wider than the list of 457 needed: room for the filter box and for IDN
    // TLDs shown with their letters; larger when the font needs it.
    ResizeToFitFont(this, QSize(340, 400));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TTLDForm::FormCreate()
{
    detachTickHandler();
    for (int i = 0; i < engine_.TLDInfoList.Count(); ++i) {
        const TLDInfo& info = engine_.TLDInfoList.At(i);
        const TldPolicy policy = PolicyOfTld(info.TLD);
        auto* item = new QListWidgetItem(MarkedText(info.TLD, policy), TLDChecks);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(info.Checked ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(PolicyTip(policy));
        item->setData(kBrandRole, policy == TldPolicy::Brand);
    }
    FilterEditChange(QString());
    attachTickHandler();
    TLDChecksClickCheck(nullptr);
    packedAtOpening_ = PackCheckStates(ticks());
}

void TTLDForm::attachTickHandler()
{
    if (!tickConnection_)
        tickConnection_ = connect(TLDChecks, &QListWidget::itemChanged, this, [this] { TLDChecksClickCheck(nullptr); });
}

void TTLDForm::detachTickHandler()
{
    if (tickConnection_)
        disconnect(tickConnection_);
    tickConnection_ = {};
}

QList<bool> TTLDForm::ticks() const
{
    QList<bool> flags;
    flags.reserve(TLDChecks->count());
    for (int i = 0; i < TLDChecks->count(); ++i)
        flags.append(TLDChecks->item(i)->checkState() == Qt::Checked);
    return flags;
}

void TTLDForm::TLDChecksClickCheck(QObject*)
{
    // Select All and Deselect All set only the shown ticks: count them all.
    int count = 0;
    for (int i = 0; i < TLDChecks->count(); ++i)
        if (TLDChecks->item(i)->checkState() == Qt::Checked)
            ++count;

    Label2->setText(count == 0 ? QStringLiteral("No") : QString::number(count));
    Label1->setText(count > 1 ? QStringLiteral("Items Selected") : QStringLiteral("Item Selected"));
}

void TTLDForm::FilterEditChange(const QString& text)
{
    const QString wanted = text.trimmed();
    const bool tickedOnly = TickedOnlyCheck->isChecked();
    TLDChecks->setUpdatesEnabled(false);
    for (int i = 0; i < TLDChecks->count(); ++i) {
        QListWidgetItem* item = TLDChecks->item(i);
        const bool hiddenBrand = HideBrandCheck->isChecked() && item->data(kBrandRole).toBool();
        const bool shown = !hiddenBrand && item->text().contains(wanted, Qt::CaseInsensitive)
                           && (!tickedOnly || item->checkState() == Qt::Checked);
        item->setHidden(!shown);
    }
    TLDChecks->setUpdatesEnabled(true);
}

// An entry unticked while only the ticked are shown stays in sight until the next change
// of the filter, so a slip can be undone.
void TTLDForm::TickedOnlyCheckClick()
{
    FilterEditChange(FilterEdit->text());
}

void TTLDForm::setShownTicks(bool ticked)
{
    TLDChecks->setUpdatesEnabled(false);
    detachTickHandler();
    for (int i = 0; i < TLDChecks->count(); ++i)
        if (!TLDChecks->item(i)->isHidden())
            TLDChecks->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    TLDChecks->setUpdatesEnabled(true);
    attachTickHandler();
}

void TTLDForm::SelectAllBtnClick()
{
    setShownTicks(true);
    TLDChecksClickCheck(SelectAllBtn);
}

void TTLDForm::DeselectAllBtnClick()
{
    setShownTicks(false);
    TLDChecksClickCheck(DeselectAllBtn);
}

void TTLDForm::OKBtnClick()
{
    const QList<bool> now = ticks();
    if (PackCheckStates(now) != packedAtOpening_) {
        TTLDInfoList& list = engine_.TLDInfoList;
        // The list cannot change while this modal dialog is open, but stay within both.
        const int n = qMin<int>(list.Count(), static_cast<int>(now.size()));
        for (int i = 0; i < n; ++i)
            list.At(i).Checked = now[i];
        SaveCheckStates(engine_.settingsFile(QString::fromLatin1(SettingsFileName())), list);
        emit ticksChanged();
    }
    accept();
}

void TTLDForm::CancelBtnClick()
{
    emit ticksChanged();
    reject();
}
