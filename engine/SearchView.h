#pragma once
#include "engine/MainOptions.h"
#include "engine/lookup/LookupReason.h"
#include "engine/lookup/LookupVerdict.h"
#include <QString>

// What the searches read from and write to the main window. TMainForm implements it;
// the CLI and the tests implement it too, so the engine never touches a widget.
class ISearchView {
public:
    // The four result lists of the "Search Results" tab.
    enum class ResultList { All, Free, Taken, Errors };   // AutoResults, DomainsFreeList, DomainsTakenList, DomainErrorsList

    virtual ~ISearchView() = default;

    // The option controls as they stand now.
    virtual MainOptions options() const = 0;
    // Puts values into the option controls, running their handlers as a user's change
    // would (used when options are loaded or reset).
    virtual void applyOptions(const MainOptions& options) = 0;

    // Single search output (SingleResults).
    virtual void clearSingleResults() = 0;
    virtual void addSingleResult(const QString& line) = 0;
    virtual void focusSingleEdit() = 0;
    // The single search's line above the reply: what it waits for ("Asking whois.nic.xyz ..."),
    // then the verdict ("kitchen.de is registered", "freebird.com is free", "no answer: ..."),
    // or "Stopped". Front ends that print only the reply leave it.
    enum class SingleState { Asking, Free, Taken, NoAnswer, Stopped };
    virtual void showSingleState(SingleState state, const QString& text)
    {
        Q_UNUSED(state);
        Q_UNUSED(text);
    }

    // Automated search output.
    virtual void clearResults(ResultList list) = 0;
    virtual void insertResultAtTop(ResultList list, const QString& entry) = 0;
    virtual void setCounterText(const QString& text) = 0;            // MultiplecountLbl
    virtual void setProgressMaximum(qint64 maximum) = 0;             // ProgressBar1
    virtual void setProgressPosition(qint64 position) = 0;
    virtual void showSearchResultsTab() = 0;

    // How the verdict of each checked domain ("NAME.tld") was reached, as the run makes
    // its entry. The window keeps nothing of it; front ends that print reasons do.
    virtual void recordVerdict(const QString& domain, LookupVerdict verdict, const LookupReason& reason)
    {
        Q_UNUSED(domain);
        Q_UNUSED(verdict);
        Q_UNUSED(reason);
    }
    // A name that cannot be looked up, with the reason its one error entry gives.
    virtual void recordInvalid(const QString& name, const QString& why)
    {
        Q_UNUSED(name);
        Q_UNUSED(why);
    }

    // Something the run changed about itself, said once ("DNS pre-check off for .com: ...").
    virtual void showRunNotice(const QString& text) = 0;

    // Idle (false) or running (true): Start, Stop and OptPanel follow.
    virtual void UpdateDisplayforStart(bool running) = 0;
};
