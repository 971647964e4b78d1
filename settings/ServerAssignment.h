#pragma once
#include "engine/lookup/FurtherTLDs.h"
#include "settings/ServerTree.h"
#include <QModelIndex>
#include <QStringList>
#include <optional>

class IniFile;
class TMisc1;

// Which server checks which TLD: the server-assignment tree with the lists kept beside
// it, how the tree is built (from the built-in tables or from Config.dat), how it turns
// into TLDInfoList and the TLD box, and the editing behind the advanced dialog's
// "Server Assignment", "Servers" and "Domains" pages, with their messages.
//
// The user's own servers, their match texts and domains are the engine's NewServerList,
// NewMatchList and NewDomainList; Settings.dat and Config.dat are the engine's program files.
class TServerAssignment {
public:
    explicit TServerAssignment(TMisc1& engine);

    TServerTree& Tree() { return tree_; }
    const TServerTree& Tree() const { return tree_; }

    // The built-in servers (every named server of the table but "Cache Domains Taken
    // List", in table order, then the further TLDs' whois hosts the table lacks) and the
    // built-in TLDs ("." + key, in table order, then the further TLDs in theirs).
    const QStringList& ServerList() const { return serverList_; }
    const QStringList& DomainList() const { return domainList_; }
    // The built-in and the user's servers, sorted without regard to letter case.
    const QStringList& SortedServerList() const { return sortedServers_; }

    // --- Building ---------------------------------------------------------------------
    // From Config.dat when it exists, else InitialiseTree; fills TLDInfoList afresh and
    // rebuilds the sorted server list.
    void BuildAtStartup();
    // The tree and TLDInfoList from the built-in tables; the user's domains follow as
    // TLD nodes without servers, then the further TLDs (FurtherTLDs), each with its whois
    // host. Ticks come from Settings.dat section "Checked".
    void InitialiseTree();
    // The tree from Config.dat (as much of it as is sound), with the further TLDs it lacks
    // appended when it is sound, then TLDInfoList from the tree: one entry per TLD with a
    // default server, in tree order. False when the file was not whole and sound; what
    // was read is used all the same.
    bool BuildFromConfigFile();
    // Sets the ticks of TLDInfoList from section "Checked" of `settings` (ReadCheckStates:
    // by TLD where the file names them, else by position over the entries the saved tree,
    // or the built-in table, made). Building reads them from Settings.dat this way.
    void ReadTicks(const IniFile& settings);
    // The main window's TLD box (TLDCombo) as building fills it: every TLD node, in order.
    QStringList TLDBoxItems() const { return tree_.TLDTexts(); }

    bool SaveTreeview() const;
    bool LoadTreeview();

    // Makes TLDInfoList what the next start builds from the saved tree: one entry per TLD
    // with a default server, in tree order, with that server and its match text. Each TLD
    // keeps its tick (the n-th TLD node of a name that of the n-th entry of that key); a
    // TLD new to the list comes unticked, one without a server any more leaves it.
    void CommitToTLDInfoList();

    // --- Lists for the dialog's boxes ---------------------------------------------------
    void GetAllServersSorted();
    // The servers that the selected node's TLD lacks (one sorted entry taken out per
    // server it has); nothing when no node is selected.
    std::optional<QStringList> UpdateServerCombo(const QModelIndex& selected) const;

    // --- "Server Assignment" page -------------------------------------------------------
    // Includes `name` into the TLD of the selected node: its default when it is the TLD's
    // first server. Refused (invalid index returned) when nothing is selected or no name is chosen.
    QModelIndex IncludeServer(const QModelIndex& selected, const QString& name);
    // Makes the selected server its TLD's default; nothing for a TLD node or the default.
    void SetDefaultServer(const QModelIndex& selected);
    // Asks, then removes the selected server; a removed default passes to the first server left.
    bool UnincludeServer(const QModelIndex& selected);

    // --- "Servers" page -------------------------------------------------------------------
    // Adds a server of the user's own as typed into NewServerEdit, of the HTTP type or
    // not, with the text of MatchTextEdit. On true the dialog resets its three boxes and
    // refills ServerCombo; every refusal has shown its error.
    bool AddUserServer(const QString& typedName, bool httpType, const QString& matchText);
    // Asks, then deletes entry `selectedRow` of NewServerList (-1: none selected) with its
    // match text, and every node of it in the tree.
    bool DeleteUserServer(int selectedRow);

    // --- "Domains" page -------------------------------------------------------------------
    // Adds a domain of the user's own as typed into NewDomainEdit; it becomes a TLD node
    // at the end of the tree, without servers. On true the dialog empties the box.
    bool AddUserDomain(const QString& typedName);
    // Asks, then deletes entry `selectedRow` of NewDomainList (-1: none) and its TLD node.
    bool DeleteUserDomain(int selectedRow);

    // Blanks removed and the letters A to Z lowered, as every typed server and domain name.
    static QString CleanedName(const QString& typed);

private:
    QString SettingsPath() const;
    QString ConfigPath() const;
    void ReadTicksFromSettingsFile();
    void AppendTLDInfoFromTree();
    void AppendMissingFurtherTLDs();
    bool IsKnownServer(const QString& name) const;
    bool IsKnownDomain(const QString& name) const;
    bool Confirm(const QString& question) const;
    void ShowError(const QString& text) const;

    TMisc1& engine_;
    TServerTree tree_;
    QStringList serverList_;
    QStringList domainList_;
    QStringList sortedServers_;
    QList<FurtherTLD> furtherTlds_;
    // The entries of TLDInfoList that a tick string of a file without TLD names covers:
    // those the built-in table or the saved tree made, before further TLDs were added.
    qsizetype positionalTicks_ = 0;
};
