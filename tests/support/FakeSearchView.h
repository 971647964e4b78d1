#pragma once
#include "engine/SearchView.h"
#include <QStringList>
#include <functional>

// A search view without a window: holds the options in a struct and records output.
// Result lists keep the screen order (newest first).
class FakeSearchView : public ISearchView {
public:
    MainOptions opts;
    QStringList singleResults;
    QStringList singleStates;        // every showSingleState text, oldest first
    QStringList lists[4];            // indexed by ResultList
    QString counterText;
    qint64 progressMaximum = 0;
    qint64 progressPosition = 0;
    bool resultsTabShown = false;
    bool running = false;
    int focusCount = 0;
    int applyCount = 0;
    QList<bool> displayCalls;        // every UpdateDisplayforStart argument
    std::function<void()> onInsert;  // runs after every insertResultAtTop
    struct Verdict {
        QString domain;
        LookupVerdict verdict;
        LookupReason reason;
    };
    QList<Verdict> verdicts;         // every recordVerdict, oldest first
    QStringList notices;             // every showRunNotice

    QStringList& list(ResultList l) { return lists[static_cast<int>(l)]; }

    MainOptions options() const override { return opts; }
    void applyOptions(const MainOptions& o) override { opts = o; ++applyCount; }
    void clearSingleResults() override { singleResults.clear(); }
    void addSingleResult(const QString& line) override { singleResults.append(line); }
    void focusSingleEdit() override { ++focusCount; }
    void showSingleState(SingleState, const QString& text) override { singleStates.append(text); }
    void clearResults(ResultList l) override { list(l).clear(); }
    void insertResultAtTop(ResultList l, const QString& entry) override
    {
        list(l).prepend(entry);
        if (onInsert)
            onInsert();
    }
    void recordVerdict(const QString& d, LookupVerdict v, const LookupReason& r) override { verdicts.append({d, v, r}); }
    void showRunNotice(const QString& text) override { notices.append(text); }
    void setCounterText(const QString& t) override { counterText = t; }
    void setProgressMaximum(qint64 m) override { progressMaximum = m; }
    void setProgressPosition(qint64 p) override { progressPosition = p; }
    void showSearchResultsTab() override { resultsTabShown = true; }
    void UpdateDisplayforStart(bool r) override
    {
        running = r;
        displayCalls.append(r);
    }
};
