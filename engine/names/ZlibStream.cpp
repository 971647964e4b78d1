#include "engine/names/ZlibStream.h"
#include <QFile>
#include <zlib.h>
#include <algorithm>
#include <limits>

QByteArray CompressBytes(QByteArrayView data, MatchSearch search)
{
    // zlib counts in uInt here; refuse sizes it cannot express instead of cutting them.
    if (quint64(data.size()) > std::numeric_limits<uInt>::max() / 2)
        return {};
    z_stream zs{};
    if (deflateInit(&zs, 9) != Z_OK)
        return {};
    if (search == MatchSearch::Short)
        deflateTune(&zs, 32, 258, 258, 128);   // level 9's lengths, level 6's chain
    QByteArray out(qsizetype(deflateBound(&zs, uLong(data.size()))), Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = uInt(data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    const qsizetype written = qsizetype(zs.total_out);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END)
        return {};
    out.truncate(written);
    return out;
}

bool DecompressBytes(QByteArrayView compressed, QByteArray& inflated, qsizetype maxSize)
{
    inflated.clear();
    if (compressed.isEmpty())
        return true;

    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;

    QByteArray out;
    // A dictionary inflates to a few times its compressed size; start there and grow.
    out.resize(std::min(std::max<qsizetype>(compressed.size() * 4, 4096), maxSize));
    qsizetype produced = 0;
    qsizetype consumed = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (produced == out.size()) {
            if (out.size() >= maxSize)
                break;
            out.resize(std::min(out.size() * 2, maxSize));
        }
        const qsizetype inChunk = std::min<qsizetype>(compressed.size() - consumed, 1 << 30);
        const qsizetype outChunk = std::min<qsizetype>(out.size() - produced, 1 << 30);
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data() + consumed));
        zs.avail_in = uInt(inChunk);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        zs.avail_out = uInt(outChunk);
        rc = inflate(&zs, Z_NO_FLUSH);
        consumed += inChunk - qsizetype(zs.avail_in);
        produced += outChunk - qsizetype(zs.avail_out);
        // Input used up without the end of the stream: the data was cut short.
        if (rc == Z_BUF_ERROR && consumed == compressed.size())
            break;
        if (rc == Z_BUF_ERROR)
            rc = Z_OK;
    }
    inflateEnd(&zs);
    if (rc != Z_STREAM_END)
        return false;
    out.truncate(produced);
    inflated = std::move(out);
    return true;
}

bool CompressStream(QBuffer& source, QBuffer& destination)
{
    const QByteArray packed = CompressBytes(source.data());
    if (packed.isEmpty())
        return false;
    return destination.write(packed) == packed.size();
}

bool DecompressStream(QBuffer& source, QBuffer& destination)
{
    const QByteArray& all = source.data();
    const qsizetype from = std::clamp<qsizetype>(source.pos(), 0, all.size());
    QByteArray inflated;
    if (!DecompressBytes(QByteArrayView(all).sliced(from), inflated))
        return false;
    source.seek(all.size());
    const bool written = inflated.isEmpty() || destination.write(inflated) == inflated.size();
    destination.seek(0);
    return written;
}

bool ReadPackedFile(const QString& path, QByteArray& inflated)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file larger than the most we inflate from it cannot be one of ours.
    if (file.size() > MaxInflatedSize)
        return false;
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return DecompressBytes(packed, inflated);
}
