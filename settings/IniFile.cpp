#include "settings/IniFile.h"
#include "engine/SafeSave.h"
#include <QFile>
#include <QStringDecoder>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool enclosedInQuotes(const QString& value)
{
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

// The profile functions trim a value and drop one pair of enclosing quotes, single or double.
QString unquoted(QString value)
{
    value = value.trimmed();
    if (enclosedInQuotes(value))
        value = value.mid(1, value.size() - 2);
    return value;
}

// The inverse of unquoted(): a value that reading would change (blanks at either end, or
// enclosing quotes of its own) is written inside one more pair of double quotes.
QString quotedForWriting(const QString& value)
{
    if (value != value.trimmed() || enclosedInQuotes(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

// Files written by other INI writers may be UTF-16 (with a byte order mark) or in the
// Windows ANSI code page; ours are UTF-8. Text that is not valid UTF-8 is read as Latin-1.
QString decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.mid(2));
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError())
        text = QString::fromLatin1(body);
    return text;
}

} // namespace

bool IniFile::Load(const QString& path)
{
    path_ = path;
    lines_.clear();
    QFile file(path);
    existed_ = file.exists();
    // Far larger than any file of ours; reading it whole could exhaust memory.
    if (file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly))
        return false;
    FromBytes(file.readAll());
    return true;
}

void IniFile::FromBytes(const QByteArray& bytes)
{
    lines_.clear();
    QString section;
    const QString text = decodeText(bytes);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        Line line;
        line.text = text.mid(start, end - start);
        const QString trimmed = line.text.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            section = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
            line.isHeader = true;
        } else if (!trimmed.startsWith(QLatin1Char(';')) && trimmed.contains(QLatin1Char('='))) {
            line.isKey = true;
            line.key = trimmed.left(trimmed.indexOf(QLatin1Char('='))).trimmed();
        }
        line.section = section;
        lines_.append(line);
        // A CR LF pair ends one line, as do a lone CR and a lone LF.
        if (end < text.size() && text[end] == QLatin1Char('\r') && end + 1 < text.size() && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
}

QByteArray IniFile::ToBytes() const
{
    QByteArray out;
    for (const Line& line : lines_) {
        out += line.text.toUtf8();
        out += "\r\n";
    }
    return out;
}

bool IniFile::Save(QFileDevice::Permissions permissions)
{
    if (path_.isEmpty() || !SaveFileAtomically(path_, ToBytes(), permissions))
        return false;
    existed_ = true;
    return true;
}

int IniFile::FindHeader(const QString& section) const
{
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].isHeader && sameName(lines_[i].section, section))
            return i;
    return -1;
}

int IniFile::EndOfSection(int headerIndex) const
{
    int i = headerIndex + 1;
    while (i < lines_.size() && !lines_[i].isHeader)
        ++i;
    return i;
}

int IniFile::FindKey(const QString& section, const QString& key) const
{
    const int header = FindHeader(section);
    if (header < 0)
        return -1;
    const int end = EndOfSection(header);
    for (int i = header + 1; i < end; ++i)
        if (lines_[i].isKey && sameName(lines_[i].key, key))
            return i;
    return -1;
}

bool IniFile::SectionExists(const QString& section) const
{
    return FindHeader(section) >= 0;
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    return FindKey(section, key) >= 0;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const int i = FindKey(section, key);
    if (i < 0)
        return def;
    const QString& text = lines_[i].text;
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1));
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const int i = FindKey(section, key);
    if (i < 0)
        return def;
    bool ok = false;
    const int value = ReadString(section, key, QString()).toInt(&ok, 10);
    return ok ? value : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    // Line breaks inside a value would start a new line of the file: keep the value on one line.
    QString v = value;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    v = quotedForWriting(v);
    Line line;
    line.text = key + QLatin1Char('=') + v;
    line.isKey = true;
    line.key = key;

    const int existing = FindKey(section, key);
    if (existing >= 0) {
        line.section = lines_[existing].section;
        line.key = lines_[existing].key;
        line.text = line.key + QLatin1Char('=') + v;
        lines_[existing] = line;
        return;
    }
    int header = FindHeader(section);
    if (header < 0) {
        // A new section goes at the end, after a blank line when the file is not empty.
        if (!lines_.isEmpty() && !lines_.last().text.trimmed().isEmpty()) {
            Line blank;
            blank.section = lines_.last().section;
            lines_.append(blank);
        }
        Line head;
        head.text = QLatin1Char('[') + section + QLatin1Char(']');
        head.section = section;
        head.isHeader = true;
        lines_.append(head);
        header = lines_.size() - 1;
    }
    // Append after the section's last non-blank line.
    int end = EndOfSection(header);
    while (end - 1 > header && lines_[end - 1].text.trimmed().isEmpty())
        --end;
    line.section = lines_[header].section;
    lines_.insert(end, line);
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::EraseSection(const QString& section)
{
    // Every copy of the section goes, as the profile functions would erase them one by one.
    for (int header = FindHeader(section); header >= 0; header = FindHeader(section))
        lines_.erase(lines_.begin() + header, lines_.begin() + EndOfSection(header));
}

QStringList IniFile::Keys(const QString& section) const
{
    QStringList keys;
    const int header = FindHeader(section);
    if (header < 0)
        return keys;
    const int end = EndOfSection(header);
    for (int i = header + 1; i < end; ++i)
        if (lines_[i].isKey)
            keys << lines_[i].key;
    return keys;
}
