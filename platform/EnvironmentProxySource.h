#pragma once
#include "platform/SystemProxySource.h"
#include <QProcessEnvironment>

// The system proxy on Linux: the standard "http_proxy" variable (or "HTTP_PROXY" when the
// lower-case one is unset or empty), of the form [http://][user:pass@]host[:port][/].
// A usable value gives "ProxyServer" = "host:port" (or "host" without a port) and
// "ProxyEnable" = the integer 1; otherwise both values are missing. The credentials in
// the variable are not handed on.
class EnvironmentProxySource : public ISystemProxySource {
public:
    EnvironmentProxySource() : environment_(QProcessEnvironment::systemEnvironment()) {}
    explicit EnvironmentProxySource(const QProcessEnvironment& environment) : environment_(environment) {}

    ProxyValue Value(const QString& name) const override;

    // "host:port" from a proxy variable's text, or empty when it names no host.
    static QString ProxyServerFromVariable(const QString& variable);

private:
    QProcessEnvironment environment_;
};
