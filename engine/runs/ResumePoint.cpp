#include "engine/runs/ResumePoint.h"
#include "settings/IniFile.h"
#include <QCryptographicHash>
#include <QFile>
#include <QUrl>

QStringList TickedTlds(const TTLDInfoList& list)
{
    QStringList ticked;
    for (int i = 0; i < list.Count(); ++i)
        if (list.At(i).Checked)
            ticked.append(list.At(i).TLD);
    return ticked;
}

QString RunFingerprint(const MainOptions& o, const QStringList& tickedTlds)
{
    // The single search's name and TLD do not change the run's list.
    QStringList parts{QString::number(o.DictCheck), QString::number(o.NumbersCheck), QString::number(o.CustomListCheck),
                      QString::number(o.WordlistCheck), QString::number(o.SoundexCheck), QString::number(o.SaveCheck),
                      o.AutoSaveEdit, QString::number(o.WordMinusCheck), QString::number(o.DictRadio1), o.DictFromEdit,
                      o.DictToEdit, QString::number(o.MinusCheck), QString::number(o.WordLengthCheck),
                      QString::number(o.WordLength1), QString::number(o.WordLength2), QString::number(o.NumberFrom),
                      QString::number(o.NumberTo), QString::number(o.RangeCheck1), QString::number(o.RangeCheck2),
                      o.RangePre, o.RangeSuf, o.SoundexEdit, o.UseList, QString::number(o.SepCombo)};
    for (const QString& word : o.Wordlist)
        parts.append(word);
    parts.append(tickedTlds.join(QLatin1Char(',')));
    return QString::fromLatin1(QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha1).toHex());
}

ResumePoint LoadResumePoint(const QString& path, const QString& section)
{
    ResumePoint point;
    if (!QFile::exists(path))
        return point;
    const IniFile ini(path);
    point.nameIndex = ini.ReadInteger(section, QStringLiteral("NameIndex"), -1);
    point.tldIndex = ini.ReadInteger(section, QStringLiteral("TldIndex"), -1);
    // Names and TLDs may be in any script: kept as percent-encoded UTF-8.
    point.name = QUrl::fromPercentEncoding(ini.ReadString(section, QStringLiteral("Name"), QString()).toLatin1());
    point.tld = QUrl::fromPercentEncoding(ini.ReadString(section, QStringLiteral("Tld"), QString()).toLatin1());
    point.fingerprint = ini.ReadString(section, QStringLiteral("Fingerprint"), QString());
    return point.isValid() ? point : ResumePoint();
}

bool SaveResumePoint(const QString& path, const QString& section, const ResumePoint& point)
{
    IniFile ini(path);
    ini.EraseSection(section);
    if (point.isValid()) {
        ini.WriteInteger(section, QStringLiteral("NameIndex"), point.nameIndex);
        ini.WriteInteger(section, QStringLiteral("TldIndex"), point.tldIndex);
        ini.WriteString(section, QStringLiteral("Name"), QString::fromLatin1(QUrl::toPercentEncoding(point.name)));
        ini.WriteString(section, QStringLiteral("Tld"), QString::fromLatin1(QUrl::toPercentEncoding(point.tld)));
        ini.WriteString(section, QStringLiteral("Fingerprint"), point.fingerprint);
    }
    return ini.Save();
}
