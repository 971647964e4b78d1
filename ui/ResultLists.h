#pragma once
#include "engine/SearchView.h"
#include "engine/runs/ResultListModel.h"
#include <QElapsedTimer>
#include <QWidget>

class QComboBox;
class QLabel;
class QListView;
class QProgressBar;
class QStackedLayout;

// The "Search Results" tab: the progress bar, the choice of list, the four result lists
// (all, free, taken, errors: free entries green and errors red in the palette's own
// shades, an error's reason as its tool tip), the counters, the rate and time left while
// a run goes on, what the run said about itself, and how it ended.
//
// Rows can be selected together; Ctrl+C and the context menu copy their domains, the
// menu also copies every free domain and hands one to the single search.
class ResultLists : public QWidget {
    Q_OBJECT
public:
    using ResultList = ISearchView::ResultList;
    explicit ResultLists(QWidget* parent = nullptr);

    ResultListModel& model(ResultList list) const { return *models_[static_cast<int>(list)]; }
    QListView* view(ResultList list) const { return views_[static_cast<int>(list)]; }
    QListView* shownView() const;

    void insertAtTop(ResultList list, const QString& entry);
    // How the newest entry's verdict was reached: its colour and tool tip.
    void recordVerdict(LookupVerdict verdict, const LookupReason& reason);
    void recordInvalid(const QString& why);
    void clearAll();
    // "All Results" in front.
    void showAllResults();

    void setCounterText(const QString& text);
    void setProgressMaximum(qint64 maximum);
    void setProgressPosition(qint64 position);
    void addRunNotice(const QString& text);

    // A run begins: notices and the last run's end go, the clock starts.
    void runStarted();
    // The line under the counters once the run is over: "Finished in 2 min 5 s: ..." or
    // "Stopped at NAME.tld after ...".
    void runEnded(const QString& counters, const QString& stoppedAt);
    qint64 runMilliseconds() const { return clock_.isValid() ? clock_.elapsed() : 0; }

    // The domains of the selected rows of the list in front ("EXAMPLE.com"), or of a
    // selected invalid name the name itself, in screen order.
    QStringList selectedDomains() const;
    QStringList freeDomains() const;

    // "1 h 4 min", "2 min 5 s", "12 s".
    static QString Duration(qint64 ms);
    // The domain an entry is about: the text before " : ".
    static QString DomainOf(const QString& entry);

signals:
    // "Look up in single search" on an entry of a domain.
    void lookUpRequested(const QString& domain);

public slots:
    void ShowResultsComboChange();
    void copySelectedDomains() const;
    void copyFreeDomains() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showContextMenu(QListView* view, const QPoint& at);
    void showRate();

    QProgressBar* ProgressBar1 = nullptr;
    QComboBox* ShowResultsCombo = nullptr;
    QLabel* Panel6 = nullptr;
    QStackedLayout* stack_ = nullptr;
    QListView* views_[4] = {};
    ResultListModel* models_[4] = {};
    QLabel* MultiplecountLbl = nullptr;
    QLabel* RunRateLbl = nullptr;       // while running: domains a second and the time left
    QLabel* RunSummaryLbl = nullptr;    // once the run is over: how it ended
    QLabel* RunNoticeLbl = nullptr;     // what the run switched off; hidden when empty

    qint64 progressScale_ = 1;          // the bar holds an int: long runs are shown scaled
    qint64 progressMaximum_ = 0;
    qint64 progressPosition_ = 0;
    QElapsedTimer clock_;               // since the run's start
    qint64 rateShownAt_ = -1000;        // clock time of the last rate shown
    bool running_ = false;
};
