#include "platform/ShellOpen.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {

const QString kDiskAdvice = QStringLiteral("Try running a disk maintenance program such as\r")
    + QStringLiteral("Scandisk.  If the problem persists, you may have to reinstall.") + QStringLiteral("\r");

const QString kInUseAdvice = QStringLiteral("Close any other program that may be using the file and try again.")
    + QStringLiteral("Try restarting your machine as a means of unloading any other program") + QStringLiteral("\r")
    + QStringLiteral("that may be using this file.");

// The folder part of a target: everything up to and including its last backslash or
// colon, so a web address is cut after its scheme or port. A local path is cut at its
// last "/" as well, the separator of this platform.
QString FolderPart(const QString& target)
{
    qsizetype cut = qMax(target.lastIndexOf(QLatin1Char('\\')), target.lastIndexOf(QLatin1Char(':')));
    const QUrl url(target);
    const bool webAddress = url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
    if (!webAddress)
        cut = qMax(cut, target.lastIndexOf(QLatin1Char('/')));
    return target.left(cut + 1);
}

// The local file a target names: a plain path, or the path of a file: URL. Other
// links (http:, mailto:, ...) name no local file.
QString LocalPathOf(const QString& target)
{
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1) {
        if (url.isLocalFile())
            return url.toLocalFile();
        return {};
    }
    return target;
}

// Codes the shell gives for a local target before any program is asked.
int CheckLocalTarget(const QFileInfo& file)
{
    if (!file.exists())
        return QFileInfo(file.absolutePath()).isDir() ? ShellCode::FileNotFound : ShellCode::PathNotFound;
    if (!file.isReadable())
        return ShellCode::AccessDenied;
    return ShellCode::Opened;
}

// xdg-open's exit status as a shell code:
//   0  the opener took the target                  -> 42 (success)
//   1  the command line was not accepted           -> 27 (association incomplete or invalid)
//   2  a file named on the command line is missing -> 2  (file not found)
//   3  no tool to open the target could be found   -> 31 (no association: success, no message)
//   4  the opening program failed                  -> 27 (association incomplete or invalid)
//   any other status                               -> 27
// xdg-open itself missing counts as 3 (nothing can open the target: 31); a crash of
// the opener as 0 (out of resources). An opener still running after the wait has
// accepted the target: 42.
int CodeForExitStatus(int status)
{
    switch (status) {
    case 0: return ShellCode::Opened;
    case 2: return ShellCode::FileNotFound;
    case 3: return ShellCode::NoAssociation;
    default: return ShellCode::AssociationIncomplete;
    }
}

} // namespace

XdgOpenLauncher::XdgOpenLauncher(QString program, int waitMs)
    : program_(std::move(program))
    , waitMs_(waitMs)
{
}

XdgOpenLauncher::~XdgOpenLauncher()
{
    for (const QPointer<QProcess>& process : reporting_)
        if (process)
            QObject::disconnect(process, nullptr, nullptr, nullptr);
}

// The opener, not started yet; owned by the application, so an opener that stays in the
// foreground goes on when the caller is done with it. It removes itself when it ends.
QProcess* XdgOpenLauncher::MakeOpener(const QString& target)
{
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(program_);
    process->setArguments({target});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return process;
}

void XdgOpenLauncher::OpenWithoutWaiting(const QString& target, std::function<void(int code)> done)
{
    reporting_.removeAll(nullptr);
    QProcess* process = MakeOpener(target);
    reporting_.append(process);
    QObject::connect(process, &QProcess::finished, process, [process, done](int status, QProcess::ExitStatus how) {
        done(how == QProcess::CrashExit ? ShellCode::OutOfMemory : CodeForExitStatus(status));
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, done](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        // Nothing could open the link: no opener installed.
        done(ShellCode::NoAssociation);
        process->deleteLater();
    });
    process->start();
}

int XdgOpenLauncher::Open(const QString& target, const QString& parameters)
{
    if (target.isEmpty())
        return ShellCode::FileNotFound;

    const QString localPath = LocalPathOf(target);
    if (!localPath.isEmpty()) {
        const QFileInfo file(localPath);
        const int code = CheckLocalTarget(file);
        if (code != ShellCode::Opened)
            return code;
        // A program with parameters is run itself; xdg-open takes no parameters.
        if (!parameters.isEmpty() && file.isFile() && file.isExecutable()) {
            return QProcess::startDetached(file.absoluteFilePath(), QProcess::splitCommand(parameters))
                ? ShellCode::Opened
                : ShellCode::BadFormat;
        }
    }

    QProcess* process = MakeOpener(target);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return ShellCode::NoAssociation;
    }

    // Wait for the verdict with the window repainting, but without user input, so
    // no second click can arrive in the middle.
    if (process->state() != QProcess::NotRunning) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
        timer.start(waitMs_);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (process->state() != QProcess::NotRunning)
        return ShellCode::Opened;
    if (process->exitStatus() == QProcess::CrashExit)
        return ShellCode::OutOfMemory;
    return CodeForExitStatus(process->exitCode());
}

QString ShellErrorText(int code, const QString& target)
{
    switch (code) {
    case ShellCode::OutOfMemory:
        return QStringLiteral("The operating system is out of memory or resources.\r\rTry closing some programs you have running\rbefore attempting to run this program.");
    case ShellCode::FileNotFound:
        return QStringLiteral("The file could not be found.\r\rFile: ") + target + QStringLiteral("\r") + QStringLiteral("\r") + kDiskAdvice;
    case ShellCode::PathNotFound:
        return QStringLiteral("The path could not be found.\r\rPath: ") + FolderPart(target) + QStringLiteral("\r") + QStringLiteral("\r") + kDiskAdvice;
    case ShellCode::AccessDenied:
        return QStringLiteral("The operating system has denied you access to the following file :\r\r") + target + QStringLiteral("\r") + QStringLiteral("\r") + kInUseAdvice;
    case ShellCode::BadFormat:
        return QStringLiteral("The Program file you are trying to call has become corrupted.\r\r\r") + target + QStringLiteral("\r") + QStringLiteral("\r") + kDiskAdvice;
    case ShellCode::SharingViolation:
        return QStringLiteral("There was a sharing violation whilst attempting to run the\rfollowing file : \r\r") + target + QStringLiteral("\r\r") + kInUseAdvice;
    case ShellCode::AssociationIncomplete:
        return QStringLiteral("The filename association is incomplete or invalid.\r\r\r") + target + QStringLiteral("\r") + QStringLiteral("\r") + kDiskAdvice;
    default:
        return {};
    }
}

bool ShellOpen(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& target, const QString& parameters)
{
    const int code = launcher.Open(target, parameters);
    const QString text = ShellErrorText(code, target);
    if (text.isEmpty())
        return true;
    boxes.Show(MessageKind::Error, text, MbOk);
    return false;
}

QString NoBrowserText(const QString& link)
{
    return QStringLiteral("The web page could not be opened:\r\r") + link
        + QStringLiteral("\r\rNo web browser or program to open links was found on this computer.\r")
        + QStringLiteral("Please open this address in your web browser yourself.");
}

void ShellOpenURL(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& link)
{
    launcher.OpenWithoutWaiting(link, [&boxes, link](int code) {
        const QString text = code == ShellCode::NoAssociation ? NoBrowserText(link) : ShellErrorText(code, link);
        if (!text.isEmpty())
            boxes.Show(MessageKind::Error, text, MbOk);
    });
}
