#pragma once
#include "engine/MainOptions.h"
#include "engine/runs/ResumePoint.h"
#include <QString>
#include <QStringList>
#include <memory>

class TMisc1;
class INameFeed;
class ISearchView;
class TLookupPipeline;
struct LookupReason;
enum class MessageKind;

// One automated search run: asks about the results file, builds the search list and
// checks every name under every ticked TLD, newest result at the top of the lists,
// oldest first in the results file. An object lives for one run and holds that run's
// state; TMisc1::RunMultipleSearch makes one and runs it.
//
// Stop is honoured after every domain, whatever its outcome: a domain whose lookup was
// interrupted by Stop gets no entry and no file line, and the run ends there.
//
// With more than one lookup allowed at once (Lookup/Parallel), the lookups run ahead in
// a pipeline; the run takes their verdicts in list order, so its entries, counters,
// questions and file are those of one lookup at a time.
//
// With a name feed, the names come from the feed instead of the name sources, each as
// soon as it is there, and a name that came with its own TLD is checked under that one.
class TAutomatedRun {
public:
    TAutomatedRun(TMisc1& engine, ISearchView& view, INameFeed* feed = nullptr);
    ~TAutomatedRun();
    void Run();

private:
    // What a step tells the loop: carry on, or end the run here.
    enum class Next { Continue, End };

    bool PrepareResultsFile(const MainOptions& options);
    bool CollectTickedTLDs();
    bool NameReady(int index, int nameCount);
    bool MoreLeftThan(qint64 count);
    QStringList TldsOf(int nameIndex) const;
    bool ReportedInvalid(const QString& name, qsizetype tldCount);
    Next CheckDomain(int nameIndex, int tldIndex);
    // A question of the run; the lookups in flight go on, and nothing new starts meanwhile.
    int Ask(MessageKind kind, const QString& text, int buttons);
    Next WriteResult(const QString& line);
    Next AskAboutFirstError(bool lastLookupWasWhois, const LookupReason& reason);
    // The error questions: Yes, or "do not ask again" (then true from here on).
    bool AnsweredContinue(const QString& question);
    // Continuing a stopped run: the names before its point leave the list.
    void SkipToResumePoint();
    void NoteNextDomain(int nameIndex, int tldIndex);
    bool StopPressed() const;
    void EndOnStop();
    void AdvanceProgress(qint64 steps);

    TMisc1& engine_;
    ISearchView& view_;
    INameFeed* feed_;

    bool saveResults_ = false;       // results still go to the file
    bool headerWritten_ = false;     // this run's header block is in the file
    bool firstErrorAsked_ = false;   // the continue-after-an-error question has had its turn
    bool errorsAnswered_ = false;    // "Continue and do not ask again in this search"
    ResumePoint resume_;             // where a continued run begins; invalid for a new one
    int nameOffset_ = 0;             // names of the list that a continued run left out
    int tldOffset_ = 0;              // TLDs of its first name that it left out
    MainOptions options_;
    QString fingerprint_;            // of this run's options and ticked TLDs
    QStringList tickedTLDs_;
    std::unique_ptr<TLookupPipeline> pipeline_;   // none with one lookup at a time
    qint64 progressMaximum_ = 0;
    qint64 progressPosition_ = 0;
    int namesCounted_ = 0;   // a feed's names in progressMaximum_
};
