#include "cli/CliSearchView.h"
#include "cli/Console.h"
#include "cli/ProgressLine.h"
#include <QStringList>

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
    // Every result is in the all-results list, and in one category list besides.
    if (list == ResultList::All)
        console_.printResult(withLineBreaks(entry));
}

void CliSearchView::setProgressMaximum(qint64 maximum)
{
    progressMaximum_ = maximum;
    // The run sets the maximum once the search list is built, before its first domain.
    progress_.start();
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
