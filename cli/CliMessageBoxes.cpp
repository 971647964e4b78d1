#include "cli/CliMessageBoxes.h"
#include "cli/Console.h"

CliMessageBoxes::CliMessageBoxes(Console& console, ResultsFileAnswer results, ErrorAnswer onError)
    : console_(console)
    , results_(results)
    , onError_(onError)
{
}

QString CliMessageBoxes::KindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Question:
        return QStringLiteral("Question");
    }
    return QStringLiteral("Message");
}

MessageButton CliMessageBoxes::Show(MessageKind kind, const QString& text, int buttons)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    console_.printMessage(KindName(kind) + QStringLiteral(": ") + shown);
    const MessageButton answer = Answer(buttons);
    // No at the Yes/No/Cancel question about an existing results file only chooses
    // appending; every other No or Cancel ends the run there.
    const bool overwriteQuestion = (buttons & MbCancel) && (buttons & MbYes) && (buttons & MbNo);
    declined_ = declined_ || answer == MbCancel || (answer == MbNo && !overwriteQuestion);
    return answer;
}

MessageButton CliMessageBoxes::Answer(int buttons) const
{
    if (buttons & MbOk)
        return MbOk;
    if ((buttons & MbCancel) && (buttons & MbYes) && (buttons & MbNo)) {
        switch (results_) {
        case ResultsFileAnswer::Overwrite:
            return MbYes;
        case ResultsFileAnswer::Append:
            return MbNo;
        case ResultsFileAnswer::Cancel:
            return MbCancel;
        }
    }
    if ((buttons & MbYes) && (buttons & MbNo))
        return onError_ == ErrorAnswer::Continue ? MbYes : MbNo;
    // A box with some other choice of buttons: its first one.
    for (MessageButton b : {MbYes, MbNo, MbCancel})
        if (buttons & b)
            return b;
    return MbOk;
}
