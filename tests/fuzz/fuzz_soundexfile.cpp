// "Soundex.dat": the packed integers read against a small dictionary.
#include "FuzzFile.h"
#include "engine/names/Dictionary.h"
#include "engine/names/SoundexIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Dictionary dictionary = [] {
        Dictionary d;
        d.LoadText("\r\nARDVARK\r\nBACUS\r\nPPLE\r\n\r\nZURE\r\n");
        return d;
    }();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SoundexIndex codes(dictionary);
    if (!codes.Load(WriteScratchFile(bytes)) && codes.Count() != 0)
        __builtin_trap();   // a refused file leaves nothing behind
    for (int i = -1; i <= dictionary.Count() + 1; ++i) {
        const QString code = codes.GetSoundexFor(i);
        if (i >= 0 && i < dictionary.Count() && code.size() != 4)
            __builtin_trap();
    }
    if (codes.DictSoundex().size() != codes.Count())
        __builtin_trap();
    codes.IsComplete();
    return 0;
}
