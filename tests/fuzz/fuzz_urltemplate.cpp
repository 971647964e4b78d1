// Filling a URL template with a domain.
#include "FuzzInput.h"
#include "engine/lookup/UrlTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [urlTemplate, domain] = SplitAtZero(data, size);
    QRandomGenerator random(1);
    const QString url = FillUrlTemplate(QString::fromUtf8(urlTemplate), QString::fromUtf8(domain), random);
    // A domain can never bring a placeholder of its own into the URL.
    if (!QString::fromUtf8(urlTemplate).contains(QLatin1Char('<')) && url.contains(QLatin1Char('<')))
        __builtin_trap();
    return 0;
}
