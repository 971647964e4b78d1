#pragma once
#include "cli/CommandLine.h"
#include "platform/MessageBoxes.h"

class Console;

// Message boxes on standard error: the kind, a colon, a blank and the text, each CR
// of the text written as a line break. A box is answered at once: OK where it has
// one; the question about an existing results file (the only one offering Cancel)
// from --results; every other question, all of which follow an error, from --on-error.
class CliMessageBoxes : public IMessageBoxes {
public:
    CliMessageBoxes(Console& console, ResultsFileAnswer results, ErrorAnswer onError);

    MessageButton Show(MessageKind kind, const QString& text, int buttons) override;

    static QString KindName(MessageKind kind);
    // A question was answered so that the search ends there: Cancel, or No to a
    // question without Cancel (No to the results-file question means "append").
    bool declinedAQuestion() const { return declined_; }

private:
    MessageButton Answer(int buttons) const;

    Console& console_;
    ResultsFileAnswer results_;
    ErrorAnswer onError_;
    bool declined_ = false;
};
