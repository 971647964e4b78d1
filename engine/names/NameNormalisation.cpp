#include "engine/names/NameNormalisation.h"

namespace {

template <typename Chars>
QString Normalise(const Chars& name)
{
    QString kept;
    kept.reserve(name.size());
    for (const auto c : name) {
        if (const char16_t k = NameCharFor(QChar(c).unicode()))
            kept.append(QChar(k));
    }
    if (kept.startsWith(u"WWW"))
        kept.remove(0, 3);
    return kept;
}

} // namespace

QString NormaliseName(QStringView name)
{
    return Normalise(name);
}

QString NormaliseName(QLatin1String name)
{
    return Normalise(name);
}
