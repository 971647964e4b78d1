#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The command line of tarnwick-cli, checked for form. What it names in the program's
// files (keys, TLDs) is checked later, once those files are read.

// The exit codes that scripts rely on.
enum ExitCode : int {
    ExitSuccess = 0,       // the reply was obtained; the run reached its end with a verdict for every domain
    ExitFailure = 1,       // the lookup failed, the run ended early
    ExitUsage = 2,         // the command line was wrong; nothing was done
    ExitDomainErrors = 3,  // the run reached its end, but some domains ended in an error
};

// How auto and check print their results: the entries as the window shows them, or one
// record per domain as tab-separated fields or as a JSON object.
enum class OutputFormat { Text, Tsv, Jsonl };

// --set SECTION/KEY=VALUE
struct SettingOverride {
    QString section;
    QString key;
    QString value;
};

// --server TLD=SERVER
struct ServerOverride {
    QString tld;
    QString server;
};

// The answers given for the message boxes that ask a question.
enum class ResultsFileAnswer { Overwrite, Append, Cancel };   // an existing results file
enum class ErrorAnswer { Continue, Stop };                    // the questions after an error

struct CliArguments {
    QString command;                  // "single", "auto", "check", "list", "tlds" or "routes"
    QStringList commandArguments;     // what follows the command
    QString programFolder;            // empty: the executable's folder
    QList<SettingOverride> settings;
    std::optional<QStringList> tlds;  // --tlds given: exactly these are ticked
    QList<ServerOverride> servers;
    quint16 whoisPort = 43;
    QString rdapBootstrap;            // --rdap-bootstrap: a bootstrap file in IANA's format
    QString dnsServer;                // --dns-server: the resolver's address; empty: the system's
    quint16 dnsPort = 53;
    ResultsFileAnswer results = ResultsFileAnswer::Append;
    ErrorAnswer onError = ErrorAnswer::Continue;
    OutputFormat format = OutputFormat::Text;
    bool resume = false;              // auto --resume: go on where the last stopped auto run stopped
};

struct ParsedCommandLine {
    enum class Outcome { Run, Help, Version, UsageError };
    Outcome outcome = Outcome::UsageError;
    CliArguments arguments;
    QString error;                    // one line, for UsageError
};

// `arguments` as QCoreApplication::arguments() gives them (the program name first).
// Checks the options' forms and the command's name; the number of the command's
// arguments is the command's own business.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString VersionText();
