#include "cli/CliSession.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include <QCoreApplication>
#include <csignal>
#include <cstdio>

namespace {
int usageError(const QString& reason)
{
    std::fprintf(stderr, "tarnwick-cli: %s\n", reason.toUtf8().constData());
    return ExitUsage;
}

void print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

// Standard error belongs to the message boxes and to usage errors, which scripts read;
// Qt's own chatter stays out of it, only its serious failures get through.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "tarnwick-cli: %s\n", message.toUtf8().constData());
}
} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(qtMessages);
    // A reader of standard output that goes away is a write error (EPIPE), which stops the
    // search, not a signal that would end the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-cli"));

    const ParsedCommandLine parsed = ParseCommandLine(QCoreApplication::arguments());
    switch (parsed.outcome) {
    case ParsedCommandLine::Outcome::Help:
        print(HelpText());
        return ExitSuccess;
    case ParsedCommandLine::Outcome::Version:
        print(VersionText());
        return ExitSuccess;
    case ParsedCommandLine::Outcome::UsageError:
        return usageError(parsed.error);
    case ParsedCommandLine::Outcome::Run:
        break;
    }

    const CliArguments& arguments = parsed.arguments;
    const std::unique_ptr<Command> command = Command::Create(arguments.command);
    if (!command)
        return usageError(QStringLiteral("unknown command '%1'").arg(arguments.command));
    if (const QString error = command->ArgumentError(arguments.commandArguments); !error.isEmpty())
        return usageError(error);

    CliSession session(arguments);
    if (const QString error = session.Open(command->NeedsDictionary()); !error.isEmpty())
        return usageError(error);
    return command->Execute(session, arguments.commandArguments);
}
