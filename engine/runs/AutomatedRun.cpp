#include "engine/runs/AutomatedRun.h"
#include "engine/Misc1.h"
#include "engine/lookup/TldPolicy.h"
#include "engine/runs/ResultsFile.h"
#include "engine/runs/LookupPipeline.h"
#include "engine/runs/NameFeed.h"
#include <QFile>
#include <exception>

namespace {
using ResultList = ISearchView::ResultList;

const QString kErrorCheckingServer = QStringLiteral("There was an error checking the server.\r\rDo you wish to continue ?");

// The error question with the server that failed and why.
QString ErrorQuestion(const LookupReason& reason)
{
    if (reason.Server.isEmpty() && reason.Text.isEmpty())
        return kErrorCheckingServer;
    QString text = QStringLiteral("There was an error checking the server");
    if (!reason.Server.isEmpty())
        text += QStringLiteral(" ") + reason.Server;
    text += QStringLiteral(".");
    if (!reason.Text.isEmpty())
        text += QStringLiteral("\r") + reason.Text;
    return text + QStringLiteral("\r\rDo you wish to continue ?");
}
const QString kNoTickedTld = QStringLiteral("You have not selected any top level domains to check");

QString OverwriteQuestion(const QString& path)
{
    return QStringLiteral("Do you wish to overwrite \r\r") + path + QStringLiteral("\r\r")
        + QStringLiteral("with the results from this search ?") + QStringLiteral("\r\r")
        + QStringLiteral("Press Yes to overwrite the file,\r") + QStringLiteral("No to append the results from this search,")
        + QStringLiteral("\r") + QStringLiteral("or Cancel to cancel the search.");
}

QString ContinueAnywayQuestion(const QString& problem, const QString& path)
{
    return problem + path + QStringLiteral("\r\r") + QStringLiteral("Do you wish to continue the search anyway ?");
}

// The entry a verdict puts into the lists, and the list it goes to besides AutoResults.
struct VerdictEntry {
    QString text;
    ResultList list;
};

VerdictEntry EntryFor(LookupVerdict verdict, const QString& domain, const QString& tld)
{
    switch (verdict) {
    case LookupVerdict::Free:
        // Free, yet only for those who meet the registry's rules.
        if (PolicyOfTld(tld) == TldPolicy::Restricted)
            return {domain + QStringLiteral(" : FREE (eligibility rules apply), Click on the Register Domain button now !"),
                    ResultList::Free};
        return {domain + QStringLiteral(" : FREE, Click on the Register Domain button now !"), ResultList::Free};
    case LookupVerdict::Taken:
        return {domain + QStringLiteral(" : Registered"), ResultList::Taken};
    case LookupVerdict::Reserved:
        return {domain + QStringLiteral(" : Reserved by the registry"), ResultList::Taken};
    case LookupVerdict::Closed:
        return {domain + QStringLiteral(" : Not open to the public (brand TLD)"), ResultList::Taken};
    case LookupVerdict::ServerError:
        return {domain + QStringLiteral(" : Error"), ResultList::Errors};
    case LookupVerdict::LookupFailed:
        break;
    }
    return {domain + QStringLiteral(" : ") + VerdictStatusText(LookupVerdict::LookupFailed), ResultList::Errors};
}
} // namespace

void TMisc1::RunMultipleSearch(INameFeed* feed)
{
    if (!view_)
        return;
    // Nothing unexpected may escape into the Start handler, which returns the window to idle.
    try {
        TAutomatedRun(*this, *view_, feed).Run();
    } catch (const std::exception&) {
    }
}

TAutomatedRun::TAutomatedRun(TMisc1& engine, ISearchView& view, INameFeed* feed)
    : engine_(engine)
    , view_(view)
    , feed_(feed)
{
}

TAutomatedRun::~TAutomatedRun() = default;

int TAutomatedRun::Ask(MessageKind kind, const QString& text, int buttons)
{
    if (pipeline_)
        pipeline_->SetPaused(true);
    const int answer = engine_.ShowMessage(kind, text, buttons);
    if (pipeline_)
        pipeline_->SetPaused(false);
    return answer;
}

void TAutomatedRun::Run()
{
    const MainOptions options = view_.options();
    options_ = options;
    resume_ = feed_ ? ResumePoint() : engine_.ResumeFrom;
    engine_.ResumeFrom = ResumePoint();
    engine_.StoppedAt = ResumePoint();
    engine_.LastRunFinished = false;
    saveResults_ = options.SaveCheck;
    firstErrorAsked_ = false;
    headerWritten_ = false;

    if (options.SoundexCheck && options.SoundexEdit.size() < 3) {
        engine_.ShowMessage(MessageKind::Error, QStringLiteral("You must use at least 3 characters for a Sounds like search"),
                            MbOk | MbNo);
        return;
    }
    if (!PrepareResultsFile(options))
        return;

    view_.showSearchResultsTab();
    if (!CollectTickedTLDs())
        return;
    fingerprint_ = RunFingerprint(options_, tickedTLDs_);

    int nameCount = 0;   // a feed's names count as they come
    progressPosition_ = 0;
    if (!feed_) {
        engine_.PrepareList();
        if (StopPressed())
            return;
        SkipToResumePoint();
        nameCount = engine_.SearchList.count();
        if (nameCount == 0) {
            engine_.ShowMessage(MessageKind::Warning, QStringLiteral("There are no entries that match your criteria"), MbOk);
            view_.UpdateDisplayforStart(false);
            return;
        }
        progressMaximum_ = qint64(nameCount) * tickedTLDs_.size() - tldOffset_;
        view_.setProgressMaximum(progressMaximum_);
        view_.setProgressPosition(0);
    }
    // Every lookup of the run goes through the pipeline, which with one lookup at a time
    // asks one server at a time, paced like any run.
    pipeline_ = std::make_unique<TLookupPipeline>(
        engine_, [this](int nameIndex) { return TldsOf(nameIndex); },
        TLookupPipeline::Settings{engine_.LookupParallel, engine_.LookupPerServer, engine_.DnsPrecheck,
                                  engine_.LookupSelfCheck, [this](const QString& text) { view_.showRunNotice(text); }});
    QStringList asked = tickedTLDs_;
    asked.removeIf(IsClosedTld);   // a brand TLD's names are not asked, in DNS either
    pipeline_->CheckResolver(asked, [this](const QString& text) { view_.showRunNotice(text); });
    if (StopPressed()) {
        EndOnStop();
        return;
    }

    for (int i = 0; NameReady(i, nameCount); ++i) {
        const QString name = engine_.SearchList.at(i);
        const QStringList tlds = TldsOf(i);
        NoteNextDomain(i, 0);
        if (!ReportedInvalid(name, tlds.size())) {
            for (int t = 0; t < tlds.size(); ++t) {
                if (CheckDomain(i, t) == Next::End)
                    return;
            }
        }
        NoteNextDomain(i + 1, 0);
        // A run of invalid names must be stoppable too.
        if (StopPressed()) {
            EndOnStop();
            return;
        }
    }
    // Stop pressed while the feed waited for its next name.
    if (StopPressed()) {
        EndOnStop();
        return;
    }
    engine_.StoppedAt = ResumePoint();
    engine_.LastRunFinished = true;
    view_.UpdateDisplayforStart(false);
}

// A continued run checks what the stopped one left: the names before its point leave the
// search list, and its first name keeps only the TLDs from the point on. A list that is
// not the one the point was taken from is checked from its start.
void TAutomatedRun::SkipToResumePoint()
{
    if (!resume_.isValid())
        return;
    if (resume_.nameIndex >= engine_.SearchList.count() || engine_.SearchList.at(resume_.nameIndex) != resume_.name
        || tickedTLDs_.value(resume_.tldIndex) != resume_.tld) {
        engine_.ShowMessage(MessageKind::Information,
                            QStringLiteral("The list of names is not the one of the stopped search: this search starts "
                                           "from its first name."),
                            MbOk);
        resume_ = ResumePoint();
        return;
    }
    const QStringList names = engine_.SearchList.toStringList();
    engine_.SearchList.clear();
    engine_.SearchList.AddItems(names.mid(resume_.nameIndex));
    nameOffset_ = resume_.nameIndex;
    tldOffset_ = resume_.tldIndex;
}

// The first domain without a result, for a later run to go on from.
void TAutomatedRun::NoteNextDomain(int nameIndex, int tldIndex)
{
    if (feed_)
        return;
    const QStringList tlds = nameIndex < engine_.SearchList.count() ? TldsOf(nameIndex) : QStringList();
    if (tldIndex >= tlds.size()) {
        ++nameIndex;
        tldIndex = 0;
    }
    ResumePoint next;
    if (nameIndex < engine_.SearchList.count()) {
        next.nameIndex = nameOffset_ + nameIndex;
        next.tldIndex = (nameIndex == 0 ? tldOffset_ : 0) + tldIndex;
        next.name = engine_.SearchList.at(nameIndex);
        next.tld = tickedTLDs_.value(next.tldIndex);
        next.fingerprint = fingerprint_;
    }
    engine_.StoppedAt = next;
}

// Whether name `index` is there to be checked. The count is checked again at every name:
// the lists are released when the window closes, which can happen while messages are
// processed. A feed's names join the progress as they come.
bool TAutomatedRun::NameReady(int index, int nameCount)
{
    if (!feed_)
        return index < nameCount && index < engine_.SearchList.count();
    while (namesCounted_ <= index) {
        if (!feed_->WaitForName(namesCounted_))
            return false;
        progressMaximum_ += TldsOf(namesCounted_++).size();
        view_.setProgressMaximum(progressMaximum_);
    }
    return true;
}

// Whether more than `count` domains lie beyond the progress position. A feed is asked for
// names ahead (and waited for) only when a question depends on it.
bool TAutomatedRun::MoreLeftThan(qint64 count)
{
    while (progressPosition_ + count >= progressMaximum_)
        if (!feed_ || !NameReady(namesCounted_, 0))
            return false;
    return true;
}

QStringList TAutomatedRun::TldsOf(int nameIndex) const
{
    if (feed_) {
        const QString own = feed_->TldOf(nameIndex);
        if (!own.isEmpty())
            return {own};
    }
    if (nameIndex == 0 && tldOffset_ > 0)
        return tickedTLDs_.mid(tldOffset_);
    return tickedTLDs_;
}

// The overwrite/append/cancel question and, when the old file cannot be deleted, whether
// to go on without saving. False ends the run.
bool TAutomatedRun::PrepareResultsFile(const MainOptions& options)
{
    if (!options.SaveCheck)
        return true;
    const QString& path = options.AutoSaveEdit;
    // A continued run adds the rest of its results to the file of the stopped one.
    if (resume_.isValid() && QFile::exists(path)) {
        headerWritten_ = true;
        return true;
    }
    if (QFile::exists(path)) {
        const MessageButton answer = engine_.ShowMessage(MessageKind::Question, OverwriteQuestion(path), MbYes | MbNo | MbCancel);
        if (answer == MbCancel)
            return false;
        if (answer == MbYes)
            saveResults_ = QFile::remove(path);
    }
    if (!saveResults_) {
        const QString question = ContinueAnywayQuestion(QStringLiteral("There was a problem deleting the log file :\r\r"), path);
        if (engine_.ShowMessage(MessageKind::Question, question, MbYes | MbNo) != MbYes) {
            view_.UpdateDisplayforStart(false);
            return false;
        }
    }
    return true;
}

bool TAutomatedRun::CollectTickedTLDs()
{
    tickedTLDs_.clear();
    for (int i = 0; i < engine_.TLDInfoList.Count(); ++i) {
        const TLDInfo& entry = engine_.TLDInfoList.At(i);
        if (entry.Checked)
            tickedTLDs_.append(entry.TLD);
    }
    // A feed's names may come with TLDs of their own.
    if (!tickedTLDs_.isEmpty() || feed_)
        return true;
    engine_.ShowMessage(MessageKind::Warning, kNoTickedTld, MbOk);
    view_.UpdateDisplayforStart(false);
    return false;
}

// An invalid name (or a fed name without a TLD when none is ticked) gets one error entry
// for all its TLDs, counts once, and writes no file line. True when the name was invalid.
bool TAutomatedRun::ReportedInvalid(const QString& name, qsizetype tldCount)
{
    QString message = engine_.IsValidAddress(name);
    if (message.isEmpty() && tldCount == 0)
        message = kNoTickedTld;
    if (message.isEmpty())
        return false;
    const QString entry = name + QStringLiteral(" : ") + message;
    view_.insertResultAtTop(ResultList::All, entry);
    view_.insertResultAtTop(ResultList::Errors, entry);
    view_.recordInvalid(name, message);
    engine_.UpdateMultipleCount(QStringLiteral("E"));
    AdvanceProgress(tldCount);
    return true;
}

TAutomatedRun::Next TAutomatedRun::CheckDomain(int nameIndex, int tldIndex)
{
    const QString name = engine_.SearchList.at(nameIndex);
    const QString tld = TldsOf(nameIndex).at(tldIndex);
    const TLDInfo* entry = engine_.TLDInfoList.Find(tld);
    bool isWhois = false;
    JudgeDetails details;
    LookupVerdict verdict = LookupVerdict::LookupFailed;
    if (!entry) {
        // A fed name's own TLD that the table lacks (or a table changed under the run):
        // there is no server to ask.
        details.Reason.Text = tld + QStringLiteral(" is not in the table of TLDs in use");
    } else {
        const TLookupPipeline::Outcome outcome = pipeline_->Await(nameIndex, tldIndex);
        verdict = outcome.verdict;
        isWhois = outcome.isWhois;
        details = outcome.details;
    }
    // Stop pressed during the lookup (which ends its network wait at once) or before
    // the reply was judged: this domain gets no entry and no file line.
    if (StopPressed() || details.QueryStopped) {
        EndOnStop();
        return Next::End;
    }
    const QString domain = name + tld;
    const QString status = VerdictStatusText(verdict);
    const VerdictEntry shown = EntryFor(verdict, domain, tld);
    view_.insertResultAtTop(ResultList::All, shown.text);
    view_.insertResultAtTop(shown.list, shown.text);
    view_.recordVerdict(domain, verdict, details.Reason);
    const bool domainError = verdict == LookupVerdict::ServerError || verdict == LookupVerdict::LookupFailed;

    // The run's last domain asks nothing: there is nothing left to continue with.
    if (verdict == LookupVerdict::ServerError && MoreLeftThan(1) && !AnsweredContinue(ErrorQuestion(details.Reason)))
        return Next::End;

    engine_.UpdateMultipleCount(status);
    AdvanceProgress(1);

    if (saveResults_ && WriteResult(domain + QStringLiteral(" : ") + status) == Next::End)
        return Next::End;
    NoteNextDomain(nameIndex, tldIndex + 1);
    if (domainError && AskAboutFirstError(isWhois, details.Reason) == Next::End)
        return Next::End;

    // Stop pressed while the counters or a question were handled.
    if (StopPressed()) {
        EndOnStop();
        return Next::End;
    }
    return Next::Continue;
}

// Writes one result line, after this run's header block when it is the first. A failed
// write stops all further writing; the user chooses whether the run goes on.
TAutomatedRun::Next TAutomatedRun::WriteResult(const QString& line)
{
    const QString path = view_.options().AutoSaveEdit;
    bool written = true;
    if (!headerWritten_) {
        written = WriteResultsHeader(path);
        headerWritten_ = true;
    }
    if (written)
        written = WriteResultLine(path, line, false);
    if (written)
        return Next::Continue;

    saveResults_ = false;
    const QString question = ContinueAnywayQuestion(QStringLiteral("There was a problem saving the log file :\r\r"), path);
    if (Ask(MessageKind::Question, question, MbYes | MbNo) == MbYes)
        return Next::Continue;
    view_.UpdateDisplayforStart(false);
    return Next::End;
}

// Asked once per run, at the first domain that ended in an error; not asked when at
// most one domain is left to check.
TAutomatedRun::Next TAutomatedRun::AskAboutFirstError(bool lastLookupWasWhois, const LookupReason& reason)
{
    if (firstErrorAsked_)
        return Next::Continue;
    if (MoreLeftThan(1)) {
        QString question = ErrorQuestion(reason);
        if (lastLookupWasWhois && engine_.ProxySettingsDiffer())
            question.prepend(ProxyWarningText() + QStringLiteral("\r\r"));
        if (!AnsweredContinue(question))
            return Next::End;
    }
    firstErrorAsked_ = true;
    return Next::Continue;
}

bool TAutomatedRun::AnsweredContinue(const QString& question)
{
    if (errorsAnswered_)
        return true;
    const int answer = Ask(MessageKind::Error, question, MbYes | MbNo | MbContinueAll);
    errorsAnswered_ = answer == MbContinueAll;
    return answer == MbYes || answer == MbContinueAll;
}

bool TAutomatedRun::StopPressed() const
{
    return engine_.StopRequest != 0;
}

void TAutomatedRun::EndOnStop()
{
    if (pipeline_)
        pipeline_->AbortAll();
    engine_.Disconnect();
    view_.UpdateDisplayforStart(false);
}

void TAutomatedRun::AdvanceProgress(qint64 steps)
{
    progressPosition_ += steps;
    view_.setProgressPosition(progressPosition_);
}
