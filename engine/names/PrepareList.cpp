#include "engine/Misc1.h"
#include "engine/names/DictionarySource.h"
#include "engine/names/ImportList.h"
#include "engine/names/NumberSource.h"
#include "engine/names/SoundsLikeSource.h"
#include "engine/names/WordListBuilder.h"

// Builds SearchList from the ticked sources, in a fixed order: numbers, word-list
// builder, dictionary, sounds-like, import list. Each source reads its options when
// its turn comes. The result lists show a status line meanwhile.
namespace {

using ResultList = ISearchView::ResultList;
constexpr ResultList AllResultLists[] = {ResultList::All, ResultList::Free, ResultList::Taken, ResultList::Errors};

void ClearResultLists(ISearchView& view)
{
    for (const ResultList list : AllResultLists)
        view.clearResults(list);
}

} // namespace

void TMisc1::PrepareList()
{
    ISearchView* view = this->view();
    SearchList.clear();
    if (!view)
        return;

    ClearResultLists(*view);
    for (const ResultList list : AllResultLists)
        view->insertResultAtTop(list, QStringLiteral("Building list of domain names to check..."));
    TSearchList dictionaryBatch;
    ProcessMessages();

    // On an early end the names gathered so far stay in the list; the run decides
    // what to do with them. A Stop also closes the connections and returns the
    // window to idle.
    const auto endEarly = [&](SourceEnd end) {
        if (end == SourceEnd::Stopped)
            Disconnect();
        ClearResultLists(*view);
        if (end == SourceEnd::Stopped)
            view->UpdateDisplayforStart(false);
    };

    if (view->options().NumbersCheck)
        AddNumbers(*this);

    if (view->options().WordlistCheck) {
        if (const SourceEnd end = AddWordListNames(*this); end != SourceEnd::Finished)
            return endEarly(end);
    }

    if (view->options().DictCheck) {
        if (const SourceEnd end = CollectDictionaryWords(*this, dictionaryBatch); end != SourceEnd::Finished)
            return endEarly(end);
        AddItemsToSearchList(dictionaryBatch);
        dictionaryBatch.clear();
    }

    if (view->options().SoundexCheck) {
        if (const SourceEnd end = AddSoundsLikeWords(*this); end != SourceEnd::Finished)
            return endEarly(end);
    }

    if (view->options().CustomListCheck) {
        if (const SourceEnd end = AddImportedNames(*this); end != SourceEnd::Finished)
            return endEarly(end);
    }

    ClearResultLists(*view);
    ProcessMessages();
}
