#pragma once
#include "platform/MessageBoxes.h"
#include <QList>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <functional>

// Handing documents and links to the desktop, with the numeric results of the
// Windows shell's Open operation: a code up to 32 is an error, anything above is
// success. The codes that the program explains to the user:
namespace ShellCode {
constexpr int OutOfMemory = 0;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int BadFormat = 11;
constexpr int SharingViolation = 26;
constexpr int AssociationIncomplete = 27;
constexpr int NoAssociation = 31;
constexpr int Opened = 42;   // any value above 32 means the request was accepted
}

// Opens a target (a file, a folder or a link) the way the desktop opens it.
class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    // Returns a shell code (ShellCode). `parameters` is used only when not empty.
    virtual int Open(const QString& target, const QString& parameters) = 0;
    // Opens `target` without waiting for the outcome, so the window goes on taking input;
    // `done` gets the shell code once it is known (it may never be called for an opener
    // that is still running when the program ends). By default: Open, then `done` at once.
    virtual void OpenWithoutWaiting(const QString& target, std::function<void(int code)> done)
    {
        done(Open(target, QString()));
    }
};

// The Linux launcher: runs xdg-open with the target as its one argument (never
// through a shell) and turns the outcome into a shell code; the mapping is
// described in ShellOpen.cpp.
class XdgOpenLauncher : public IShellLauncher {
public:
    // `program` is the opener to run; `waitMs` how long Open waits for its verdict
    // before taking the request as accepted (some openers stay in the foreground).
    explicit XdgOpenLauncher(QString program = QStringLiteral("xdg-open"), int waitMs = 10000);
    // Openers still running go on, but report nothing any more.
    ~XdgOpenLauncher() override;
    int Open(const QString& target, const QString& parameters) override;
    void OpenWithoutWaiting(const QString& target, std::function<void(int code)> done) override;

private:
    QProcess* MakeOpener(const QString& target);

    QString program_;
    int waitMs_;
    QList<QPointer<QProcess>> reporting_;   // openers started without waiting
};

// The text of the box shown for a failing code, or an empty text for a code that
// counts as success.
QString ShellErrorText(int code, const QString& target);

// Opens `target`; a failure shows its error box and gives false. Code 31 (no
// application for the target) and every code that is not one of the errors count
// as success.
bool ShellOpen(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& target, const QString& parameters);

// The text shown when a web link could not be opened because nothing on this system
// opens links (code 31: no browser, no opener).
QString NoBrowserText(const QString& link);

// Opens a web link without waiting for the browser; when it cannot be opened, the error
// box of its code says so, code 31 included (nothing opens links here). `boxes` must
// outlive the launcher.
void ShellOpenURL(IShellLauncher& launcher, IMessageBoxes& boxes, const QString& link);
