#include "ui/TLDForm.h"
#include "engine/Misc1.h"
#include "settings/CheckStates.h"
#include "ui/MainForm.h"
#include "ui/TLDCheckModel.h"
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

TTLDForm::TTLDForm(TMisc1& engine, TMainForm& mainForm, QWidget* parent)
    : QDialog(parent)
    , engine_(engine)
    , mainForm_(mainForm)
{
    setObjectName(QStringLiteral("TLDForm"));
    setWindowTitle(QStringLiteral("Select TLDs"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);
    setFont(mainForm.font());
    // Taller and wider than the list of 457 needed: room for the filter box and for IDN
    // TLDs shown with their letters.
    setFixedSize(340, 400);

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

    model_ = new TLDCheckModel(this);
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(model_);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    TLDChecks = new QListView(this);
    TLDChecks->setObjectName(QStringLiteral("TLDChecks"));
    TLDChecks->setSelectionMode(QAbstractItemView::SingleSelection);
    TLDChecks->setUniformItemSizes(true);
    TLDChecks->setModel(shown_);
    listSide->addWidget(TLDChecks, 1);
    layout->addLayout(listSide, 1);
    setFocusProxy(FilterEdit);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(96, 25);
        b->setAutoDefault(false);
        return b;
    };
    OKBtn = button("OKBtn", "&OK");
    OKBtn->setFlat(true);
    OKBtn->setDefault(true);
    CancelBtn = button("CancelBtn", "&Cancel");
    CancelBtn->setFlat(true);
    OKBtn->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #808080; background: #f4f4f4; }"
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
    connect(model_, &TLDCheckModel::tickChanged, this, [this] { TLDChecksClickCheck(nullptr); });

    FormCreate();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TTLDForm::FormCreate()
{
    QStringList tlds;
    QList<bool> checked;
    tlds.reserve(engine_.TLDInfoList.Count());
    checked.reserve(engine_.TLDInfoList.Count());
    for (int i = 0; i < engine_.TLDInfoList.Count(); ++i) {
        tlds.append(engine_.TLDInfoList.At(i).TLD);
        checked.append(engine_.TLDInfoList.At(i).Checked);
    }
    model_->SetRows(tlds, checked);
    TLDChecksClickCheck(nullptr);
    packedAtOpening_ = PackCheckStates(checked);
}

void TTLDForm::TLDChecksClickCheck(QObject*)
{
    const int count = model_->TickedCount();
    Label2->setText(count == 0 ? QStringLiteral("No") : QString::number(count));
    Label1->setText(count > 1 ? QStringLiteral("Items Selected") : QStringLiteral("Item Selected"));
}

void TTLDForm::FilterEditChange(const QString& text)
{
    shown_->setFilterFixedString(text.trimmed());
}

void TTLDForm::setShownTicks(bool ticked)
{
    QList<int> rows;
    rows.reserve(shown_->rowCount());
    for (int r = 0; r < shown_->rowCount(); ++r)
        rows.append(shown_->mapToSource(shown_->index(r, 0)).row());
    model_->SetTicks(rows, ticked);
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
    const QList<bool> now = model_->Ticks();
    if (PackCheckStates(now) != packedAtOpening_) {
        TTLDInfoList& list = engine_.TLDInfoList;
        const bool handlerWasAttached = mainForm_.domainCheckHandlerAttached();
        mainForm_.detachDomainCheckHandler();
        // The list cannot change while this modal dialog is open, but stay within both.
        const int n = qMin<int>(list.Count(), static_cast<int>(now.size()));
        for (int i = 0; i < n; ++i) {
            list.At(i).Checked = now[i];
            if (i < 4)
                mainForm_.setQuickTick(i, now[i]);
        }
        if (handlerWasAttached)
            mainForm_.attachDomainCheckHandler();
        mainForm_.DomainCheckClickCheck();
    }
    accept();
}

void TTLDForm::CancelBtnClick()
{
    mainForm_.DomainCheckClickCheck();
    reject();
}
