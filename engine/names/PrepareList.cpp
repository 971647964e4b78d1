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

    QStringList dictionaryBatch;
    ProcessMessages();

    // Names gathered before an early end stay in the list; the run decides about them.
    const auto stop = [&] {
        Disconnect();
        ClearResultLists(*view);
        view->UpdateDisplayforStart(false);
    };

    if (view->options().NumbersCheck)
        AddNumbers(*this);

    if (view->options().WordlistCheck && AddWordListNames(*this) == SourceEnd::Stopped)
        return stop();

    if (view->options().DictCheck) {
        if (CollectDictionaryWords(*this, dictionaryBatch) == SourceEnd::Stopped)
            return stop();
        AddItemsToSearchList(dictionaryBatch);
        dictionaryBatch = QStringList();
    }

    if (view->options().SoundexCheck) {
        const SourceEnd end = AddSoundsLikeWords(*this);
        if (end == SourceEnd::Stopped)
            return stop();
        if (end == SourceEnd::Abandoned)
            return ClearResultLists(*view);
    }

    if (view->options().CustomListCheck && AddImportedNames(*this) == SourceEnd::Abandoned)
        return ClearResultLists(*view);

    ClearResultLists(*view);
    ProcessMessages();
}
