#include "settings/ConfigFile.h"
#include "engine/SafeSave.h"
#include "settings/ServerTree.h"
#include <QFile>
#include <QStringDecoder>
#include <zlib.h>
#include <limits>

namespace {

constexpr char kMarker[4] = {'T', 'W', 'C', 'F'};
constexpr quint16 kVersion = 1;
constexpr qsizetype kHeaderSize = 4 + 2 + 4;
constexpr qsizetype kNodeHeaderSize = 1 + 1 + 4 + 4;
// A full tree of every built-in TLD and server packs to a few tens of kilobytes.
constexpr qsizetype kMaxPackedSize = 16 * 1024 * 1024;
constexpr qsizetype kMaxUnpackedSize = 64 * 1024 * 1024;

void appendU16(QByteArray& out, quint16 v)
{
    out.append(char(v >> 8));
    out.append(char(v & 0xFF));
}

void appendU32(QByteArray& out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xFF));
}

// Reads big-endian fields from a byte array; every read checks what is left.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    qsizetype remaining() const { return bytes_.size() - pos_; }

    bool u8(quint8& v)
    {
        if (remaining() < 1)
            return false;
        v = static_cast<quint8>(bytes_[pos_++]);
        return true;
    }
    bool u16(quint16& v)
    {
        quint8 a, b;
        if (remaining() < 2 || !u8(a) || !u8(b))
            return false;
        v = static_cast<quint16>((a << 8) | b);
        return true;
    }
    bool u32(quint32& v)
    {
        if (remaining() < 4)
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<quint8>(bytes_[pos_++]);
        return true;
    }
    bool bytes(quint32 length, QByteArray& out)
    {
        if (static_cast<quint64>(length) > static_cast<quint64>(remaining()))
            return false;
        out = bytes_.mid(pos_, length);
        pos_ += length;
        return true;
    }

private:
    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

bool decodeUtf8(const QByteArray& bytes, QString& text)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
}

// One default per TLD with servers, and each server's kind as its name says.
void normaliseStates(TreeNodeList& nodes)
{
    qsizetype tldStart = -1;
    auto settle = [&](qsizetype end) {
        if (tldStart < 0)
            return;
        qsizetype chosen = -1;
        for (qsizetype i = tldStart + 1; i < end && chosen < 0; ++i)
            if (IsDefaultState(nodes[i].stateIndex))
                chosen = i;
        if (chosen < 0 && tldStart + 1 < end)
            chosen = tldStart + 1;
        for (qsizetype i = tldStart + 1; i < end; ++i)
            nodes[i].stateIndex = ServerStateFor(nodes[i].text, i == chosen);
    };
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        if (nodes[i].level == 0) {
            settle(i);
            tldStart = i;
        }
    }
    settle(nodes.size());
}

} // namespace

QByteArray SerialiseTreeNodes(const TreeNodeList& nodes)
{
    QByteArray out;
    out.append(kMarker, sizeof kMarker);
    appendU16(out, kVersion);
    appendU32(out, static_cast<quint32>(nodes.size()));
    for (qsizetype i = 0; i < nodes.size(); ++i) {
        const TreeNodeRecord& node = nodes[i];
        quint32 children = 0;
        if (node.level == 0)
            for (qsizetype j = i + 1; j < nodes.size() && nodes[j].level > 0; ++j)
                ++children;
        const QByteArray text = node.text.toUtf8();
        out.append(char(node.level));
        out.append(char(static_cast<qint8>(node.stateIndex)));
        appendU32(out, children);
        appendU32(out, static_cast<quint32>(text.size()));
        out.append(text);
    }
    return out;
}

TreeNodeList ParseTreeNodes(const QByteArray& bytes, bool* complete)
{
    TreeNodeList nodes;
    bool sound = false;
    Reader in(bytes);
    QByteArray marker;
    quint16 version = 0;
    quint32 count = 0;
    if (in.bytes(sizeof kMarker, marker) && marker == QByteArray(kMarker, sizeof kMarker) && in.u16(version)
        && version == kVersion && in.u32(count)) {
        quint32 childrenExpected = 0;   // servers still to come under the current TLD
        quint32 read = 0;
        for (; read < count; ++read) {
            quint8 level = 0, state = 0;
            quint32 children = 0, length = 0;
            QByteArray raw;
            QString text;
            if (in.remaining() < kNodeHeaderSize || !in.u8(level) || !in.u8(state) || !in.u32(children)
                || !in.u32(length) || !in.bytes(length, raw) || !decodeUtf8(raw, text))
                break;
            const int stateIndex = static_cast<qint8>(state);
            if (level == 0) {
                if (childrenExpected != 0 || stateIndex != ServerState::None)
                    break;
                childrenExpected = children;
            } else if (level == 1) {
                if (childrenExpected == 0 || children != 0 || stateIndex < 1 || stateIndex > 4)
                    break;
                --childrenExpected;
            } else {
                break;
            }
            nodes.append({text, level, stateIndex});
        }
        sound = read == count && childrenExpected == 0 && in.remaining() == 0;
    }
    normaliseStates(nodes);
    if (complete)
        *complete = sound;
    return nodes;
}

QByteArray PackConfig(const QByteArray& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.constData()),
                  static_cast<uLong>(bytes.size()), 9)
        != Z_OK)
        return {};
    out.resize(static_cast<qsizetype>(size));
    return out;
}

QByteArray UnpackConfig(const QByteArray& packed, bool* complete)
{
    QByteArray out;
    bool ended = false;
    z_stream stream{};
    if (inflateInit(&stream) == Z_OK) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
        stream.avail_in = static_cast<uInt>(packed.size());
        char chunk[64 * 1024];
        for (;;) {
            stream.next_out = reinterpret_cast<Bytef*>(chunk);
            stream.avail_out = sizeof chunk;
            const int result = inflate(&stream, Z_NO_FLUSH);
            const qsizetype produced = static_cast<qsizetype>(sizeof chunk - stream.avail_out);
            if (out.size() + produced > kMaxUnpackedSize)
                break;
            out.append(chunk, produced);
            if (result == Z_STREAM_END) {
                ended = true;
                break;
            }
            // Damage (Z_DATA_ERROR, Z_NEED_DICT, ...) or input that ends too early.
            if (result != Z_OK || (stream.avail_in == 0 && produced == 0))
                break;
        }
        inflateEnd(&stream);
    }
    if (complete)
        *complete = ended;
    return out;
}

bool SaveTreeview(const TServerTree& tree, const QString& path)
{
    const QByteArray packed = PackConfig(SerialiseTreeNodes(tree.Nodes()));
    if (packed.isEmpty())
        return false;
    return SaveFileAtomically(path, packed);
}

bool LoadTreeview(TServerTree& tree, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tree.Clear();
        return false;
    }
    const QByteArray packed = file.read(kMaxPackedSize);
    const bool wholeFile = file.atEnd();
    bool inflated = false;
    bool parsed = false;
    tree.SetNodes(ParseTreeNodes(UnpackConfig(packed, &inflated), &parsed));
    return wholeFile && inflated && parsed;
}
