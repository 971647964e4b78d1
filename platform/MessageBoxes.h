#pragma once
#include <QString>

// Every message box the program shows goes through this seam: the window shows a
// modal box, tests script the answers and record the texts, the CLI prints them.
// A line break inside a text is written "\r".
enum class MessageKind { Warning, Error, Information, Question };

enum MessageButton : int {
    MbOk = 1,
    MbYes = 2,
    MbNo = 4,
    MbCancel = 8,
    // "Continue and do not ask again in this search": a Yes that also answers the
    // questions of the same kind still to come in the run.
    MbContinueAll = 16,
};

class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Shows the box and returns the button that closed it (one of `buttons`).
    virtual MessageButton Show(MessageKind kind, const QString& text, int buttons) = 0;
};

// A box that nobody sees: answers OK, Yes or the first offered button. Used until a
// front end installs its own.
class SilentMessageBoxes : public IMessageBoxes {
public:
    MessageButton Show(MessageKind, const QString&, int buttons) override
    {
        if (buttons & MbOk) return MbOk;
        if (buttons & MbYes) return MbYes;
        if (buttons & MbNo) return MbNo;
        return MbCancel;
    }
};
