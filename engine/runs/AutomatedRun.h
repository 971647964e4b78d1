#pragma once
#include "engine/MainOptions.h"
#include <QString>
#include <QStringList>

class TMisc1;
class ISearchView;

// One automated search run: asks about the results file, builds the search list and
// checks every name under every ticked TLD, newest result at the top of the lists,
// oldest first in the results file. An object lives for one run and holds that run's
// state; TMisc1::RunMultipleSearch makes one and runs it.
//
// Stop is honoured after every domain, whatever its outcome: a domain whose lookup was
// interrupted by Stop gets no entry and no file line, and the run ends there.
class TAutomatedRun {
public:
    TAutomatedRun(TMisc1& engine, ISearchView& view);
    void Run();

private:
    // What a step tells the loop: carry on, or end the run here.
    enum class Next { Continue, End };

    bool PrepareResultsFile(const MainOptions& options);
    bool CollectTickedTLDs();
    bool ReportedInvalid(const QString& name);
    Next CheckDomain(const QString& name, const QString& tld);
    Next WriteResult(const QString& line);
    Next AskAboutFirstError(bool lastLookupWasWhois);
    bool StopPressed() const;
    void EndOnStop();
    void AdvanceProgress(qint64 steps);

    TMisc1& engine_;
    ISearchView& view_;

    bool saveResults_ = false;       // results still go to the file
    bool headerWritten_ = false;     // this run's header block is in the file
    bool firstErrorAsked_ = false;   // the continue-after-an-error question has had its turn
    QStringList tickedTLDs_;
    qint64 progressMaximum_ = 0;
    qint64 progressPosition_ = 0;
};
