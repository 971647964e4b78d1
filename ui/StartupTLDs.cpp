#include "ui/StartupTLDs.h"
#include "engine/Misc1.h"
#include "settings/ProxySettings.h"
#include "settings/ServerAssignment.h"
#include "settings/SettingsFile.h"
#include <QFileInfo>

void LoadAdvancedSettingsAtStartup(TMisc1& engine, AdvancedSettings& settings)
{
    const QString path = engine.settingsFile(QString::fromLatin1(SettingsFileName()));
    if (QFileInfo::exists(path) && !LoadAdvancedSettings(path, settings))
        engine.ShowMessage(MessageKind::Error, QStringLiteral("Error loading settings"), MbOk);

    engine.NewServerList = settings.NewServerList;
    engine.NewMatchList = settings.NewMatchList;
    engine.NewDomainList = settings.NewDomainList;
    const int days = qBound(1, settings.IECache, 120);
    engine.TakenListCache.CacheDays = [days] { return days; };
    engine.ProxyEntries = ProxyBoxesOf(settings);   // compared with the system's proxy after failed lookups
    ApplyProxySettings(engine.ProxyEntries, engine.Http);
}

void BuildTLDsAtStartup(TMisc1& engine, TServerAssignment& assignment)
{
    engine.TLDInfoList.Clear();
    assignment.BuildAtStartup();
}

void WarnAboutProxyAtStartup(TMisc1& engine, const AdvancedSettings& settings, const std::function<void()>& showMainWindow)
{
    WarnAboutProxy(engine.systemProxySource(), ProxyBoxesOf(settings), engine.messageBoxes(), showMainWindow);
}
