// TMisc1's operations on the dictionary and its sounds-like codes.
#include "engine/Misc1.h"
#include <QFileInfo>

bool TMisc1::LoadDictionary()
{
    soundex_.Clear();
    DictionaryPresent = dictionary_.Load(shippedDataFile(QStringLiteral("english.dat")));
    return DictionaryPresent;
}

void TMisc1::ReleaseDictionary()
{
    soundex_.Clear();
    dictionary_.Clear();
}

bool TMisc1::BuildSoundexFile()
{
    return soundex_.Build(cacheFile(QStringLiteral("Soundex.dat")));
}

bool TMisc1::LoadSoundexFile()
{
    // A file that cannot be read, does not inflate or lacks codes (say, cut short by a
    // crash while it was written) is made again from the dictionary.
    if (soundex_.Load(cacheFile(QStringLiteral("Soundex.dat"))) && soundex_.IsComplete())
        return true;
    return BuildSoundexFile();
}

bool TMisc1::LoadOrBuildSoundexFile()
{
    if (QFileInfo::exists(cacheFile(QStringLiteral("Soundex.dat"))))
        return LoadSoundexFile();
    return BuildSoundexFile();
}
