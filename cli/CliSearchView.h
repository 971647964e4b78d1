#pragma once
#include "cli/CommandLine.h"
#include "engine/SearchView.h"
#include <QStringList>

class Console;
class ProgressLine;

// The main window as tarnwick-cli shows it: the options come from the settings (with
// the command line's overrides) and stay as they are; the single search's lines and
// the entries of the all-results list go to standard output as they are made, oldest
// first (or, in the tsv and jsonl formats, a record per domain); counters and progress
// feed the progress line.
class CliSearchView : public ISearchView {
public:
    CliSearchView(Console& console, ProgressLine& progress);

    void setFormat(OutputFormat format) { format_ = format; }

    MainOptions options() const override { return options_; }
    void applyOptions(const MainOptions& options) override { options_ = options; }

    void clearSingleResults() override;
    void addSingleResult(const QString& line) override;
    void focusSingleEdit() override {}

    void clearResults(ResultList) override {}
    void insertResultAtTop(ResultList list, const QString& entry) override;
    void setCounterText(const QString& text) override { counterText_ = text; }
    void setProgressMaximum(qint64 maximum) override;
    void setProgressPosition(qint64 position) override;
    void showSearchResultsTab() override {}
    void showRunNotice(const QString& text) override;
    void UpdateDisplayforStart(bool) override {}
    void recordVerdict(const QString& domain, LookupVerdict verdict, const LookupReason& reason) override;
    void recordInvalid(const QString& name, const QString& why) override;

    // What the single search's results box holds now.
    const QStringList& singleResults() const { return singleResults_; }
    const QString& counterText() const { return counterText_; }
    // The run advanced the position all the way to the maximum it set (none: it set none).
    bool runReachedEnd(bool withoutDomains) const
    {
        return (progressMaximum_ > 0 || withoutDomains) && progressPosition_ >= progressMaximum_;
    }
    // Domains whose verdict was an error: the server could not be asked or reported one.
    int domainErrors() const { return domainErrors_; }

private:
    Console& console_;
    ProgressLine& progress_;
    OutputFormat format_ = OutputFormat::Text;
    QString lastEntry_;   // of the all-results list
    int domainErrors_ = 0;
    bool progressStarted_ = false;
    MainOptions options_;
    QStringList singleResults_;
    QString counterText_;
    qint64 progressMaximum_ = 0;
    qint64 progressPosition_ = 0;
};
