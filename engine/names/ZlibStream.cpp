#include "engine/names/ZlibStream.h"
#include <zlib.h>
#include <algorithm>
#include <limits>

QByteArray CompressBytes(QByteArrayView data)
{
    // zlib counts in uLong; refuse sizes it cannot express instead of truncating them.
    if (quint64(data.size()) > std::numeric_limits<uLong>::max() / 2)
        return {};
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                             reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()), 9);
    if (rc != Z_OK)
        return {};
    out.truncate(qsizetype(size));
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
