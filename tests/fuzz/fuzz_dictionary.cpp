// "english.dat": the packed file, and the word list inside it.
#include "FuzzFile.h"
#include "engine/names/Dictionary.h"
#include "engine/names/SoundexIndex.h"

namespace {

// Every entry can be asked for, and every word has a Soundex code of four characters.
void Walk(const Dictionary& dictionary)
{
    const SoundexIndex codes(dictionary);
    for (int i = -1; i <= dictionary.Count(); ++i) {
        const QString word = dictionary.GetDictWord(i);
        if ((i < 0 || i >= dictionary.Count()) && !word.isEmpty())
            __builtin_trap();
        if (i >= 0 && i < dictionary.Count() && i < Dictionary::WordCount && codes.GetSoundexFor(i).size() != 4)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Dictionary dictionary;
    if (dictionary.Load(WriteScratchFile(bytes)))
        Walk(dictionary);
    else if (!dictionary.IsEmpty())
        __builtin_trap();   // a refused file leaves nothing behind
    // The bytes as if they had been inflated already.
    dictionary.LoadText(bytes);
    Walk(dictionary);
    return 0;
}
