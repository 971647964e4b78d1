#include "engine/lookup/DefaultTLDInfoList.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/TLDInfoList.h"

void BuildDefaultTLDInfoList(const BuiltinTables& tables, TTLDInfoList& list, const QList<bool>& checkStates)
{
    list.Clear();
    for (int k = 0; k < tables.TLDCount(); ++k) {
        const QStringList indexes = tables.GetTLDServerIndexes(k);
        // A row without a usable first index gets an empty server, which the lookup
        // reports as "no server" instead of asking the wrong one.
        bool isNumber = false;
        int server = indexes.isEmpty() ? -1 : indexes.first().toInt(&isNumber);
        if (!isNumber)
            server = -1;
        list.Add(QLatin1Char('.') + tables.GetTLDName(k), tables.GetServerName(server),
                 tables.GetServerMatchText(server), checkStates.value(k, false));
    }
}
