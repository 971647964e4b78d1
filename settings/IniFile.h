#pragma once
#include <QFileDevice>
#include <QString>
#include <QStringList>

// An INI file with the semantics of the Windows profile functions: section and key
// names compare without regard to case, names and values are trimmed, a value in one
// pair of single or double quotes loses them, the first of repeated sections or keys
// wins, and every other line (comments, blank lines, foreign keys) is kept as it was.
// A value that reading would change (blanks at an end, enclosing quotes) is written
// inside one more pair of double quotes, so every written value reads back unchanged.
// Files are written in UTF-8; UTF-16 with a byte order mark and ANSI text are read too.
//
// The whole file is read by Load() and written by Save(); Save() writes a temporary
// file in the same folder and renames it into place, so a crash or a full disk never
// leaves a half-written file behind. Lines are written with CR LF.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(const QString& path) { Load(path); }

    static constexpr qint64 MaxFileSize = qint64(16) << 20;

    // Reads `path`. A missing or unreadable file, or one larger than MaxFileSize, gives
    // an empty document (returns false); the path is kept for Save() either way.
    bool Load(const QString& path);
    // Writes the document back to its path. Returns false when the file could not be written;
    // the previous file is then left intact.
    bool Save(QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                     | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString& path() const { return path_; }
    bool existed() const { return existed_; }

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    // A missing key gives `def`; a key present with an empty value gives "".
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // A missing key or a value that is not a decimal integer gives `def`.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // An integer; any non-zero value is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

    // The key names of a section, in file order.
    QStringList Keys(const QString& section) const;
    // The document as it would be written.
    QByteArray ToBytes() const;
    void FromBytes(const QByteArray& bytes);

private:
    struct Line {
        QString text;      // the raw line (without its line break)
        QString section;   // the section this line belongs to ("" before the first header)
        bool isHeader = false;
        bool isKey = false;
        QString key;       // trimmed key name
    };

    int FindHeader(const QString& section) const;             // index of the first header line, or -1
    int FindKey(const QString& section, const QString& key) const;
    int EndOfSection(int headerIndex) const;                  // index after the section's last line

    QList<Line> lines_;
    QString path_;
    bool existed_ = false;
};
