#include "engine/lookup/RdapReply.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

namespace {

QJsonObject ObjectOf(const QByteArray& body, QString* why)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        if (why)
            *why = QStringLiteral("the answer is not JSON");
        return {};
    }
    if (!document.isObject() && why)
        *why = QStringLiteral("the answer is not a JSON object");
    return document.object();
}

// The "fn" of a jCard: ["vcard", [["version", {}, "text", "4.0"], ["fn", {}, "text", "Name"], ...]].
QString FullNameOf(const QJsonObject& entity)
{
    const QJsonArray card = entity.value(QLatin1String("vcardArray")).toArray();
    for (const QJsonValue& property : card.at(1).toArray()) {
        const QJsonArray p = property.toArray();
        if (p.at(0).toString() == QLatin1String("fn"))
            return p.at(3).toString();
    }
    return entity.value(QLatin1String("handle")).toString();
}

QString FirstLine(QString text)
{
    text = text.simplified();
    return text.left(200);
}

} // namespace

bool ReadRdapDomain(const QByteArray& body, RdapDomainRecord& record, QString* why)
{
    const QJsonObject object = ObjectOf(body, why);
    if (object.isEmpty()) {
        if (why && why->isEmpty())
            *why = QStringLiteral("the answer is empty");
        return false;
    }
    const QString objectClass = object.value(QLatin1String("objectClassName")).toString();
    if (objectClass != QLatin1String("domain")) {
        if (why)
            *why = objectClass.isEmpty() ? QStringLiteral("the answer is not an RDAP object")
                                         : QStringLiteral("the answer is an RDAP '%1', not a domain").arg(FirstLine(objectClass));
        return false;
    }
    record = RdapDomainRecord();
    record.name = object.value(QLatin1String("ldhName")).toString();
    if (record.name.isEmpty())
        record.name = object.value(QLatin1String("unicodeName")).toString();
    for (const QJsonValue& status : object.value(QLatin1String("status")).toArray())
        record.status.append(FirstLine(status.toString()));
    for (const QJsonValue& value : object.value(QLatin1String("entities")).toArray()) {
        const QJsonObject entity = value.toObject();
        for (const QJsonValue& role : entity.value(QLatin1String("roles")).toArray())
            if (role.toString() == QLatin1String("registrar") && record.registrar.isEmpty())
                record.registrar = FirstLine(FullNameOf(entity));
    }
    for (const QJsonValue& value : object.value(QLatin1String("events")).toArray()) {
        const QJsonObject event = value.toObject();
        const QString action = event.value(QLatin1String("eventAction")).toString();
        const QString date = FirstLine(event.value(QLatin1String("eventDate")).toString());
        if (action == QLatin1String("registration"))
            record.created = date;
        else if (action == QLatin1String("expiration"))
            record.expires = date;
    }
    for (const QJsonValue& value : object.value(QLatin1String("nameservers")).toArray())
        record.nameServers.append(FirstLine(value.toObject().value(QLatin1String("ldhName")).toString()));
    return true;
}

QStringList RdapRecordLines(const RdapDomainRecord& record)
{
    QStringList lines{QStringLiteral("Domain: ") + record.name.toUpper()};
    auto add = [&lines](const QString& label, const QString& value) {
        if (!value.isEmpty())
            lines.append(label + value);
    };
    add(QStringLiteral("Status: "), record.status.join(QStringLiteral(", ")));
    add(QStringLiteral("Registrar: "), record.registrar);
    add(QStringLiteral("Created: "), record.created);
    add(QStringLiteral("Expires: "), record.expires);
    for (const QString& server : record.nameServers)
        add(QStringLiteral("Name server: "), server);
    return lines;
}

QStringList RdapNotFoundLines(const QString& domain, const QByteArray& body)
{
    QString ignored;
    const QJsonObject error = ObjectOf(body, &ignored);
    QStringList lines;
    const QString title = FirstLine(error.value(QLatin1String("title")).toString());
    if (!title.isEmpty())
        lines.append(title);
    for (const QJsonValue& line : error.value(QLatin1String("description")).toArray())
        if (!line.toString().trimmed().isEmpty())
            lines.append(FirstLine(line.toString()));
    if (lines.isEmpty())
        lines.append(QStringLiteral("Not found: ") + domain);
    return lines;
}

namespace {

// A description is an array of lines; some servers send one string instead.
QStringList LinesOf(const QJsonValue& value)
{
    if (value.isString())
        return {value.toString()};
    QStringList lines;
    for (const QJsonValue& line : value.toArray())
        lines.append(line.toString());
    return lines;
}

bool SaysHeldBack(const QString& text)
{
    static const QRegularExpression rights(QStringLiteral(R"(\brights\s+reserved\b)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression held(QStringLiteral(R"(\b(reserved|blocked|premium)\b|not\s+available\s+for\s+registration)"),
                                         QRegularExpression::CaseInsensitiveOption);
    return QString(text).remove(rights).contains(held);
}

// Notices that every answer of a registry carries (terms of use, status codes, ...): their
// words are about the service, not about the name.
bool IsBoilerplate(const QString& noticeTitle)
{
    static const QRegularExpression boilerplate(
        QStringLiteral("term|condition|polic|legal|disclaimer|inaccura|status code|copyright"),
        QRegularExpression::CaseInsensitiveOption);
    return noticeTitle.contains(boilerplate);
}

// The registry's words when an answer says that it holds the name back; empty otherwise.
QString HeldBackWords(const QJsonObject& answer)
{
    QStringList texts{answer.value(QLatin1String("title")).toString()};
    texts += LinesOf(answer.value(QLatin1String("description")));
    for (const QJsonValue& value : answer.value(QLatin1String("notices")).toArray()) {
        const QJsonObject notice = value.toObject();
        const QString title = notice.value(QLatin1String("title")).toString();
        if (IsBoilerplate(title))
            continue;
        texts.append(title);
        texts += LinesOf(notice.value(QLatin1String("description")));
    }
    for (const QString& text : texts)
        if (SaysHeldBack(text))
            return FirstLine(text);
    return QString();
}

bool NamesDomain(QString name, const QString& asked)
{
    name = name.trimmed();
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name.compare(asked, Qt::CaseInsensitive) == 0)
        return true;
    const QString ace = QString::fromLatin1(QUrl::toAce(name, QUrl::AceProcessingOption::IgnoreIDNWhitelist));
    return !ace.isEmpty() && ace.compare(asked, Qt::CaseInsensitive) == 0;
}

} // namespace

RdapAnswer ClassifyRdapAnswer(int status, const QByteArray& body, const QString& asked)
{
    RdapAnswer answer;
    QString domain = asked;
    if (domain.endsWith(QLatin1Char('.')))
        domain.chop(1);
    QString ignored;
    const QJsonObject object = ObjectOf(body, &ignored);
    if (status == 404) {
        answer.lines = RdapNotFoundLines(domain, body);
        answer.reason = HeldBackWords(object);
        answer.kind = answer.reason.isEmpty() ? RdapAnswer::Kind::NotFound : RdapAnswer::Kind::Reserved;
        if (answer.reason.isEmpty())
            answer.reason = QStringLiteral("not found (RDAP 404)");
        return answer;
    }
    if (status != 200) {
        answer.reason = QStringLiteral("RDAP answered HTTP %1").arg(status);
        return answer;
    }
    RdapDomainRecord record;
    QString why;
    if (!ReadRdapDomain(body, record, &why)) {
        // An error object sent with 200: some registries say "reserved" that way.
        if (const QString words = HeldBackWords(object); !words.isEmpty()) {
            answer.kind = RdapAnswer::Kind::Reserved;
            answer.reason = words;
            answer.lines = RdapNotFoundLines(domain, body);
        } else {
            answer.reason = QStringLiteral("RDAP: ") + why;
        }
        return answer;
    }
    const QStringList names{object.value(QLatin1String("ldhName")).toString(),
                            object.value(QLatin1String("unicodeName")).toString()};
    bool named = false;
    bool namesAsked = false;
    for (const QString& name : names) {
        named = named || !name.trimmed().isEmpty();
        namesAsked = namesAsked || (!name.trimmed().isEmpty() && NamesDomain(name, domain));
    }
    if (named && !namesAsked) {
        answer.kind = RdapAnswer::Kind::OtherDomain;
        answer.reason = QStringLiteral("RDAP: the domain object is for %1, not %2").arg(FirstLine(record.name), domain);
        return answer;
    }
    answer.kind = RdapAnswer::Kind::Found;
    answer.reason = QStringLiteral("registered (RDAP domain object)");
    answer.lines = RdapRecordLines(record);
    return answer;
}
