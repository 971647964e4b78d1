#pragma once
#include <QString>

// The search options of the main window, one field per control and named after it.
// The engine reads them through ISearchView::options() at the moment it needs them,
// so a source reads its options when its turn comes, as the window shows them then.
struct MainOptions {
    // "&Single Search" page
    QString SingleEdit;          // the name to look up
    QString TLDComboText;        // the extension as typed or chosen
    int TLDComboIndex = 0;       // selected list position, -1 when the text matches no entry

    // Source switches and the results file
    bool DictCheck = false;
    bool NumbersCheck = false;
    bool CustomListCheck = false;
    bool WordlistCheck = false;
    bool SoundexCheck = false;
    bool SaveCheck = false;
    QString AutoSaveEdit;        // path of the results file

    // Word list builder
    QString Wordlist[4];
    bool WordMinusCheck = false;

    // Dictionary
    bool DictRadio1 = true;      // "All" selected; false selects "Range" (DictRadio2)
    QString DictFromEdit;
    QString DictToEdit;
    bool MinusCheck = false;
    bool WordLengthCheck = false;
    int WordLength1 = 1;
    int WordLength2 = 50;

    // Numbers
    int NumberFrom = 0;
    int NumberTo = 9;
    bool RangeCheck1 = false;    // prefix on
    bool RangeCheck2 = false;    // suffix on
    QString RangePre;
    QString RangeSuf;

    // Sounds like
    QString SoundexEdit;

    // Import list
    QString UseList;
    int SepCombo = 0;            // 0 new line, 1 comma, 2 semicolon

    bool operator==(const MainOptions&) const = default;
};

// The values the main window shows on its very first start, before any Settings.dat
// exists: its design-time values with the start-up defaults applied. Both front ends
// take them from here so they can never disagree.
MainOptions FirstStartOptions(const QString& resultsFolder);
