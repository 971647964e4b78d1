// The import-list splitter behind the file's decoding: the first byte picks the
// separator, the rest is the file. Fed whole or in pieces of any size, the same names
// must come out.
#include "engine/names/ImportList.h"
#include "engine/names/TextFileDecoder.h"
#include <QBuffer>
#include <QStringList>

namespace {

QStringList Split(char separator, QByteArrayView text, qsizetype piece)
{
    QBuffer file;
    file.setData(text.toByteArray());
    if (!file.open(QIODevice::ReadOnly))
        __builtin_trap();
    std::optional<TextFileDecoder> decoder = TextFileDecoder::ForFile(file);
    if (!decoder)
        __builtin_trap();   // a buffer can always be read and rewound
    QStringList names;
    ImportListReader reader(separator, [&](QStringView name) {
        if (name.isEmpty())
            __builtin_trap();   // empty names are never handed over
        names.append(name.toString());
    });
    for (qsizetype at = 0; at < text.size(); at += piece)
        reader.Feed(decoder->Decode(text.sliced(at, std::min(piece, text.size() - at))));
    reader.Feed(decoder->Finish());
    reader.Finish();
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const char separator = SeparatorForChoice(data[0] % 3);
    const QByteArrayView text(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    const QStringList whole = Split(separator, text, qMax<qsizetype>(1, text.size()));
    if (Split(separator, text, 1) != whole)
        __builtin_trap();
    if (text.size() > 7 && Split(separator, text, 7) != whole)
        __builtin_trap();
    return 0;
}
