#pragma once
#include "engine/SearchView.h"
#include <QStringList>

class Console;
class ProgressLine;

// The main window as tarnwick-cli shows it: the options come from the settings (with
// the command line's overrides) and stay as they are; the single search's lines and
// the entries of the all-results list go to standard output as they are made, oldest
// first; counters and progress feed the progress line.
class CliSearchView : public ISearchView {
public:
    CliSearchView(Console& console, ProgressLine& progress);

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

    // What the single search's results box holds now.
    const QStringList& singleResults() const { return singleResults_; }
    const QString& counterText() const { return counterText_; }
    // The run set its progress maximum and advanced the position all the way to it.
    bool runReachedEnd() const { return progressMaximum_ > 0 && progressPosition_ >= progressMaximum_; }

private:
    Console& console_;
    ProgressLine& progress_;
    MainOptions options_;
    QStringList singleResults_;
    QString counterText_;
    qint64 progressMaximum_ = 0;
    qint64 progressPosition_ = 0;
};
