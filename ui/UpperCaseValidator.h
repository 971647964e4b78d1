#pragma once
#include <QValidator>

// Shows an entry's text in capitals, whether typed, pasted or set by the program.
// It rejects nothing: which keys an entry takes is decided by its key filter.
class UpperCaseValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
