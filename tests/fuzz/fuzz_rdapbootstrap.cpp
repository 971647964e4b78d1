// A bootstrap file (IANA's dns.json format) and an overrides file: a domain's lookup finds
// nothing or an http(s) base URL ending in "/".
#include "FuzzInput.h"
#include "engine/lookup/RdapBootstrap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [overrides, json] = SplitAtZero(data, size);
    QHash<QString, QString> services;
    QString why;
    const bool parsed = TRdapBootstrap::ParseIana(json, services, &why);
    if (parsed == services.isEmpty() || (!parsed && why.isEmpty()))
        __builtin_trap();
    TRdapBootstrap bootstrap;
    bootstrap.Use(services, TRdapBootstrap::ParseOverrides(overrides));
    for (const QString& label : bootstrap.Labels()) {
        const QString base = bootstrap.BaseUrlForDomain(QStringLiteral("name.") + label);
        if (!base.isEmpty() && (!base.endsWith(QLatin1Char('/')) || !base.startsWith(QLatin1String("http"))))
            __builtin_trap();
    }
    return 0;
}
