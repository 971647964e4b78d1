#include "cli/AutoCommand.h"
#include "cli/CliSession.h"
#include "cli/Console.h"
#include "engine/Misc1.h"
#include "engine/runs/ResumePoint.h"

namespace {
// The command line's own place in LastSearch.ini; the window keeps another.
const QString kResumeSection = QStringLiteral("Cli");
}

int AutoCommand::Execute(CliSession& session, const QStringList&)
{
    TMisc1& engine = session.engine();
    const QString path = engine.settingsFile(ResumeFileName());
    if (session.arguments().resume) {
        const ResumePoint last = LoadResumePoint(path, kResumeSection);
        if (last.isValid() && last.fingerprint == RunFingerprint(session.view().options(), TickedTlds(engine.TLDInfoList)))
            engine.ResumeFrom = last;
        else
            session.console().printMessage(
                QStringLiteral("tarnwick-cli: no stopped search with these options to continue; starting from the first name"));
    }
    const int exitCode = session.RunAutomatedSearch();
    // A run that ended early is continued from its next domain by auto --resume.
    if (engine.LastRunFinished)
        SaveResumePoint(path, kResumeSection, ResumePoint());
    else if (engine.StoppedAt.isValid() && engine.CheckedCount > 0)
        SaveResumePoint(path, kResumeSection, engine.StoppedAt);
    return exitCode;
}
