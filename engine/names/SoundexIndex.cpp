#include "engine/names/SoundexIndex.h"
#include "engine/SafeSave.h"
#include "engine/names/Dictionary.h"
#include "engine/names/Soundex.h"
#include "engine/names/ZlibStream.h"
#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr int CodeLength = 4;
// A four-character code is a letter and three digits: kept as 1000..1999.
constexpr qint32 LowestStoredForm = 1000;
constexpr qint32 HighestStoredForm = 1999;

} // namespace

qint32 SoundexIndex::StoredFormOf(const QString& code)
{
    // "1" followed by the code's digits, read as a decimal number: L123 gives 1123.
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
    const int words = std::min(dictionary_.Count(), int(Dictionary::WordCount));
    digits_.assign(size_t(words), 0);
    QByteArray stored(qsizetype(words) * 4, Qt::Uninitialized);
    QString word;   // both reused, so the loop allocates nothing
    QString code;
    for (int i = 0; i < words; ++i) {
        word.resize(0);
        word.append(Dictionary::InitialFor(i));
        word.append(QLatin1String(dictionary_.Entry(i)));
        SoundexCodeInto(word, CodeLength, code);
        const qint32 value = StoredFormOf(code);
        digits_[size_t(i)] = quint16(value - LowestStoredForm);
        qToLittleEndian<qint32>(value, stored.data() + qsizetype(i) * 4);
    }

    const QByteArray packed = CompressBytes(stored, MatchSearch::Short);
    if (packed.isEmpty())
        return false;
    return SaveFileAtomically(path, packed);
}

bool SoundexIndex::Load(const QString& path)
{
    Clear();
    QByteArray stored;
    if (!ReadPackedFile(path, stored))
        return false;

    // Whole integers only: a last incomplete one is ignored.
    const int count = int(std::min<qsizetype>(stored.size() / 4, Dictionary::WordCount));
    std::vector<quint16> digits(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const qint32 value = qFromLittleEndian<qint32>(stored.constData() + qsizetype(i) * 4);
        if (value < LowestStoredForm || value > HighestStoredForm)
            return false;
        digits[size_t(i)] = quint16(value - LowestStoredForm);
    }
    digits_ = std::move(digits);
    return true;
}

bool SoundexIndex::IsComplete() const
{
    return Count() >= std::min(dictionary_.Count(), int(Dictionary::WordCount));
}

QString SoundexIndex::GetSoundexFor(int index) const
{
    if (index < 0 || index >= Count())
        return SoundexCode(dictionary_.GetDictWord(index), CodeLength);
    const int digits = digits_[size_t(index)];
    const char16_t code[CodeLength] = {Dictionary::InitialFor(index).unicode(), char16_t(u'0' + digits / 100),
                                       char16_t(u'0' + digits / 10 % 10), char16_t(u'0' + digits % 10)};
    return QString(reinterpret_cast<const QChar*>(code), CodeLength);
}

QStringList SoundexIndex::DictSoundex() const
{
    QStringList codes;
    codes.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        codes.append(GetSoundexFor(i));
    return codes;
}
