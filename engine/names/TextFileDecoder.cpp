#include "engine/names/TextFileDecoder.h"
#include <QIODevice>
#include <QStringDecoder>

namespace {

// A stretch of bytes without a clean cut is held back up to this length; beyond it the
// bytes are no text anyway, and are cut where they are.
constexpr qsizetype MaxHeldBytes = 64 * 1024;

bool IsUtf16(QStringConverter::Encoding encoding)
{
    return encoding == QStringConverter::Utf16LE || encoding == QStringConverter::Utf16BE;
}

} // namespace

TextFileDecoder::TextFileDecoder(QStringConverter::Encoding encoding, qsizetype markLength)
    : encoding_(encoding)
    , markToSkip_(markLength)
{
}

std::optional<TextFileDecoder> TextFileDecoder::ForFile(QIODevice& file)
{
    if (!file.seek(0))
        return std::nullopt;
    const QByteArray start = file.peek(3);
    if (start.startsWith("\xEF\xBB\xBF"))
        return TextFileDecoder(QStringConverter::Utf8, 3);
    if (start.startsWith("\xFF\xFE"))
        return TextFileDecoder(QStringConverter::Utf16LE, 2);
    if (start.startsWith("\xFE\xFF"))
        return TextFileDecoder(QStringConverter::Utf16BE, 2);

    // Without a mark the bytes decide; a file in a local 8-bit encoding with letters
    // beyond ASCII is almost never valid UTF-8.
    QStringDecoder utf8(QStringConverter::Utf8);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0 || utf8.hasError())
            break;
        const QString decoded = utf8(QByteArrayView(chunk.constData(), got));   // decoding is what tells
    }
    const bool valid = !utf8.hasError();
    if (!file.seek(0))
        return std::nullopt;
    if (valid)
        return TextFileDecoder(QStringConverter::Utf8, 0);
#ifdef Q_OS_WIN
    return TextFileDecoder(QStringConverter::System, 0);   // the ANSI code page
#else
    return TextFileDecoder(QStringConverter::Latin1, 0);   // every ASCII letter stays what it is
#endif
}

qsizetype TextFileDecoder::CleanLength(QByteArrayView bytes) const
{
    if (IsUtf16(encoding_)) {
        // Whole code units, and never after the first half of a surrogate pair.
        qsizetype length = bytes.size() & ~qsizetype(1);
        while (length >= 2) {
            const uchar high = uchar(bytes[encoding_ == QStringConverter::Utf16LE ? length - 1 : length - 2]);
            if (high < 0xD8 || high > 0xDB)
                break;
            length -= 2;
        }
        return length;
    }
    if (encoding_ == QStringConverter::Latin1)
        return bytes.size();
    // UTF-8 (and the local encoding): after the last ASCII byte, which ends whatever
    // sequence came before it, valid or not, and begins none.
    for (qsizetype length = bytes.size(); length > 0; --length)
        if (uchar(bytes[length - 1]) < 0x80)
            return length;
    return 0;
}

QString TextFileDecoder::DecodeWhole(QByteArrayView bytes) const
{
    // Each clean piece alone; a mark in mid-file is kept as the character it is.
    QStringDecoder decode(encoding_, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decode(bytes);
}

QString TextFileDecoder::Decode(QByteArrayView bytes)
{
    held_.append(bytes.constData(), bytes.size());
    if (markToSkip_ > 0) {
        const qsizetype skipped = qMin(markToSkip_, held_.size());
        held_.remove(0, skipped);
        markToSkip_ -= skipped;
    }
    qsizetype clean = CleanLength(held_);
    if (clean == 0 && held_.size() > MaxHeldBytes)
        clean = held_.size();
    const QString text = DecodeWhole(QByteArrayView(held_.constData(), clean));
    held_.remove(0, clean);
    return text;
}

QString TextFileDecoder::Finish()
{
    const QString text = DecodeWhole(held_);
    held_.clear();
    return text;
}
