#include "engine/lookup/RdapReply.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
