#pragma once
#include "engine/MessagePump.h"
#include "engine/SearchView.h"
#include "engine/lookup/TLDInfoList.h"
#include "platform/MessageBoxes.h"
#include <QObject>
#include <QStringList>

// The search engine: owns the built-in tables, the table of TLDs in use, the network
// clients and the name lists, and carries the lookup, list-building and search
// operations. Everything runs on the user-interface thread.
//
// Each area keeps its work in a class of its own (engine/lookup, engine/names,
// engine/runs); TMisc1 owns one of each and offers their operations under the
// names the rest of the program uses.
class TMisc1 : public QObject {
    Q_OBJECT
public:
    explicit TMisc1(QObject* parent = nullptr);
    ~TMisc1() override;

    // --- Seams to the front end -------------------------------------------------
    void setView(ISearchView* view) { view_ = view; }
    ISearchView* view() const { return view_; }
    void setMessageBoxes(IMessageBoxes* boxes) { boxes_ = boxes ? boxes : &silentBoxes_; }
    IMessageBoxes& messageBoxes() const { return *boxes_; }
    MessageButton ShowMessage(MessageKind kind, const QString& text, int buttons) { return boxes_->Show(kind, text, buttons); }

    MessagePump& pump() { return pump_; }
    // Handles pending window messages (throttled), so the window repaints and Stop can be pressed.
    void ProcessMessages() { pump_.Process(); }

    void setProgramFolder(const QString& folder);
    const QString& programFolder() const { return programFolder_; }
    QString programFile(const QString& fileName) const;

    // --- Stop request -------------------------------------------------------------
    // 0 while a search may go on; the Stop button sets it to 1.
    int StopRequest = 0;
    void RequestStop();

    // Closes the whois and HTTP connections where they are open.
    void Disconnect();

    // --- Tables of TLDs and servers ----------------------------------------------
    TTLDInfoList TLDInfoList;
    QStringList NewServerList;   // servers the user added (lower case)
    QStringList NewMatchList;    // the match text of each, same position
    QStringList NewDomainList;   // TLDs the user added (lower case)

    // --- Built-in tables (forwarders) ---------------------------------------------
    // Read the built-in Servers, TLDs and NoStrings tables; none changes them.
    int ServerCount() const;                                   // lines of Servers
    int TLDCount() const;                                      // lines of TLDs
    QString GetServerName(int i) const;                        // full name of Servers line i; "" when empty
    QString GetServerMatchText(int i) const;                   // phrase of Servers line i
    QString FindMatchTextForServer(const QString& name) const; // user additions first, then Servers
    QString GetTLDName(int i) const;                           // key of TLDs line i, without its dot
    QStringList GetTLDServerIndexes(int i) const;              // the items after "=" of TLDs line i

signals:
    // Emitted by RequestStop so that a network wait can end at once.
    void stopRequested();

private:
    ISearchView* view_ = nullptr;
    SilentMessageBoxes silentBoxes_;
    IMessageBoxes* boxes_ = &silentBoxes_;
    MessagePump pump_;
    QString programFolder_;
};
