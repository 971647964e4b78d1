#include "ui/ResultLists.h"
#include "ui/WindowLook.h"
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <limits>

namespace {

using Kind = ResultListModel::Kind;

// Free entries green and errors red, in shades that read on the list's own background.
class VerdictColours : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto kind = static_cast<Kind>(index.data(ResultListModel::KindRole).toInt());
        const QColor colour = VerdictColour(option->palette, kind == Kind::Free ? VerdictLook::Free
                                                             : kind == Kind::Error ? VerdictLook::Error
                                                                                   : VerdictLook::Plain);
        if (colour.isValid())
            option->palette.setColor(QPalette::Text, colour);
    }
};

Kind KindOf(LookupVerdict verdict)
{
    switch (verdict) {
    case LookupVerdict::Free: return Kind::Free;
    case LookupVerdict::Taken:
    case LookupVerdict::Reserved:
    case LookupVerdict::Closed: return Kind::Taken;
    case LookupVerdict::ServerError:
    case LookupVerdict::LookupFailed: break;
    }
    return Kind::Error;
}

QString ReasonTip(const LookupReason& reason)
{
    QString tip = reason.Text;
    if (!reason.Server.isEmpty())
        tip = RouteName(reason.Route) + QLatin1Char(' ') + reason.Server + (tip.isEmpty() ? QString() : QStringLiteral(": ") + tip);
    return tip;
}

} // namespace

ResultLists::ResultLists(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ResultsPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 6, 4, 4);
    layout->setSpacing(4);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(MakeCaption(QStringLiteral("ProgressLbl"), QStringLiteral("Progress :"), this));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(fontMetrics().height());
    ProgressBar1->setStyleSheet(QStringLiteral("QProgressBar { border: none; background-color: #e4e4e4; }"
                                               "QProgressBar::chunk { background-color: #a6caf0; }"));
    progressRow->addWidget(ProgressBar1, 1);
    layout->addLayout(progressRow);

    auto* showRow = new QHBoxLayout;
    showRow->addWidget(MakeCaption(QStringLiteral("ShowResultsLbl"), QStringLiteral("Show the following Results :"), this));
    ShowResultsCombo = new QComboBox(this);
    ShowResultsCombo->setObjectName(QStringLiteral("ShowResultsCombo"));
    ShowResultsCombo->addItems({QStringLiteral("All Results"), QStringLiteral("Domains Free"),
                                QStringLiteral("Domains Taken"), QStringLiteral("Errors")});
    ShowResultsCombo->setCurrentIndex(0);
    showRow->addWidget(ShowResultsCombo, 1);
    layout->addLayout(showRow);

    auto* listArea = new QVBoxLayout;
    listArea->setSpacing(0);
    Panel6 = MakeBand(QStringLiteral("Results"), BandLook::Black, this, QStringLiteral("Panel6"));
    listArea->addWidget(Panel6);
    auto* stackHolder = new QWidget(this);
    stackHolder->setObjectName(QStringLiteral("ResultListsHolder"));
    stack_ = new QStackedLayout(stackHolder);
    const char* names[4] = {"AutoResults", "DomainsFreeList", "DomainsTakenList", "DomainErrorsList"};
    auto* colours = new VerdictColours(this);
    for (int i = 0; i < 4; ++i) {
        models_[i] = new ResultListModel(this);
        auto* view = new QListView(stackHolder);
        view->setObjectName(QString::fromLatin1(names[i]));
        view->setModel(models_[i]);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setItemDelegate(colours);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { showContextMenu(view, at); });
        view->installEventFilter(this);
        views_[i] = view;
        stack_->addWidget(view);
    }
    listArea->addWidget(stackHolder, 1);
    layout->addLayout(listArea, 1);

    MultiplecountLbl = MakeCaption(QStringLiteral("MultiplecountLbl"), QStringLiteral("0 checked, 0 taken, 0 free"), this);
    layout->addWidget(MultiplecountLbl);
    // A line of its own: beside the counters of a long run, the two would not fit.
    RunRateLbl = MakeCaption(QStringLiteral("RunRateLbl"), QString(), this);
    RunRateLbl->setWordWrap(true);
    RunRateLbl->hide();
    layout->addWidget(RunRateLbl);
    RunSummaryLbl = MakeCaption(QStringLiteral("RunSummaryLbl"), QString(), this);
    RunSummaryLbl->setWordWrap(true);
    RunSummaryLbl->hide();
    layout->addWidget(RunSummaryLbl);
    RunNoticeLbl = MakeCaption(QStringLiteral("RunNoticeLbl"), QString(), this);
    RunNoticeLbl->setWordWrap(true);
    RunNoticeLbl->hide();
    layout->addWidget(RunNoticeLbl);

    connect(ShowResultsCombo, &QComboBox::currentIndexChanged, this, &ResultLists::ShowResultsComboChange);
    ShowResultsComboChange();
}

QListView* ResultLists::shownView() const
{
    return views_[qBound(0, stack_->currentIndex(), 3)];
}

void ResultLists::ShowResultsComboChange()
{
    static const char* const bands[4] = {"All Results", "Free Domains", "Domain Names Taken", "Errors"};
    const int index = qBound(0, ShowResultsCombo->currentIndex(), 3);
    stack_->setCurrentIndex(index);
    Panel6->setText(QString::fromLatin1(bands[index]));
}

void ResultLists::insertAtTop(ResultList list, const QString& entry)
{
    // The run puts each entry into AutoResults first and then into its own list, which
    // says what the entry is.
    const Kind kind = list == ResultList::Free ? Kind::Free
                    : list == ResultList::Taken ? Kind::Taken
                    : list == ResultList::Errors ? Kind::Error
                                                 : Kind::Other;
    model(list).insertAtTop(entry, kind);
    ResultListModel& all = model(ResultList::All);
    if (list != ResultList::All && all.count() > 0 && all.textAt(0) == entry)
        all.markNewest(kind);
}

void ResultLists::recordVerdict(LookupVerdict verdict, const LookupReason& reason)
{
    const Kind kind = KindOf(verdict);
    const QString tip = kind == Kind::Error ? ReasonTip(reason) : QString();
    model(ResultList::All).markNewest(kind, tip);
    model(kind == Kind::Free ? ResultList::Free : kind == Kind::Taken ? ResultList::Taken : ResultList::Errors).markNewest(kind, tip);
}

void ResultLists::recordInvalid(const QString& why)
{
    model(ResultList::All).markNewest(Kind::Error, why);
    model(ResultList::Errors).markNewest(Kind::Error, why);
}

void ResultLists::showAllResults()
{
    ShowResultsCombo->setCurrentIndex(0);
    ShowResultsComboChange();
}

void ResultLists::clearAll()
{
    for (ResultListModel* m : models_)
        m->clear();
}

void ResultLists::setCounterText(const QString& text)
{
    MultiplecountLbl->setText(text);
}

void ResultLists::setProgressMaximum(qint64 maximum)
{
    constexpr qint64 limit = std::numeric_limits<int>::max();
    progressMaximum_ = maximum;
    // A maximum of 0 would turn the bar into a busy indicator.
    maximum = qMax<qint64>(1, maximum);
    progressScale_ = maximum > limit ? maximum / limit + 1 : 1;
    ProgressBar1->setMaximum(static_cast<int>(maximum / progressScale_));
}

void ResultLists::setProgressPosition(qint64 position)
{
    progressPosition_ = position;
    const qint64 scaled = qBound<qint64>(0, position / progressScale_, qint64(ProgressBar1->maximum()));
    ProgressBar1->setValue(static_cast<int>(scaled));
    if (running_)
        showRate();
}

// Twice a second at most: the domains a second since the start and the time the rest
// takes at that speed.
void ResultLists::showRate()
{
    const qint64 now = clock_.elapsed();
    if (now - rateShownAt_ < 500 || now < 1000 || progressPosition_ <= 0)
        return;
    rateShownAt_ = now;
    const double perSecond = progressPosition_ * 1000.0 / now;
    const qint64 left = qMax<qint64>(0, progressMaximum_ - progressPosition_);
    QString text = QStringLiteral("%1 a second").arg(perSecond, 0, 'f', perSecond < 10 ? 1 : 0);
    if (left > 0)
        text += QStringLiteral(", about %1 left").arg(Duration(qint64(left * 1000.0 / perSecond)));
    RunRateLbl->setText(text);
    RunRateLbl->show();
}

void ResultLists::addRunNotice(const QString& text)
{
    const QString shown = RunNoticeLbl->text();
    RunNoticeLbl->setText(shown.isEmpty() ? text : shown + QLatin1Char('\n') + text);
    RunNoticeLbl->show();
}

void ResultLists::runStarted()
{
    RunNoticeLbl->clear();
    RunNoticeLbl->hide();
    RunSummaryLbl->clear();
    RunSummaryLbl->hide();
    RunRateLbl->clear();
    RunRateLbl->hide();
    progressPosition_ = 0;
    progressMaximum_ = 0;
    rateShownAt_ = -1000;
    clock_.start();
    running_ = true;
}

void ResultLists::runEnded(const QString& counters, const QString& stoppedAt)
{
    running_ = false;
    RunRateLbl->clear();
    RunRateLbl->hide();
    const QString took = Duration(runMilliseconds());
    if (stoppedAt.isEmpty())
        RunSummaryLbl->setText(QStringLiteral("Finished in %1: %2.").arg(took, counters));
    else
        RunSummaryLbl->setText(QStringLiteral("Stopped at %1 after %2: %3. Start continues from there.").arg(stoppedAt, took, counters));
    RunSummaryLbl->show();
}

QString ResultLists::Duration(qint64 ms)
{
    const qint64 s = (ms + 500) / 1000;
    if (s < 60)
        return QStringLiteral("%1 s").arg(s);
    if (s < 3600)
        return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60);
    return QStringLiteral("%1 h %2 min").arg(s / 3600).arg((s % 3600) / 60);
}

QString ResultLists::DomainOf(const QString& entry)
{
    const qsizetype colon = entry.indexOf(QLatin1String(" : "));
    return colon < 0 ? entry : entry.left(colon);
}

QStringList ResultLists::selectedDomains() const
{
    const QListView* view = shownView();
    QList<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    const auto* m = static_cast<const ResultListModel*>(view->model());
    QStringList domains;
    for (int row : rows)
        domains.append(DomainOf(m->textAt(row)));
    return domains;
}

QStringList ResultLists::freeDomains() const
{
    QStringList domains;
    for (const QString& entry : model(ResultList::Free).texts())
        domains.append(DomainOf(entry));
    return domains;
}

void ResultLists::copySelectedDomains() const
{
    const QStringList domains = selectedDomains();
    if (!domains.isEmpty())
        QApplication::clipboard()->setText(domains.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void ResultLists::copyFreeDomains() const
{
    const QStringList domains = freeDomains();
    if (!domains.isEmpty())
        QApplication::clipboard()->setText(domains.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void ResultLists::showContextMenu(QListView* view, const QPoint& at)
{
    const QModelIndex under = view->indexAt(at);
    if (under.isValid() && !view->selectionModel()->isSelected(under))
        view->setCurrentIndex(under);
    const QStringList domains = selectedDomains();

    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ResultsMenu"));
    QAction* copy = menu.addAction(domains.size() > 1 ? QStringLiteral("&Copy domains") : QStringLiteral("&Copy domain"),
                                   this, &ResultLists::copySelectedDomains);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!domains.isEmpty());
    menu.addAction(QStringLiteral("Copy all &free domains"), this, &ResultLists::copyFreeDomains)
        ->setEnabled(model(ResultList::Free).count() > 0);
    menu.addSeparator();
    // A domain has a TLD; an invalid name's entry has none to look up.
    const bool oneDomain = domains.size() == 1 && domains.constFirst().contains(QLatin1Char('.'));
    QAction* lookUp = menu.addAction(QStringLiteral("&Look up in single search"));
    lookUp->setEnabled(oneDomain);
    connect(lookUp, &QAction::triggered, this, [this, domains] { emit lookUpRequested(domains.constFirst()); });
    menu.exec(view->viewport()->mapToGlobal(at));
}

bool ResultLists::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+C copies the domains, not the entries' texts.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelectedDomains();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
