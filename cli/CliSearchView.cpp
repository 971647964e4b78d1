#include "cli/CliSearchView.h"
#include "cli/Console.h"
#include "cli/DomainRecord.h"
#include "cli/ProgressLine.h"
#include "engine/lookup/LookUp.h"
#include <QStringList>
#include <algorithm>

namespace {
// While the search list is built, every result list shows this one line.
const QString kBuildingList = QStringLiteral("Building list of domain names to check...");

// An entry of a text box may hold CRs of its own; each one is a line break.
QString withLineBreaks(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
} // namespace

CliSearchView::CliSearchView(Console& console, ProgressLine& progress)
    : console_(console)
    , progress_(progress)
{
}

void CliSearchView::clearSingleResults()
{
    singleResults_.clear();
}

void CliSearchView::addSingleResult(const QString& line)
{
    singleResults_.append(line);
    console_.printResult(withLineBreaks(line));
}

void CliSearchView::insertResultAtTop(ResultList list, const QString& entry)
{
    if (entry == kBuildingList) {
        if (list == ResultList::All)
            progress_.showStatus(entry);
        return;
    }
    // Every result is in the all-results list, and in one category list besides. The
    // records are printed when the run tells how the verdict came about, right after.
    if (list != ResultList::All)
        return;
    if (format_ == OutputFormat::Text)
        console_.printResult(withLineBreaks(entry));
    else
        lastEntry_ = entry;
}

namespace {
QString verdictName(LookupVerdict verdict)
{
    switch (verdict) {
    case LookupVerdict::Free: return QStringLiteral("free");
    case LookupVerdict::Taken: return QStringLiteral("taken");
    case LookupVerdict::Reserved: return QStringLiteral("reserved");
    case LookupVerdict::Closed: return QStringLiteral("closed");
    case LookupVerdict::ServerError:
    case LookupVerdict::LookupFailed: break;
    }
    return QStringLiteral("error");
}

// The entry's text after "DOMAIN : ".
QString statusOf(const QString& entry, const QString& shown)
{
    const QString prefix = shown + QStringLiteral(" : ");
    return entry.startsWith(prefix) ? entry.mid(prefix.size()) : entry;
}
} // namespace

void CliSearchView::recordVerdict(const QString& domain, LookupVerdict verdict, const LookupReason& reason)
{
    if (verdict == LookupVerdict::ServerError || verdict == LookupVerdict::LookupFailed)
        ++domainErrors_;
    if (format_ == OutputFormat::Text)
        return;
    // A name keeps only letters, digits and "-": its TLD starts at the first dot.
    const qsizetype dot = domain.indexOf(QLatin1Char('.'));
    DomainRecord r;
    r.domain = QueryForm(domain.toLower());
    r.name = domain.left(dot);
    r.tld = dot < 0 ? QString() : domain.mid(dot);
    r.verdict = verdictName(verdict);
    r.status = statusOf(lastEntry_, domain);
    r.route = RouteName(reason.Route);
    r.server = reason.Server;
    r.reason = reason.Text;
    r.ms = std::max<qint64>(reason.Ms, 0);
    console_.printResult(RecordLine(format_, r));
}

void CliSearchView::recordInvalid(const QString& name, const QString& why)
{
    if (format_ == OutputFormat::Text)
        return;
    DomainRecord r;
    r.domain = name.toLower();
    r.name = name;
    r.verdict = QStringLiteral("invalid");
    r.status = why;
    r.reason = why;
    console_.printResult(RecordLine(format_, r));
}

void CliSearchView::setProgressMaximum(qint64 maximum)
{
    progressMaximum_ = maximum;
    progress_.setTotal(maximum);
    // The run sets the maximum before its first domain (and again as fed names come).
    if (!progressStarted_)
        progress_.start();
    progressStarted_ = true;
}

void CliSearchView::setProgressPosition(qint64 position)
{
    progressPosition_ = position;
    progress_.update(position);
}

void CliSearchView::showRunNotice(const QString& text)
{
    console_.printMessage(QStringLiteral("Notice: ") + text);
}
