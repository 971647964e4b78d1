#include "cli/CliSession.h"
#include "cli/CheckNames.h"
#include "cli/DomainRecord.h"
#include "cli/StopOnInterrupt.h"
#include "engine/lookup/RdapBootstrapRefresh.h"
#include <QFile>
#include <QFileInfo>
#include "platform/ProgramFolder.h"
#include "settings/MainOptionsFile.h"
#include "settings/ProxySettings.h"
#include "settings/ServerAssignment.h"

CliSession::CliSession(const CliArguments& arguments)
    : arguments_(arguments)
    , boxes_(console_, arguments.results, arguments.onError)
{
    engine_.setView(&view_);
    engine_.setMessageBoxes(&boxes_);
    view_.setFormat(arguments.format);
    // Nobody reads the results any more: stop as the Stop button does.
    console_.setOnOutputClosed([this] { engine_.RequestStop(); });
}

QString CliSession::Open(bool loadDictionary)
{
    // The window's rule for where files live; --program-folder puts them all in one folder.
    const QString executableFolder = ProgramFolderOfExecutable();
    const FileLocations locations = arguments_.programFolder.isEmpty()
        ? FileLocations::ForExecutable(executableFolder)
        : FileLocations::InOneFolder(arguments_.programFolder, InstalledDataFolderOf(executableFolder));
    locations.MakeWritableFolders();
    engine_.setFileLocations(locations);
    settings_ = SettingsOverlay::Load(locations, arguments_.settings);
    if (!settings_.error.isEmpty())
        return settings_.error;

    LoadOptions();
    if (loadDictionary) {
        LoadDictionary();
        NoteUnreadableImportList();
    }
    ApplyAdvancedSettings();
    // The bootstrap first: the TLDs it names join the table of TLDs in use.
    if (QString error = UseRdapBootstrap(); !error.isEmpty())
        return error;
    BuildTLDInfoList();
    ApplyServerOverrides();
    if (QString error = ApplyTickedTlds(); !error.isEmpty())
        return error;
    engine_.Whois1.Port = arguments_.whoisPort;
    engine_.DnsResolver.server = arguments_.dnsServer;
    engine_.DnsResolver.port = arguments_.dnsPort;

    view_.applyOptions(options_);
    return QString();
}

void CliSession::LoadOptions()
{
    // The window's initial values, then every key of the settings (which, without a
    // Settings.dat, are those same values with the --set ones written over them).
    const QString& resultsFolder = engine_.fileLocations().resultsFolder;
    options_ = FirstStartOptions(resultsFolder);
    LoadMainOptions(settings_.settings, resultsFolder, options_);
}

void CliSession::LoadDictionary()
{
    if (engine_.LoadDictionary()) {
        // Soundex.dat is made from the dictionary when it is missing, as at the window's start.
        if (options_.SoundexCheck)
            engine_.LoadOrBuildSoundexFile();
        return;
    }
    if (options_.DictCheck || options_.SoundexCheck) {
        const QString path = engine_.shippedDataFile(QStringLiteral("english.dat"));
        console_.printMessage(QStringLiteral("tarnwick-cli: the dictionary %1 %2; the dictionary and sounds-like sources are off")
                                  .arg(path, QFileInfo::exists(path) ? QStringLiteral("cannot be read") : QStringLiteral("is missing")));
    }
    // Without the dictionary its two sources are unavailable, whatever the options say.
    options_.DictCheck = false;
    options_.SoundexCheck = false;
}

// The import-list source gives up on a file it cannot read; say so before the run.
void CliSession::NoteUnreadableImportList()
{
    if (!options_.CustomListCheck)
        return;
    QFile file(options_.UseList);
    if (options_.UseList.isEmpty())
        console_.printMessage(QStringLiteral("tarnwick-cli: no import list is named (CustomList/UseList); the import-list source gives no names"));
    else if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        console_.printMessage(QStringLiteral("tarnwick-cli: the import list %1 cannot be read; the import-list source gives no names")
                                  .arg(options_.UseList));
}

void CliSession::ApplyAdvancedSettings()
{
    if (settings_.fileExists && !settings_.fileReadable)
        engine_.ShowMessage(MessageKind::Error, QStringLiteral("Error loading settings"), MbOk);
    LoadAdvancedSettings(settings_.settings, advanced_);
    engine_.NewServerList = advanced_.NewServerList;
    engine_.NewMatchList = advanced_.NewMatchList;
    engine_.NewDomainList = advanced_.NewDomainList;
    engine_.RdapEnabled = advanced_.Rdap;
    engine_.LookupParallel = advanced_.Parallel;
    engine_.LookupPerServer = advanced_.PerServer;
    engine_.DnsPrecheck = advanced_.DnsPrecheck;
    engine_.SetLookupTimeout(advanced_.Timeout);
    engine_.LookupSelfCheck = advanced_.SelfCheck;
    engine_.RdapPinnedTlds = QSet<QString>(advanced_.AssignedFirstList.cbegin(), advanced_.AssignedFirstList.cend());

    const ProxyBoxes proxy = ProxyBoxesOf(advanced_);
    engine_.ProxyEntries = proxy;   // compared with the system's proxy after failed lookups
    ApplyProxySettings(proxy, engine_.Http);

    const int cacheDays = qBound(1, advanced_.IECache, 120);
    engine_.TakenListCache.CacheDays = [cacheDays] { return cacheDays; };
}

// --rdap-bootstrap FILE replaces the bootstrap and its overrides for the run; without it
// the copy refreshed into the cache folder (by the window) or the shipped one is used.
QString CliSession::UseRdapBootstrap()
{
    if (arguments_.rdapBootstrap.isEmpty()) {
        UseBestRdapBootstrap(engine_.RdapBootstrap, engine_.TakenListCache.CacheFolder());
        return QString();
    }
    QFile file(arguments_.rdapBootstrap);
    QHash<QString, QString> services;
    QString why = QStringLiteral("it cannot be read");
    if (!file.open(QIODevice::ReadOnly) || !TRdapBootstrap::ParseIana(file.read(4LL << 20), services, &why))
        return QStringLiteral("--rdap-bootstrap: '%1' is no RDAP bootstrap file: %2").arg(arguments_.rdapBootstrap, why);
    engine_.RdapBootstrap.Use(services, {});
    return QString();
}

void CliSession::BuildTLDInfoList()
{
    TServerAssignment assignment(engine_);
    assignment.BuildAtStartup();
    tldBox_ = assignment.TLDBoxItems();

    // The ticks as this run reads Settings.dat, --set values included.
    assignment.ReadTicks(settings_.settings);
}

void CliSession::ApplyServerOverrides()
{
    for (const ServerOverride& o : arguments_.servers) {
        engine_.RdapPinnedTlds.insert(o.tld.toLower());   // the named server answers, not RDAP
        const QString matchText = engine_.FindMatchTextForServer(o.server);
        if (TLDInfo* entry = engine_.TLDInfoList.Find(o.tld)) {
            entry->Server = o.server;
            entry->MatchText = matchText;
        } else {
            // A TLD the table does not know yet joins it for this run, unticked.
            engine_.TLDInfoList.Add(o.tld.toLower(), o.server, matchText, false);
        }
    }
}

QString CliSession::ApplyTickedTlds()
{
    if (!arguments_.tlds)
        return QString();
    for (int i = 0; i < engine_.TLDInfoList.Count(); ++i)
        engine_.TLDInfoList.At(i).Checked = false;
    for (const QString& tld : *arguments_.tlds) {
        TLDInfo* entry = engine_.TLDInfoList.Find(tld);
        if (!entry)
            return QStringLiteral("--tlds: %1 is not in the table of TLDs in use (see tarnwick-cli tlds)").arg(tld);
        entry->Checked = true;
    }
    return QString();
}

void CliSession::BeginSearch()
{
    engine_.ResetCounters();
    view_.setProgressPosition(0);
    for (auto list : {ISearchView::ResultList::All, ISearchView::ResultList::Errors, ISearchView::ResultList::Taken,
                      ISearchView::ResultList::Free})
        view_.clearResults(list);
    engine_.ForgetFailures();
    view_.setCounterText(engine_.CounterText());
    engine_.StopRequest = 0;
    view_.UpdateDisplayforStart(true);
}

void CliSession::EndSearch()
{
    view_.UpdateDisplayforStart(false);
    progress_.finish();
}

int CliSession::RunAutomatedSearch(CheckNames* names)
{
    BeginSearch();
    if (arguments_.format == OutputFormat::Tsv)
        console_.printResult(TsvHeader());
    bool reachedEnd = false;
    {
        StopOnInterrupt ctrlC(engine_);
        engine_.RunMultipleSearch(names);
        // Every No or Cancel given to a question of the run ends it there. The names of
        // check may be none at all; a run over the name sources then ends early.
        const bool namesEnded = !names || names->ended();
        reachedEnd = namesEnded && view_.runReachedEnd(names != nullptr) && engine_.StopRequest == 0
            && !boxes_.declinedAQuestion();
    }
    EndSearch();
    // The counters stay out of a stream of records.
    if (arguments_.format == OutputFormat::Text)
        console_.printResult(view_.counterText());
    else
        console_.printMessage(view_.counterText());
    if (!reachedEnd)
        return ExitFailure;
    return view_.domainErrors() > 0 ? ExitDomainErrors : ExitSuccess;
}
