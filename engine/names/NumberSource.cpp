#include "engine/names/NumberSource.h"
#include "engine/Misc1.h"
#include "engine/names/NameNormalisation.h"
#include <algorithm>

namespace {

constexpr int LargestNumber = 9999999;

// The text of a ticked prefix or suffix box cleaned as every candidate name is (upper
// case, only "-", digits and letters), since the numbered names are appended as they
// are: a pasted "my.shop!" must not make names that no registry could hold. A box
// whose text is then empty is unticked and contributes nothing.
QString AffixText(bool& ticked, const QString& text)
{
    if (!ticked)
        return {};
    QString affix;
    affix.reserve(text.size());
    for (const QChar c : text)
        if (const char16_t kept = NameCharFor(c.unicode()))
            affix.append(QChar(kept));
    if (affix.isEmpty())
        ticked = false;
    return affix;
}

int DigitCount(int n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

void AddNumbers(TMisc1& engine)
{
    MainOptions options = engine.view()->options();
    const bool prefixWasTicked = options.RangeCheck1;
    const bool suffixWasTicked = options.RangeCheck2;
    const QString prefix = AffixText(options.RangeCheck1, options.RangePre);
    const QString suffix = AffixText(options.RangeCheck2, options.RangeSuf);
    if (options.RangeCheck1 != prefixWasTicked || options.RangeCheck2 != suffixWasTicked)
        engine.view()->applyOptions(options);

    const int from = std::clamp(options.NumberFrom, 0, LargestNumber);
    const int to = std::clamp(options.NumberTo, 0, LargestNumber);
    const int low = std::min(from, to);
    const int high = std::max(from, to);

    const qsizetype affixLength = prefix.size() + suffix.size();
    engine.SearchList.reserve(qsizetype(high) - low + 1,
                              (qsizetype(high) - low + 1) * (affixLength + DigitCount(high)));

    // One buffer holds the name being made: the prefix stays, the digits and the
    // suffix are written after it for each number.
    QString name = prefix;
    char16_t digits[10];
    for (int n = low; n <= high; ++n) {
        int rest = n;
        int used = 0;
        do {
            digits[std::size(digits) - 1 - used++] = char16_t(u'0' + rest % 10);
            rest /= 10;
        } while (rest > 0);
        name.truncate(prefix.size());
        name.append(QStringView(digits + std::size(digits) - used, used));
        name.append(suffix);
        engine.SearchList.Append(name);
        engine.ProcessMessages();
    }
}
