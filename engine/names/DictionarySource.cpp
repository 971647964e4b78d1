#include "engine/names/DictionarySource.h"
#include "engine/Misc1.h"
#include <algorithm>

namespace {

bool BeginsWithUpperLetter(const QString& text)
{
    return !text.isEmpty() && text.front() >= u'A' && text.front() <= u'Z';
}

} // namespace

SourceEnd CollectDictionaryWords(TMisc1& engine, TSearchList& batch)
{
    const MainOptions options = engine.view()->options();
    const bool range = !options.DictRadio1;
    // The range boxes hold upper case; a front end that passes other text gets the same.
    const QString from = options.DictFromEdit.toUpper();
    const QString to = options.DictToEdit.toUpper();

    if (range && from.size() == to.size() && from.compare(to, Qt::CaseInsensitive) == 0) {
        engine.AddItemToSearchList(from);
        return SourceEnd::Finished;
    }

    const Dictionary& dictionary = engine.dictionary();
    if (dictionary.IsEmpty())
        return SourceEnd::Finished;
    const int last = dictionary.Count() - 1;
    // "All" is every word: the range boxes, greyed out but still holding text, bound only a range.
    const int start = range && BeginsWithUpperLetter(from) ? Dictionary::GetIndexFor(from.front()) : 0;
    const int end = std::min(range && BeginsWithUpperLetter(to) ? Dictionary::LastIndexOfRun(to.front())
                                                                : int(Dictionary::LastWordIndex),
                             last);
    if (start > last)
        return SourceEnd::Finished;

    // Two buffers, swapped after each accepted word, so the scan allocates nothing.
    QString word;
    QString previous;   // the last accepted word
    // The start word is examined even when the end lies before it.
    for (int index = start; index == start || index <= end; ++index) {
        // The word with its spaces turned into "-" or removed.
        word.resize(0);
        word.append(Dictionary::InitialFor(index));
        for (const char c : dictionary.Entry(index)) {
            if (c != ' ')
                word.append(QLatin1Char(c));
            else if (options.MinusCheck)
                word.append(u'-');
        }

        bool accepted = true;
        if (options.WordLengthCheck && (word.size() < options.WordLength1 || word.size() > options.WordLength2))
            accepted = false;
        else if (range && word < from)
            accepted = false;
        else if (range && word > to)
            break;
        else if (word == previous)
            accepted = false;

        if (accepted) {
            if (!word.isEmpty())
                batch.Append(word);
            std::swap(word, previous);
        }
        engine.ProcessMessages();
        if (accepted && engine.StopRequest)
            return SourceEnd::Stopped;
    }
    return SourceEnd::Finished;
}
