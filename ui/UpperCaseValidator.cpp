#include "ui/UpperCaseValidator.h"

QValidator::State UpperCaseValidator::validate(QString& input, int&) const
{
    input = input.toUpper();
    return Acceptable;
}
