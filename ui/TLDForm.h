#pragma once
#include <QDialog>
#include <QMetaObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TMainForm;
class TMisc1;

// "Select TLDs": ticks for every entry of TLDInfoList. Built afresh from the list at
// each opening; OK writes the ticks back when they changed, mirrors the first four
// into the main window and has it recount and save the selection. A filter box narrows
// the list of some 1,600 entries to those whose text holds what is typed, letter case
// aside; Select All and Deselect All act on the entries the filter shows. Brand TLDs
// and TLDs with eligibility rules are marked; brand TLDs are hidden while "Hide brand
// TLDs" is ticked (as it is at every opening), so Select All ticks what the public can
// register.
class TTLDForm : public QDialog {
    Q_OBJECT
public:
    TTLDForm(TMisc1& engine, TMainForm& mainForm, QWidget* parent = nullptr);

public slots:
    // Shows the number of ticked entries, all of them, whatever the filter shows;
    // `sender` is the button that set the ticks, or null.
    void TLDChecksClickCheck(QObject* sender = nullptr);
    // Shows the entries whose text holds `text`, less the brand TLDs while they are hidden.
    void FilterEditChange(const QString& text);
    void SelectAllBtnClick();
    void DeselectAllBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

private:
    void FormCreate();
    void attachTickHandler();
    void detachTickHandler();
    void setShownTicks(bool ticked);
    QList<bool> ticks() const;

    TMisc1& engine_;
    TMainForm& mainForm_;
    QString packedAtOpening_;
    QMetaObject::Connection tickConnection_;

    QLineEdit* FilterEdit = nullptr;
    QCheckBox* HideBrandCheck = nullptr;
    QListWidget* TLDChecks = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* SelectAllBtn = nullptr;
    QPushButton* DeselectAllBtn = nullptr;
};
