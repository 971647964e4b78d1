#include "engine/lookup/NameValidation.h"

QString IsValidAddress(const QString& name)
{
    constexpr int longest = 50;
    constexpr int shortest = 3;
    if (name.isEmpty())
        return QStringLiteral("Invalid Name : No Address specified");
    if (name.size() > longest)
        return QStringLiteral("Invalid Name : Address too long, no longer than 50 characters allowed");
    if (name.size() < shortest)
        return QStringLiteral("Invalid Name : Address too short, must be at least 3 characters");
    if (name.front() == u'-')
        return QStringLiteral("Invalid Name : Must not begin with -");
    if (name.back() == u'-')
        return QStringLiteral("Invalid Name : Must not end with -");
    return {};
}
