#pragma once
#include <QDialog>
#include <QMetaObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TMisc1;

// "Select TLDs": ticks for every entry of TLDInfoList. Built afresh from the list at
// each opening; OK writes the ticks back when they changed and says so (ticksChanged),
// so that the main window can mirror the first four, recount and save the selection.
// A filter box narrows the list of some 1,600 entries to those whose text holds what is
// typed, letter case aside, and "Show ticked TLDs only" to the ticked ones; Select All
// and Deselect All act on the entries shown. Brand TLDs and TLDs with eligibility rules
// are marked; brand TLDs are hidden while "Hide brand TLDs" is ticked (as it is at every
// opening), so Select All ticks what the public can register.
class TTLDForm : public QDialog {
    Q_OBJECT
public:
    explicit TTLDForm(TMisc1& engine, QWidget* parent = nullptr);

signals:
    // OK changed the ticks of TLDInfoList, or Cancel left them: the selection is to be
    // counted and saved.
    void ticksChanged();

public slots:
    // Shows the number of ticked entries, all of them, whatever the filter shows;
    // `sender` is the button that set the ticks, or null.
    void TLDChecksClickCheck(QObject* sender = nullptr);
    // Shows the entries whose text holds `text`, less the brand TLDs while they are hidden.
    void FilterEditChange(const QString& text);
    void TickedOnlyCheckClick();
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
    QString packedAtOpening_;
    QMetaObject::Connection tickConnection_;

    QLineEdit* FilterEdit = nullptr;
    QCheckBox* TickedOnlyCheck = nullptr;
    QCheckBox* HideBrandCheck = nullptr;
    QListWidget* TLDChecks = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* SelectAllBtn = nullptr;
    QPushButton* DeselectAllBtn = nullptr;
};
