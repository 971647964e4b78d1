#pragma once
#include "engine/MessagePump.h"
#include "engine/SearchView.h"
#include "engine/lookup/TLDInfoList.h"
#include "engine/names/Dictionary.h"
#include "engine/names/SearchList.h"
#include "engine/names/SoundexIndex.h"
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

    // --- Candidate generation -------------------------------------------------------
    // The dictionary ("english.dat"), the Soundex codes of its words ("Soundex.dat")
    // and the search list that PrepareList fills from the name sources.
    bool DictionaryPresent = false;   // whether LoadDictionary succeeded
    bool LoadDictionary();            // false when the file is missing or unreadable
    void ReleaseDictionary();
    const Dictionary& dictionary() const { return dictionary_; }
    QString GetDictWord(int index) const { return dictionary_.GetDictWord(index); }
    static int GetIndexFor(QChar letter) { return Dictionary::GetIndexFor(letter); }
    static QString GetInitialFor(int index) { return Dictionary::GetInitialFor(index); }

    bool BuildSoundexFile();          // false when the file could not be written
    bool LoadSoundexFile();           // builds the file again when it is damaged
    bool LoadOrBuildSoundexFile();    // loads "Soundex.dat", or builds it when it is missing
    QString GetSoundexFor(int index) const { return soundex_.GetSoundexFor(index); }
    QStringList DictSoundex() const { return soundex_.DictSoundex(); }

    TSearchList SearchList;
    void AddItemToSearchList(QStringView name) { SearchList.AddItem(name); }
    void AddItemsToSearchList(const QStringList& names) { SearchList.AddItems(names); }
    void AddItemsToSearchList(const TSearchList& names) { SearchList.AddItems(names); }
    void PrepareList();

private:
    Dictionary dictionary_;
    SoundexIndex soundex_{dictionary_};   // reads the words of dictionary_, declared before it

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
