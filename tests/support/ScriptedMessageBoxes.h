#pragma once
#include "platform/MessageBoxes.h"
#include <QList>
#include <QStringList>

// Message boxes for tests: records every box and answers from a script, in order.
// When the script runs out it answers like SilentMessageBoxes.
class ScriptedMessageBoxes : public IMessageBoxes {
public:
    struct Shown {
        MessageKind kind;
        QString text;
        int buttons;
    };

    void answer(MessageButton b) { script_.append(b); }
    MessageButton Show(MessageKind kind, const QString& text, int buttons) override;

    QList<Shown> shown;
    QStringList texts() const;

private:
    QList<MessageButton> script_;
    SilentMessageBoxes fallback_;
};
