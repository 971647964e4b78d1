#pragma once
#include "FakeSearchView.h"
#include "FakeSystemProxySource.h"
#include "LoopbackHttpServer.h"
#include "LoopbackWhoisServer.h"
#include "ScriptedMessageBoxes.h"
#include "engine/Misc1.h"
#include <QFile>
#include <QTemporaryDir>
#include <QUrlQuery>

// Everything a whole search run needs, on loopback: the engine with a fake window,
// scripted message boxes and a fake system proxy, one whois server and one HTTP server.
//
// The servers answer by the beginning of the name looked up, so a test picks each
// domain's outcome through its name:
//   free...  the "not registered" phrase ("No match")
//   taken... a registration record
//   host...  a reply reporting "Error WSAHOST_NOT_FOUND"
//   fail...  (HTTP only) status 500, a failed fetch
// Names come from an import file in the temporary folder; the results file lives there.
class SearchRunHarness {
public:
    QTemporaryDir dir;
    LoopbackWhoisServer whois;
    LoopbackHttpServer http;
    TMisc1 engine;
    FakeSearchView view;
    ScriptedMessageBoxes boxes;
    FakeSystemProxySource systemProxy;

    SearchRunHarness()
    {
        whois.listen();
        http.listen();
        engine.setView(&view);
        engine.setMessageBoxes(&boxes);
        engine.setSystemProxySource(&systemProxy);
        engine.setProgramFolder(dir.path());
        engine.Whois1.Port = whois.port();
        // Short bounds, so a fault that leaves a wait open ends the test quickly instead of hanging it.
        engine.Whois1.ConnectTimeoutMs = engine.Whois1.IdleTimeoutMs = 5000;
        engine.Http.IdleTimeoutMs = 5000;
        // The suite runs a second time with one lookup at a time (tests/CMakeLists.txt).
        if (const int parallel = qEnvironmentVariableIntValue("TARNWICK_TEST_LOOKUP_PARALLEL"); parallel > 0)
            engine.LookupParallel = parallel;
        engine.whoisQuery().FirstRefusalPauseMs = 20;
        engine.whoisQuery().RefusalBoundMs = 100;
        whois.setResponder([](const QByteArray& query) { return ReplyFor(query); });
        http.setHandler([](const HttpRequestSeen& request) {
            if (request.target.startsWith("/html/edomains.htm"))   // the FI registry's list of taken names
                return ScriptedReply::Page("<br>takenlisted.fi\n<br>another.fi\n");
            const QByteArray domain = QUrlQuery(QString::fromLatin1(request.target.mid(request.target.indexOf('?') + 1)))
                                          .queryItemValue(QStringLiteral("d"))
                                          .toLatin1();
            if (domain.startsWith("fail"))
                return ScriptedReply::Page("Internal error", 500);
            return ScriptedReply::Page(ReplyFor(domain));
        });

        view.opts.CustomListCheck = true;
        view.opts.UseList = dir.filePath(QStringLiteral("names.txt"));
        view.opts.SepCombo = 0;
        view.opts.SaveCheck = true;
        view.opts.AutoSaveEdit = resultsPath();
    }

    static QByteArray ReplyFor(const QByteArray& domain)
    {
        if (domain.startsWith("free"))
            return "No match for \"" + domain.toUpper() + "\".\r\n>>> Last update of whois database <<<\r\n";
        if (domain.startsWith("host"))
            return "Error WSAHOST_NOT_FOUND\r\n";
        return "   Domain Name: " + domain.toUpper() + "\r\n   Registrar: Example Registrar\r\n";
    }

    QString resultsPath() const { return dir.filePath(QStringLiteral("Tarnwick.txt")); }

    // A whois server that refuses every connection: nothing listens on 127.0.0.2.
    static QString RefusingWhoisHost() { return QStringLiteral("127.0.0.2"); }
    QString httpTemplate() const { return QString::fromLatin1(http.origin()) + QStringLiteral("/lookup?d=<name>"); }

    void setNames(const QStringList& names)
    {
        QFile file(view.opts.UseList);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(names.join(QStringLiteral("\r\n")).toLatin1());
    }

    TLDInfo& addTLD(const QString& tld, const QString& server, bool checked = true,
                    const QString& match = QStringLiteral("No match"))
    {
        return engine.TLDInfoList.Add(tld, server, match, checked);
    }
    TLDInfo& addWhoisTLD(const QString& tld, bool checked = true) { return addTLD(tld, QStringLiteral("127.0.0.1"), checked); }
    TLDInfo& addHttpTLD(const QString& tld, bool checked = true) { return addTLD(tld, httpTemplate(), checked); }

    // A system proxy that the program's own (empty) proxy entries do not match.
    void setDifferingSystemProxy()
    {
        systemProxy.set(QStringLiteral("ProxyServer"), ProxyValue::String(QStringLiteral("proxy.example:8080")));
    }

    // What the Start button does before an automated run, then the run itself.
    void runAutomated()
    {
        engine.ResetCounters();
        view.counterText = engine.CounterText();
        view.progressPosition = 0;
        for (QStringList& list : view.lists)
            list.clear();
        engine.FailedServers.Clear();
        engine.StopRequest = 0;
        view.UpdateDisplayforStart(true);
        view.displayCalls.clear();
        engine.RunMultipleSearch();
    }

    // What the Start button does before a single search, then the search.
    void runSingle()
    {
        engine.FailedServers.Clear();
        engine.StopRequest = 0;
        engine.RunSingleSearch();
    }

    QByteArray resultsFile() const
    {
        QFile file(resultsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray Header()
    {
        return "--------------------\r\n Tarnwick Results File\r\n\r\nVisit https://www.tarnwick.org/\r\n"
               "--------------------\r\n";
    }
};
