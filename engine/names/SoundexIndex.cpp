#include "engine/names/SoundexIndex.h"
#include "engine/names/Dictionary.h"
#include "engine/names/Soundex.h"
#include "engine/names/ZlibStream.h"
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr int CodeLength = 4;

} // namespace

qint32 SoundexIndex::StoredFormOf(const QString& code)
{
    // "1" followed by the code's digits, read as a decimal number: L123 gives 1123.
    // Every code made here is a letter and three digits.
    qint32 value = 1;
    for (qsizetype i = 1; i < code.size() && i < 9; ++i) {
        const char16_t c = code[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        value = value * 10 + (c - u'0');
    }
    return value;
}

bool SoundexIndex::Build(const QString& path)
{
    DictSoundex.clear();
    const int words = std::min(dictionary_.Count(), int(Dictionary::WordCount));
    DictSoundex.reserve(words);
    QByteArray stored(qsizetype(words) * 4, Qt::Uninitialized);
    for (int i = 0; i < words; ++i) {
        const QString code = SoundexCode(dictionary_.GetDictWord(i), CodeLength);
        DictSoundex.append(code);
        qToLittleEndian<qint32>(StoredFormOf(code), stored.data() + qsizetype(i) * 4);
    }

    const QByteArray packed = CompressBytes(stored, MatchSearch::Short);
    if (packed.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(packed);
    return file.commit();
}

bool SoundexIndex::Load(const QString& path)
{
    DictSoundex.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file larger than the most we inflate from it cannot be one of ours.
    if (file.size() > MaxInflatedSize)
        return false;
    const QByteArray packed = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QByteArray stored;
    if (!DecompressBytes(packed, stored))
        return false;

    const int count = int(std::min<qsizetype>(stored.size() / 4, Dictionary::WordCount));
    DictSoundex.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint32 value = qFromLittleEndian<qint32>(stored.constData() + qsizetype(i) * 4);
        QString code = QString::number(value);
        code[0] = Dictionary::InitialFor(i);
        DictSoundex.append(code);
    }
    return true;
}

bool SoundexIndex::IsComplete() const
{
    return DictSoundex.size() >= std::min(dictionary_.Count(), int(Dictionary::WordCount));
}

QString SoundexIndex::GetSoundexFor(int index) const
{
    if (index >= 0 && index < DictSoundex.size())
        return DictSoundex.at(index);
    return SoundexCode(dictionary_.GetDictWord(index), CodeLength);
}
