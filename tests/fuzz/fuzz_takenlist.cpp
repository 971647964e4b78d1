// A downloaded list of taken names and the marker search in it.
#include "FuzzInput.h"
#include "engine/lookup/TakenListCache.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [name, page] = SplitAtZero(data, size);
    const QByteArray text = TTakenListCache::ToCacheText(page);
    const QByteArray upperName = name.toUpper();
    for (const char* tld : {"IE", "FI", "MC", "HU"}) {
        const QString t = QString::fromLatin1(tld);
        const QString letter = TTakenListCache::ListLetter(QString::fromUtf8(upperName), t);
        if (!letter.isEmpty())
            TTakenListCache::SourcePath(letter, t);
        text.contains(TTakenListCache::TakenMarker(upperName, t));
    }
    TTakenListCache::ParseIndexDate(QString::fromUtf8(page));
    return 0;
}
