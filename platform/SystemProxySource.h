#pragma once
#include <QByteArray>
#include <QString>

// Where the system keeps the current user's web proxy: two named values, "ProxyServer"
// ("host:port") and "ProxyEnable", each read with its stored type. On Windows these live
// in the Internet Settings key of the registry; elsewhere an implementation maps the
// platform's own setting onto them.
enum class ProxyValueType {
    Missing,            // no such value
    String,
    ExpandableString,   // a string that may hold %VARIABLES%
    Integer,
    Binary,
    Other,              // any other stored type
};

struct ProxyValue {
    ProxyValueType type = ProxyValueType::Missing;
    QString text;        // String, ExpandableString
    qint64 number = 0;   // Integer
    QByteArray bytes;    // Binary

    static ProxyValue String(const QString& t) { return {ProxyValueType::String, t, 0, {}}; }
    static ProxyValue ExpandableString(const QString& t) { return {ProxyValueType::ExpandableString, t, 0, {}}; }
    static ProxyValue Integer(qint64 n) { return {ProxyValueType::Integer, {}, n, {}}; }
    static ProxyValue Binary(const QByteArray& b) { return {ProxyValueType::Binary, {}, 0, b}; }
    static ProxyValue OtherType() { return {ProxyValueType::Other, {}, 0, {}}; }
};

class ISystemProxySource {
public:
    virtual ~ISystemProxySource() = default;
    // The named value as stored; Missing when there is none.
    virtual ProxyValue Value(const QString& name) const = 0;
};
