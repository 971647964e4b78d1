#pragma once
#include "cli/CommandLine.h"
#include <QString>

// One checked domain as --format tsv and jsonl print it.
struct DomainRecord {
    QString domain;    // as looked up: lower case, a name in another script by its A-label
    QString name;      // the name of the search list (upper case)
    QString tld;       // ".com"; empty for an invalid name that came without one
    QString verdict;   // free, taken, error or invalid
    QString status;    // the result entry's text after the domain
    QString route;     // rdap, whois, http, cache or dns; empty when nothing was asked
    QString server;
    QString reason;    // what decided, or why there is no verdict
    qint64 ms = 0;     // how long the lookup took
};

// The line of a record, without its line break; tsv has a header line first.
QString RecordLine(OutputFormat format, const DomainRecord& record);
QString TsvHeader();
