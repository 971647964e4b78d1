#pragma once
#include "engine/MessagePump.h"
#include "engine/SearchView.h"
#include "engine/lookup/BuiltinTables.h"
#include "engine/lookup/DefaultTLDInfoList.h"
#include "engine/lookup/NameValidation.h"
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

    // --- Tables of TLDs and servers ----------------------------------------------
    TTLDInfoList TLDInfoList;
    QStringList NewServerList;   // servers the user added (lower case)
    QStringList NewMatchList;    // the match text of each, same position
    QStringList NewDomainList;   // TLDs the user added (lower case)

    // --- Built-in tables ----------------------------------------------------------
    const BuiltinTables& builtinTables() const { return builtinTables_; }
    QString GetServerName(int index) const { return builtinTables_.GetServerName(index); }
    QString GetServerMatchText(int index) const { return builtinTables_.GetServerMatchText(index); }
    // The user's own servers (NewServerList/NewMatchList) come first.
    QString FindMatchTextForServer(const QString& fullName) const
    {
        return builtinTables_.FindMatchTextForServer(fullName, NewServerList, NewMatchList);
    }
    QString GetTLDName(int index) const { return builtinTables_.GetTLDName(index); }
    QStringList GetTLDServerIndexes(int index) const { return builtinTables_.GetTLDServerIndexes(index); }
    // Makes TLDInfoList anew from the built-in tables, with the given tick of each entry.
    void BuildDefaultTLDInfoList(const QList<bool>& checkStates)
    {
        ::BuildDefaultTLDInfoList(builtinTables_, TLDInfoList, checkStates);
    }

    // --- Name validation ----------------------------------------------------------
    // Why `name` cannot be looked up, or empty when it can.
    QString IsValidAddress(const QString& name) const { return ::IsValidAddress(name); }

signals:
    // Emitted by RequestStop so that a network wait can end at once.
    void stopRequested();

private:
    ISearchView* view_ = nullptr;
    SilentMessageBoxes silentBoxes_;
    IMessageBoxes* boxes_ = &silentBoxes_;
    MessagePump pump_;
    QString programFolder_;
    BuiltinTables builtinTables_;
};
