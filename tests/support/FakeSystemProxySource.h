#pragma once
#include "platform/SystemProxySource.h"
#include <QHash>

// System proxy values for tests: every value type can be stored under any name.
class FakeSystemProxySource : public ISystemProxySource {
public:
    QHash<QString, ProxyValue> values;

    void set(const QString& name, const ProxyValue& value) { values.insert(name, value); }
    ProxyValue Value(const QString& name) const override { return values.value(name); }
};
