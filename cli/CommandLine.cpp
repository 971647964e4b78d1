#include "cli/CommandLine.h"
#include "engine/ProjectInfo.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <array>
#include <utility>

namespace {

const QStringList kCommands = {QStringLiteral("single"), QStringLiteral("auto"),   QStringLiteral("check"),
                               QStringLiteral("list"),   QStringLiteral("tlds"),   QStringLiteral("routes")};

// The last value of an option given more than once wins, as with most programs.
QString lastValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const QStringList values = parser.values(option);
    return values.isEmpty() ? QString() : values.last();
}

bool parseSetting(const QString& text, SettingOverride& setting)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    const qsizetype equals = text.indexOf(QLatin1Char('='), slash + 1);
    if (slash < 0 || equals < 0 || text.left(slash).contains(QLatin1Char('=')))
        return false;
    setting.section = text.left(slash).trimmed();
    setting.key = text.mid(slash + 1, equals - slash - 1).trimmed();
    setting.value = text.mid(equals + 1);
    return !setting.section.isEmpty() && !setting.key.isEmpty();
}

bool isTld(const QString& tld)
{
    return tld.size() > 1 && tld.startsWith(QLatin1Char('.'));
}

bool parseServer(const QString& text, ServerOverride& server)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    server.tld = text.left(equals).trimmed();
    server.server = text.mid(equals + 1).trimmed();
    return isTld(server.tld) && !server.server.isEmpty();
}

// HOST[:PORT], HOST an IPv4 or IPv6 address (an IPv6 address with a port in brackets).
bool parseDnsServer(const QString& text, QString& host, quint16& port)
{
    QString address = text.trimmed();
    QString portText;
    if (address.startsWith(QLatin1Char('['))) {
        const qsizetype close = address.indexOf(QLatin1Char(']'));
        if (close < 0)
            return false;
        const QString rest = address.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))
            return false;
        portText = rest.mid(1);
        address = address.mid(1, close - 1);
        if (!rest.isEmpty() && portText.isEmpty())
            return false;
    } else if (address.count(QLatin1Char(':')) == 1) {
        portText = address.section(QLatin1Char(':'), 1);
        address = address.section(QLatin1Char(':'), 0, 0);
        if (portText.isEmpty())
            return false;
    }
    if (QHostAddress(address).isNull())
        return false;
    if (!portText.isEmpty()) {
        bool ok = false;
        const uint number = portText.toUInt(&ok, 10);
        if (!ok || number < 1 || number > 65535)
            return false;
        port = static_cast<quint16>(number);
    }
    host = QHostAddress(address).toString();
    return true;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments)
{
    ParsedCommandLine parsed;
    CliArguments& args = parsed.arguments;
    auto usageError = [&parsed](const QString& reason) {
        parsed.outcome = ParsedCommandLine::Outcome::UsageError;
        parsed.error = reason;
        return parsed;
    };

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    const QCommandLineOption folder(QStringLiteral("program-folder"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption set(QStringLiteral("set"), QString(), QStringLiteral("SECTION/KEY=VALUE"));
    const QCommandLineOption tlds(QStringLiteral("tlds"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption server(QStringLiteral("server"), QString(), QStringLiteral("TLD=SERVER"));
    const QCommandLineOption whoisPort(QStringLiteral("whois-port"), QString(), QStringLiteral("N"));
    const QCommandLineOption rdapBootstrap(QStringLiteral("rdap-bootstrap"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption dnsServer(QStringLiteral("dns-server"), QString(), QStringLiteral("HOST[:PORT]"));
    const QCommandLineOption results(QStringLiteral("results"), QString(), QStringLiteral("ANSWER"));
    const QCommandLineOption onError(QStringLiteral("on-error"), QString(), QStringLiteral("ANSWER"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("FORMAT"));
    const QCommandLineOption resume(QStringLiteral("resume"), QString());
    parser.addOptions({help, version, folder, set, tlds, server, whoisPort, rdapBootstrap, dnsServer, results, onError, format, resume});

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        parsed.outcome = ParsedCommandLine::Outcome::Help;
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.outcome = ParsedCommandLine::Outcome::Version;
        return parsed;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("no command given (see tarnwick-cli --help)"));
    args.command = positional.first();
    if (!kCommands.contains(args.command))
        return usageError(QStringLiteral("unknown command '%1' (see tarnwick-cli --help)").arg(args.command));
    args.commandArguments = positional.mid(1);

    if (parser.isSet(folder)) {
        const QString dir = lastValue(parser, folder);
        if (dir.isEmpty() || !QFileInfo(dir).isDir())
            return usageError(QStringLiteral("--program-folder: '%1' is not a folder").arg(dir));
        args.programFolder = QDir(dir).absolutePath();
    }

    for (const QString& text : parser.values(set)) {
        SettingOverride setting;
        if (!parseSetting(text, setting))
            return usageError(QStringLiteral("--set: '%1' is not SECTION/KEY=VALUE").arg(text));
        args.settings.append(setting);
    }

    if (parser.isSet(tlds)) {
        QStringList ticked;
        for (const QString& item : lastValue(parser, tlds).split(QLatin1Char(','))) {
            const QString tld = item.trimmed();
            if (tld.isEmpty())
                continue;
            if (!isTld(tld))
                return usageError(QStringLiteral("--tlds: '%1' is not a TLD with its leading dot").arg(tld));
            ticked.append(tld);
        }
        args.tlds = ticked;
    }

    for (const QString& text : parser.values(server)) {
        ServerOverride s;
        if (!parseServer(text, s))
            return usageError(QStringLiteral("--server: '%1' is not TLD=SERVER (a TLD with its leading dot)").arg(text));
        args.servers.append(s);
    }

    if (parser.isSet(whoisPort)) {
        bool ok = false;
        const QString text = lastValue(parser, whoisPort);
        const uint port = text.toUInt(&ok, 10);
        if (!ok || port < 1 || port > 65535)
            return usageError(QStringLiteral("--whois-port: '%1' is not a port number from 1 to 65535").arg(text));
        args.whoisPort = static_cast<quint16>(port);
    }

    if (parser.isSet(rdapBootstrap)) {
        args.rdapBootstrap = lastValue(parser, rdapBootstrap);
        if (!QFileInfo(args.rdapBootstrap).isFile())
            return usageError(QStringLiteral("--rdap-bootstrap: '%1' is not a file").arg(args.rdapBootstrap));
    }

    if (parser.isSet(dnsServer)) {
        const QString text = lastValue(parser, dnsServer);
        if (!parseDnsServer(text, args.dnsServer, args.dnsPort))
            return usageError(QStringLiteral("--dns-server: '%1' is not an IP address, with :PORT after it if wanted").arg(text));
    }

    // An option that takes one word of a few: a usage error names the option and the words.
    auto choose = [&](const QCommandLineOption& option, auto choices, auto& value) {
        if (!parser.isSet(option))
            return true;
        const QString word = lastValue(parser, option);
        QStringList words;
        for (const auto& [name, choice] : choices) {
            words.append(QLatin1String(name));
            if (word == QLatin1String(name)) {
                value = choice;
                return true;
            }
        }
        const QString last = words.takeLast();
        usageError(QStringLiteral("--%1: '%2' is not %3 or %4").arg(option.names().constFirst(), word, words.join(QStringLiteral(", ")), last));
        return false;
    };
    using Results = std::pair<const char*, ResultsFileAnswer>;
    using OnError = std::pair<const char*, ErrorAnswer>;
    using Format = std::pair<const char*, OutputFormat>;
    if (!choose(results, std::array{Results{"overwrite", ResultsFileAnswer::Overwrite}, Results{"append", ResultsFileAnswer::Append},
                                    Results{"cancel", ResultsFileAnswer::Cancel}}, args.results)
        || !choose(onError, std::array{OnError{"continue", ErrorAnswer::Continue}, OnError{"stop", ErrorAnswer::Stop}}, args.onError)
        || !choose(format, std::array{Format{"text", OutputFormat::Text}, Format{"tsv", OutputFormat::Tsv}, Format{"jsonl", OutputFormat::Jsonl}},
                   args.format))
        return parsed;
    if (parser.isSet(format) && args.command != QLatin1String("auto") && args.command != QLatin1String("check"))
        return usageError(QStringLiteral("--format: only auto and check print results in formats"));
    args.resume = parser.isSet(resume);
    if (args.resume && args.command != QLatin1String("auto"))
        return usageError(QStringLiteral("--resume: only auto continues a stopped search"));

    parsed.outcome = ParsedCommandLine::Outcome::Run;
    return parsed;
}

QString HelpText()
{
    return QStringLiteral(R"(Usage: tarnwick-cli [OPTIONS] COMMAND [ARGS]

Checks domain names from a terminal with the engine, tables and files of Tarnwick.

Commands
  check [NAME...]   checks the given names under the ticked TLDs (see --tlds), without the name
                    sources and without a results file; a NAME with its TLD (example.com,
                    example.co.uk) is checked under that TLD only, ticked or not; with no NAME,
                    or NAME -, reads the names from standard input, one per line, and checks
                    each as soon as it comes; names are cleaned as an import list's are;
                    prints as auto does
  single NAME.TLD   the single search: prints each line that the results box would show, in order;
  single NAME TLD   exit 0 when a reply was obtained, 1 when the lookup failed
  auto              the automated search with the options the main window would load
                    (Settings.dat, or the window's first-start values when there is none)
                    and its ticked TLDs; prints each result entry as the all-results list shows it,
                    oldest first, one per line, as soon as it is made; the last line is the counter
                    label's text
  auto --resume     the same, from the domain where the last auto run with these options and TLDs
                    stopped (Ctrl-C, a question answered to stop), its results appended to its
                    results file; from the first name when there is none
  list              builds the search list from the same options and prints it, one name per line,
                    in order; no network
  tlds              prints TLDInfoList, one entry per line: TLD, Server, MatchText and Checked
                    (1 or 0), separated by tabs; the built-in table's 457 TLDs come first, then
                    the user's own, then today's TLDs that the table lacks (.app, .dev, ...)
  routes            prints, for each entry of TLDInfoList in order, the TLD, the route that answers
                    it first (rdap, whois, http or cache) and its endpoint (RDAP base URL, whois
                    host, URL template or the pseudo-server), separated by tabs

Options
  --program-folder DIR       the folder that holds Settings.dat, Config.dat, english.dat,
                             Soundex.dat, Cache/ and the default results file
                             (default: where the window keeps them)
  --set SECTION/KEY=VALUE    for this run, read VALUE for that Settings.dat key instead of the
                             file's value (nothing is written); a tick box takes 0 or 1, a number
                             its digits within the key's range, a choice its index; repeatable
  --tlds LIST                for this run, tick exactly these TLDs (comma-separated, each with its
                             dot; a TLD may be written in its own script: .рф)
  --server TLD=SERVER        for this run, use SERVER (a whois host or an HTTP URL template) for TLD,
                             and not RDAP; its match text is found as the program finds it for any
                             server; repeatable
  --rdap-bootstrap FILE      for this run, read the RDAP services from FILE (IANA's dns.json format)
                             instead of the shipped bootstrap and its overrides
  --whois-port N             connect to whois servers on port N (default 43)
  --dns-server HOST[:PORT]   ask this resolver (an IP address, port 53 unless given) in the DNS
                             pre-check instead of the system's (/etc/resolv.conf)
  --format text|tsv|jsonl    how auto and check print their results: text, the entries as above
                             (default); tsv, a header line and one line per domain with the fields
                             domain, name, tld, verdict, status, route, server, reason and ms
                             separated by tabs; jsonl, one JSON object per domain with those fields;
                             with tsv and jsonl the counters go to standard error
  --results overwrite|append|cancel
                             the answer to the question about an existing results file (default append)
  --on-error continue|stop   the answer to the questions asked after an error (default continue)
  -h, --help, --version

Settings.dat and Config.dat are read, never written; where auto stopped is kept in
LastSearch.ini beside them. Every message box is printed to
standard error as its kind, a colon, a blank and its text. Ctrl-C stops a search as the
Stop button does (press it again to quit at once); so does the end of the reader of
standard output (| head).

Exit status of auto and check: 0 the run reached its end and every domain got free or
taken (or its name was invalid); 3 it reached its end but some domains ended in an error;
1 it ended early (Ctrl-C, a question answered to stop, a closed standard output, for auto
also no ticked TLD or no names). 2 means a usage error, for every command.
See tarnwick-cli(1) for examples.
)");
}

QString VersionText()
{
    return QStringLiteral("tarnwick-cli (%1)\n"
                          "Licence GPL-3.0-or-later: the GNU General Public License, version 3 or later.\n"
                          "The dictionary comes from SCOWL and WordNet; their notices are in english.dat.copyright.\n")
        .arg(ProjectInfo::Version());
}
