// The fax job agent: watches the CUPS server of the user's client configuration for the
// session user's jobs held on fax queues, and shows the print dialog in its held-job mode for
// each, one after another. The dialog is a process of its own, so that its crash leaves the
// agent running. Events come from a CUPS subscription, pulled at the interval the server asks
// for; cupsd's D-Bus signals on the system bus, where there are any, only make the agent pull
// at once. When the server is gone the agent tries again later, waiting longer each time.
#pragma once

#include "FaxQueues.h"
#include "Subscription.h"

#include <CupsJobRecord.h>
#include <CupsServer.h>

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <set>
#include <utility>
#include <vector>

class QDBusMessage;

class FaxJobAgent : public QObject {
    Q_OBJECT

  public:
    // dialogCommand: the print dialog and any arguments before "--held-job ID".
    explicit FaxJobAgent(QStringList dialogCommand);
    ~FaxJobAgent() override; // cancels the subscription; a dialog still open ends, its job held

    void start();

  private slots:
    void wake(const QDBusMessage&); // a D-Bus signal of cupsd: something changed

  private:
    void subscribe();
    void poll();
    void renew();
    void lost(const std::string& why); // the server or the subscription is gone
    void reconcile();                  // compares the held jobs with the dialog shown
    std::vector<CupsJobRecord> heldFaxJobs(const std::vector<CupsJobRecord>& jobs);
    void checkShownJob(const std::vector<CupsJobRecord>& jobs);
    std::string whatBecameOf(const CupsJobRecord& shown, const std::vector<CupsJobRecord>& jobs);
    void showDialog(const CupsJobRecord& job);
    void dialogEnded(int exitCode, QProcess::ExitStatus status);

    QStringList dialogCommand_;
    std::string user_;
    CupsConnection connection_;
    Subscription subscription_;
    FaxQueues faxQueues_;
    QTimer pollTimer_;
    QTimer renewTimer_;
    QTimer retryTimer_;
    int retrySeconds_ = 0; // 0 while connected
    bool pollQueued_ = false;

    QProcess* dialog_ = nullptr;
    CupsJobRecord shownJob_;
    bool noticeSent_ = false;
    std::set<std::pair<int, std::string>> shownJobs_;   // (job, queue): each shown once a run
    std::set<std::pair<int, std::string>> crashedJobs_; // whose dialog crashed once already
};
