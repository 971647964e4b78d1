#pragma once
#include "engine/names/SourceEnd.h"
#include <QString>
#include <QStringView>
#include <functional>

class TMisc1;

// Cuts the text of an import file into names, fed in pieces of any size (decoded from the
// file's encoding, so a byte-order mark or the bytes of letters beyond ASCII never reach it).
//
// Newline mode: every line is a name. Separator mode (comma or semicolon): the text is
// cut at the separator only; a field enclosed in double quotes may hold the separator
// and loses its quotes, and line breaks join the text on either side into one name
// (their characters are not kept). Each name is handed over normalised; names that
// come out empty are not handed over.
class ImportListReader {
public:
    using NameSink = std::function<void(QStringView normalised)>;

    // `separator` is 0 for newline mode, else ',' or ';'.
    ImportListReader(char separator, NameSink sink);

    void Feed(QStringView text);
    void Finish();   // hands over the last name

    // Characters kept of one name; a longer name is handed over cut to this length (it
    // is far past the longest valid name, so it stays invalid).
    static constexpr qsizetype MaxKeptNameLength = 1024;

private:
    enum class Quoting { AtFieldStart, None, Open, ClosingOrDoubled };

    void EndName();
    void Keep(QChar c);

    char separator_;
    NameSink sink_;
    Quoting quoting_ = Quoting::AtFieldStart;
    QString name_;   // the kept characters of the name being read
};

// The separator SepCombo selects: 0 for "New Line", ',' for ", (Comma)", ';' for
// "; (Semi-colon)".
char SeparatorForChoice(int sepCombo);

// The import-list source: every name of the file UseList through AddItemToSearchList,
// read as text in its encoding (TextFileDecoder). Abandoned when the file does not
// exist or cannot be read.
SourceEnd AddImportedNames(TMisc1& engine);
