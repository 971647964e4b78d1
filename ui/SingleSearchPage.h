#pragma once
#include "engine/MainOptions.h"
#include "engine/SearchView.h"
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TTLDInfoList;

// The "&Single Search" page: the domain box with its TLD box, and the reply of the last
// single search under the line that says what became of it.
//
// What is typed or pasted into the domain box is cleaned at once (a scheme, "www.", a
// path, a port and blanks go; letters of every script stay), and a known TLD at its end
// selects that TLD; an ending that is no known TLD is said under the box and never sent.
class SingleSearchPage : public QWidget {
    Q_OBJECT
public:
    explicit SingleSearchPage(const TTLDInfoList& tlds, QWidget* parent = nullptr);

    void fillOptions(MainOptions& options) const;
    void applyOptions(const MainOptions& options);

    // The TLD box, filled by the code that builds the table of TLDs.
    void clearTLDs();
    void setTLDItems(const QStringList& tlds);
    void addTLDItem(const QString& tld);
    // Selects the first entry, then the saved single-search TLD when it lies in the list.
    void selectSavedTLD();

    void clearResults();
    void addResult(const QString& line);
    void showState(ISearchView::SingleState state, const QString& text);
    void focusName();

    // Before a start: a known TLD at the end of the box's text goes into the TLD box and
    // the name stays; false, with the reason under the box, when the ending is no known TLD.
    bool takeDomainFromBox();
    // Puts a domain ("EXAMPLE.com") into the boxes, as pasted.
    void setDomain(const QString& domain);

signals:
    // Enter in the domain box or the TLD box.
    void startRequested();

public slots:
    void SingleEditChange(const QString& typed);

private:
    // Selects the TLD the box's text ends in and says under the box what is not sent.
    void showWhereItGoes();
    void selectTLD(const QString& tld);
    QString listedTld(const QString& ending) const;

    const TTLDInfoList& tlds_;
    int savedTLDSingle_ = 0;           // TLDSingle as loaded, for when the TLD box is filled
    QString textBefore_;               // the domain box's text up to the edit being handled

    QLineEdit* SingleEdit = nullptr;
    QComboBox* TLDCombo = nullptr;
    QLabel* InputHintLbl = nullptr;    // under the box: an ending that is no known TLD
    QLabel* SingleStateLbl = nullptr;  // "Asking ...", the verdict, or "Stopped"
    QPlainTextEdit* SingleResults = nullptr;
};
