#pragma once
#include <QDialog>
#include <QMetaObject>

class QLabel;
class QListWidget;
class QPushButton;
class TMainForm;
class TMisc1;

// "Select TLDs": ticks for every entry of TLDInfoList. Built afresh from the list at
// each opening; OK writes the ticks back when they changed, mirrors the first four
// into the main window and has it recount and save the selection.
class TTLDForm : public QDialog {
    Q_OBJECT
public:
    TTLDForm(TMisc1& engine, TMainForm& mainForm, QWidget* parent = nullptr);

public slots:
    // Recounts the ticks; `sender` is SelectAllBtn or DeselectAllBtn when one of them
    // set every tick, otherwise null.
    void TLDChecksClickCheck(QObject* sender = nullptr);
    void SelectAllBtnClick();
    void DeselectAllBtnClick();
    void OKBtnClick();
    void CancelBtnClick();

private:
    void FormCreate();
    void attachTickHandler();
    void detachTickHandler();
    void setEveryTick(bool ticked);
    QList<bool> ticks() const;

    TMisc1& engine_;
    TMainForm& mainForm_;
    QString packedAtOpening_;
    QMetaObject::Connection tickConnection_;

    QListWidget* TLDChecks = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* SelectAllBtn = nullptr;
    QPushButton* DeselectAllBtn = nullptr;
};
