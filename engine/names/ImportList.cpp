#include "engine/names/ImportList.h"
#include "engine/Misc1.h"
#include "engine/names/NameNormalisation.h"
#include "engine/names/TextFileDecoder.h"
#include <QFile>
#include <QFileInfo>

ImportListReader::ImportListReader(char separator, NameSink sink)
    : separator_(separator)
    , sink_(std::move(sink))
{
}

void ImportListReader::Feed(QStringView text)
{
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (separator_ == 0) {
            if (unit == u'\r' || unit == u'\n')
                EndName();
            else
                Keep(c);
            continue;
        }

        switch (quoting_) {
        case Quoting::AtFieldStart:
            // Characters that are not kept may come before the opening quote, such as
            // the line break before a quoted field at the start of a line.
            if (unit == u'"') {
                quoting_ = Quoting::Open;
                continue;
            }
            if (unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n')
                continue;
            quoting_ = Quoting::None;
            break;
        case Quoting::Open:
            if (unit == u'"')
                quoting_ = Quoting::ClosingOrDoubled;
            else
                Keep(c);
            continue;
        case Quoting::ClosingOrDoubled:
            // "" inside quotes is a quote character (which a name does not keep).
            if (unit == u'"') {
                quoting_ = Quoting::Open;
                continue;
            }
            quoting_ = Quoting::None;
            break;
        case Quoting::None:
            break;
        }

        if (unit == char16_t(separator_))
            EndName();
        else
            Keep(c);
    }
}

void ImportListReader::Keep(QChar c)
{
    // A name this long is invalid however it goes on, so the rest need not be kept: a
    // file without a single separator would otherwise be held whole as one name.
    if (name_.size() >= MaxKeptNameLength)
        return;
    if (const char16_t kept = NameCharFor(c.unicode()))
        name_.append(QChar(kept));
}

void ImportListReader::Finish()
{
    EndName();
}

void ImportListReader::EndName()
{
    const QStringView name = WithoutWwwPrefix(name_);
    if (!name.isEmpty())
        sink_(name);
    name_.resize(0);
    quoting_ = Quoting::AtFieldStart;
}

char SeparatorForChoice(int sepCombo)
{
    switch (sepCombo) {
    case 1:
        return ',';
    case 2:
        return ';';
    default:
        return 0;
    }
}

SourceEnd AddImportedNames(TMisc1& engine)
{
    const MainOptions options = engine.view()->options();
    if (options.UseList.isEmpty() || !QFileInfo(options.UseList).isFile())
        return SourceEnd::Abandoned;
    QFile file(options.UseList);
    if (!file.open(QIODevice::ReadOnly))
        return SourceEnd::Abandoned;
    std::optional<TextFileDecoder> decoder = TextFileDecoder::ForFile(file);
    if (!decoder)
        return SourceEnd::Abandoned;

    ImportListReader reader(SeparatorForChoice(options.SepCombo), [&engine](QStringView name) {
        engine.SearchList.AddUnlessListed(name);
        engine.ProcessMessages();
    });
    // Read in pieces, so a huge file never has to fit in memory at once.
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return SourceEnd::Abandoned;
        if (got == 0)
            break;
        reader.Feed(decoder->Decode(QByteArrayView(chunk.constData(), got)));
    }
    reader.Feed(decoder->Finish());
    reader.Finish();
    return SourceEnd::Finished;
}
