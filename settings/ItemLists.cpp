#include "settings/ItemLists.h"
#include "settings/IniFile.h"

void WriteItemList(IniFile& settings, const QStringList& list, const QString& section)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        settings.WriteString(section, QStringLiteral("Item") + QString::number(i), list[i]);
}

void ReadItemList(const IniFile& settings, QStringList& list, const QString& section, bool lowerCase)
{
    list.clear();
    for (int i = 0;; ++i) {
        const QString item = settings.ReadString(section, QStringLiteral("Item") + QString::number(i), QString());
        if (item.isEmpty())
            break;
        list.append(lowerCase ? item.toLower() : item);
    }
}
