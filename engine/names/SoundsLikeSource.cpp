#include "engine/names/SoundsLikeSource.h"
#include "engine/Misc1.h"
#include "engine/names/PhoneticKey.h"
#include "engine/names/Soundex.h"
#include <algorithm>

namespace {

constexpr int SoundexLength = 4;
constexpr int PhoneticKeyLength = 10;

// The indices to examine for a word beginning with `initial`: its letter's run (the A
// run from 1), or index 0 alone for a first character outside A..Z.
std::pair<int, int> RangeFor(QChar initial)
{
    if (initial == u'A')
        return {1, Dictionary::GetIndexFor(u'B') - 1};
    if (initial == u'Z')
        return {Dictionary::GetIndexFor(u'Z'), Dictionary::LastWordIndex};
    const QChar after(char16_t(initial.unicode() + 1));
    return {Dictionary::GetIndexFor(initial), Dictionary::GetIndexFor(after) - 1};
}

} // namespace

SourceEnd AddSoundsLikeWords(TMisc1& engine)
{
    const QString word = engine.view()->options().SoundexEdit.toUpper();
    if (word.isEmpty())
        return SourceEnd::Abandoned;

    const int loaded = engine.dictionary().Count();
    if (loaded == 0)
        return SourceEnd::Finished;
    auto [first, last] = RangeFor(word.front());
    last = std::min(last, loaded - 1);
    if (first >= loaded)
        return SourceEnd::Finished;

    const QString soundex = SoundexCode(word, SoundexLength);
    const QString phonetic = PhoneticKey(word, PhoneticKeyLength);

    int index = first;
    QString candidate = engine.GetDictWord(index);
    for (;;) {
        if (candidate != word
            && (engine.GetSoundexFor(index) == soundex || PhoneticKey(candidate, PhoneticKeyLength) == phonetic))
            engine.AddItemToSearchList(candidate);
        if (++index > last)
            return SourceEnd::Finished;
        candidate = engine.GetDictWord(index);
        engine.ProcessMessages();
        if (engine.StopRequest)
            return SourceEnd::Stopped;
    }
}
