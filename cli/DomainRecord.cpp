#include "cli/DomainRecord.h"
#include <QStringList>

namespace {
const char* const kFields[] = {"domain", "name", "tld", "verdict", "status", "route", "server", "reason", "ms"};

QStringList valuesOf(const DomainRecord& r)
{
    return {r.domain, r.name, r.tld, r.verdict, r.status, r.route, r.server, r.reason, QString::number(r.ms)};
}

// A field of one line: tabs and line breaks become blanks.
QString tsvField(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return text;
}

QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}
} // namespace

QString TsvHeader()
{
    QStringList names;
    for (const char* field : kFields)
        names.append(QLatin1String(field));
    return names.join(QLatin1Char('\t'));
}

QString RecordLine(OutputFormat format, const DomainRecord& record)
{
    const QStringList values = valuesOf(record);
    QStringList fields;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (format == OutputFormat::Tsv)
            fields.append(tsvField(values.at(i)));
        else   // ms is a number, the rest are strings
            fields.append(jsonString(QLatin1String(kFields[i])) + QStringLiteral(": ")
                          + (i == values.size() - 1 ? values.at(i) : jsonString(values.at(i))));
    }
    if (format == OutputFormat::Tsv)
        return fields.join(QLatin1Char('\t'));
    return QLatin1Char('{') + fields.join(QStringLiteral(", ")) + QLatin1Char('}');
}
