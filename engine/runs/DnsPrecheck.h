#pragma once
#include "engine/dns/DnsResolver.h"
#include <QObject>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <functional>

class TMisc1;

// The DNS step of an automated run: before a registry is asked about a domain, the
// resolver is asked for its NS records, and a delegated name is taken. DNS never makes a
// name free: no delegation, NXDOMAIN, SERVFAIL or silence leave the domain to the registry.
//
// A resolver that claims made-up names exist is not trusted: CheckResolver() asks about
// one random name per ticked TLD before the run and switches the step off for the TLDs
// where it lies, or for the whole run when it does not answer at all; a TLD that comes up
// later (a name that carries its own) is checked so at its first domain, whose question
// waits for it. A resolver that stops answering during the run is not asked any more.
// Each such case is said once, through `notify`.
class TDnsPrecheck : public QObject {
    Q_OBJECT
public:
    explicit TDnsPrecheck(TMisc1& engine, QObject* parent = nullptr);

    // Runs the event loop until every TLD's made-up name is answered, at most
    // engine.DnsProbeBoundMs; Stop ends it at once. `notify` hears, now and for the rest
    // of the run, what was switched off.
    void CheckResolver(const QStringList& tlds, std::function<void(const QString&)> notify);
    // Whether domains under `tld` are asked in DNS first (lower case, with its dot).
    bool AppliesTo(const QString& tld) const;

    // Asks about `domain` ("name.tld" as the registry would be asked) under `tld`; `done`
    // hears whether it is delegated. Returns a ticket for Forget().
    using Callback = std::function<void(bool delegated)>;
    quint64 Ask(const QString& domain, const QString& tld, Callback done);
    void Forget(quint64 ticket);
    // Stop: every question ends unheard, nothing more is sent.
    void StopAll();

    // The resolver asked, for the reasons of the verdicts it gave.
    QString server() const { return resolver_.serverName(); }

private:
    struct Parked {
        quint64 ticket;
        QString domain;
        Callback done;
    };
    void AskResolver(quint64 ticket, const QString& domain, Callback done);
    void CheckTld(const QString& tld);
    void TakeTldCheck(const QString& tld, NsAnswer answer);
    void SwitchOffForTlds(const QStringList& tlds);
    void TakeAnswer(NsAnswer answer);
    void SwitchOffForRun(const QString& why);

    TMisc1& engine_;
    std::function<void(const QString&)> notify_ = [](const QString&) {};
    TDnsResolver resolver_;
    bool offForRun_ = false;
    QSet<QString> checkedTlds_;             // their made-up name was asked about
    QSet<QString> checkingTlds_;            // ... and is being asked about now
    QSet<QString> offForTld_;
    QHash<QString, QList<Parked>> parked_;  // questions waiting for their TLD's check
    QHash<quint64, quint64> atResolver_;    // our ticket -> the resolver's
    quint64 nextTicket_ = 1;
    int silentInARow_ = 0;   // questions in a row that got no reply at all
};
