#include "ScriptedMessageBoxes.h"

MessageButton ScriptedMessageBoxes::Show(MessageKind kind, const QString& text, int buttons)
{
    shown.append({kind, text, buttons});
    if (!script_.isEmpty())
        return script_.takeFirst();
    return fallback_.Show(kind, text, buttons);
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList t;
    for (const auto& s : shown)
        t << s.text;
    return t;
}
