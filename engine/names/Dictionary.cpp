#include "engine/names/Dictionary.h"
#include "engine/names/ZlibStream.h"
#include <QFile>
#include <algorithm>
#include <array>

namespace {

// First index of each initial's run, A to Z, and one past the Z run.
constexpr std::array<int, 27> RunStarts = {
    0,     4055,  7907,  14895, 19135, 22139, 25480, 28069, 31072,
    34362, 34946, 35689, 38374, 42456, 44196, 46303, 52826, 53236,
    57029, 66571, 70889, 73729, 75111, 77265, 77320, 77575, 77764,
};

bool IsUpperLetter(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

} // namespace

bool Dictionary::Load(const QString& path)
{
    Clear();
    QByteArray text;
    if (!ReadPackedFile(path, text))
        return false;
    LoadText(std::move(text));
    return true;
}

void Dictionary::LoadText(QByteArray text)
{
    Clear();
    text_ = std::move(text);
    const char* data = text_.constData();
    const qsizetype size = text_.size();
    starts_.reserve(WordCount);
    lengths_.reserve(WordCount);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < size && Count() < MaxEntries; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        starts_.push_back(lineStart);
        lengths_.push_back(int(i - lineStart));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
    }
    if (Count() == MaxEntries) {
        // No index reaches the rest; a hostile file could otherwise make the index
        // tables many times the size of the text.
        text_.truncate(lineStart);
        text_.squeeze();
    } else if (lineStart < size) {
        starts_.push_back(lineStart);
        lengths_.push_back(int(size - lineStart));
    }
}

void Dictionary::Clear()
{
    text_ = QByteArray();
    starts_ = {};
    lengths_ = {};
}

QByteArrayView Dictionary::Entry(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return QByteArrayView(text_.constData() + starts_[size_t(index)], lengths_[size_t(index)]);
}

QString Dictionary::GetDictWord(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    const QByteArrayView entry = Entry(index);
    QString word;
    word.reserve(entry.size() + 1);
    word.append(InitialFor(index));
    word.append(QLatin1String(entry.data(), entry.size()));
    return word;
}

int Dictionary::GetIndexFor(QChar letter)
{
    if (!IsUpperLetter(letter))
        return 0;
    return RunStarts[size_t(letter.unicode() - u'A')];
}

QChar Dictionary::InitialFor(int index)
{
    if (index < 0 || index >= RunStarts.back())
        return QChar(0);
    const auto next = std::upper_bound(RunStarts.begin(), RunStarts.end(), index);
    return QChar(char16_t(u'A' + (next - RunStarts.begin() - 1)));
}

QString Dictionary::GetInitialFor(int index)
{
    return QString(InitialFor(index));
}

int Dictionary::LastIndexOfRun(QChar letter)
{
    if (!IsUpperLetter(letter))
        return -1;
    return RunStarts[size_t(letter.unicode() - u'A') + 1] - 1;
}
