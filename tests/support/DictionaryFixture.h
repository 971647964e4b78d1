#pragma once
#include "engine/Misc1.h"
#include <QFile>
#include <QTemporaryDir>

// An engine whose program folder is a fresh temporary folder holding a copy of the
// real "english.dat" from the build folder, with the dictionary loaded.
struct DictionaryFixture {
    QTemporaryDir folder;
    TMisc1 engine;

    DictionaryFixture()
    {
        engine.setProgramFolder(folder.path());
        QFile::copy(QStringLiteral(TARNWICK_PROGRAM_DIR "/english.dat"), engine.shippedDataFile(QStringLiteral("english.dat")));
        engine.LoadDictionary();
    }
    bool loaded() const { return engine.DictionaryPresent && engine.dictionary().Count() == Dictionary::WordCount; }
};
