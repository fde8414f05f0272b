#include "FaxJobAgent.h"

#include <HeldJob.h>

#include <QDBusConnection>
#include <QDBusMessage>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFirstRetrySeconds = 1;
constexpr int kLongestRetrySeconds = 60;
constexpr int kDialogEndMilliseconds = 3000;
constexpr int kCrashedDialogRetryMilliseconds = 5000;

// The signals cupsd sends on the system bus whenever a job or a queue changes.
constexpr char kSpoolerPath[] = "/com/redhat/PrinterSpooler";
constexpr char kSpoolerInterface[] = "com.redhat.PrinterSpooler";
const char* const kSpoolerSignals[] = {"JobQueuedLocal", "JobStartedLocal", "QueueChanged"};

void say(const std::string& line) {
    std::printf("fax-job-agent: %s\n", line.c_str());
    std::fflush(stdout);
}

// A job's title as the log shows it: control characters of a title someone else chose never
// reach the terminal.
std::string describe(const CupsJobRecord& job) {
    std::string title = job.title;
    std::replace_if(
        title.begin(), title.end(), [](char c) { return (c >= 0 && c < ' ') || c == 0x7f; }, '?');
    return "Job " + std::to_string(job.id) + " (\"" + title + "\" on " + job.queue + ")";
}

} // namespace

FaxJobAgent::FaxJobAgent(QStringList dialogCommand)
    : dialogCommand_(std::move(dialogCommand)), user_(cupsUser()) {
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, &FaxJobAgent::subscribe);
    connect(&pollTimer_, &QTimer::timeout, this, &FaxJobAgent::poll);
    renewTimer_.setInterval(Subscription::kLeaseSeconds * 1000 * 3 / 4);
    connect(&renewTimer_, &QTimer::timeout, this, &FaxJobAgent::renew);
}

FaxJobAgent::~FaxJobAgent() {
    if (connection_) subscription_.cancel(connection_.get());
    if (dialog_) {
        dialog_->disconnect(this); // its end starts no other dialog
        // Asked to stop, the dialog ends as if never answered: the job stays held for later.
        dialog_->terminate();
        if (!dialog_->waitForFinished(kDialogEndMilliseconds)) dialog_->kill();
    }
}

void FaxJobAgent::start() {
    QDBusConnection bus = QDBusConnection::systemBus();
    bool woken = bus.isConnected();
    for (const char* signal : kSpoolerSignals)
        woken = woken && bus.connect(QString(), kSpoolerPath, kSpoolerInterface, signal, this,
                                     SLOT(wake(QDBusMessage)));
    const std::string server = cupsServer();
    say("watching " +
        (server.starts_with("/") ? server : server + ":" + std::to_string(ippPort())) +
        " for held fax jobs of " + user_ +
        (woken ? "" : " (no D-Bus signals from cupsd: only polling)"));
    subscribe();
}

void FaxJobAgent::wake(const QDBusMessage&) {
    if (pollQueued_) return;
    pollQueued_ = true; // one pull for a burst of signals
    QTimer::singleShot(0, this, [this] {
        pollQueued_ = false;
        poll(); // while the server is lost, the retry timer alone tries again
    });
}

void FaxJobAgent::subscribe() {
    retryTimer_.stop();
    std::string why = "the print server cannot be reached";
    connection_ = connectToCupsServer();
    if (connection_ && subscription_.create(connection_.get(), why)) {
        faxQueues_.forget();
        renewTimer_.start();
        poll();
        reconcile(); // jobs held before the subscription began
        // Only a server that answers all of that counts as back; else the waits go on growing.
        if (connection_ && retrySeconds_ > 0) say("the print server answers again");
        if (connection_) retrySeconds_ = 0;
        return;
    }
    lost(why);
}

void FaxJobAgent::lost(const std::string& why) {
    // A server that still answers forgets the subscription now, else when its lease lapses.
    if (connection_) subscription_.cancel(connection_.get());
    subscription_ = Subscription();
    connection_.reset();
    pollTimer_.stop();
    renewTimer_.stop();
    retrySeconds_ = std::clamp(retrySeconds_ * 2, kFirstRetrySeconds, kLongestRetrySeconds);
    say(why + "; trying again in " + std::to_string(retrySeconds_) + " s");
    retryTimer_.start(retrySeconds_ * 1000);
}

void FaxJobAgent::poll() {
    if (!connection_) return; // lost: the retry subscribes again
    std::optional<NotificationBatch> batch = subscription_.fetch(connection_.get());
    if (!batch) return lost("the print server no longer answers for the subscription");
    pollTimer_.start(batch->pollSeconds * 1000);
    for (const CupsEvent& event : batch->events)
        if (event.name.starts_with("printer-")) faxQueues_.forget(); // a queue came, went, changed
    if (!batch->events.empty()) reconcile();
}

void FaxJobAgent::renew() {
    if (!connection_) return;
    if (!subscription_.renew(connection_.get())) lost("the subscription cannot be renewed");
}

void FaxJobAgent::reconcile() {
    if (!connection_) return;
    ipp_t* request = newCupsRequest(IPP_OP_GET_JOBS, "/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
                 "not-completed");
    ippAddBoolean(request, IPP_TAG_OPERATION, "my-jobs", 1);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kJobRecordAttributes)), nullptr, kJobRecordAttributes);
    CupsAnswer answer = sendCupsRequest(connection_.get(), request, "/");
    if (!answer.succeeded()) return lost("the jobs cannot be listed (" + answer.reason + ")");
    const std::vector<CupsJobRecord> jobs = readJobRecords(answer.response.get());
    if (dialog_) return checkShownJob(jobs);
    for (const CupsJobRecord& job : heldFaxJobs(jobs))
        if (!shownJobs_.contains({job.id, job.queue})) return showDialog(job);
}

std::vector<CupsJobRecord> FaxJobAgent::heldFaxJobs(const std::vector<CupsJobRecord>& jobs) {
    std::vector<CupsJobRecord> held;
    // Only the session user's own jobs, whatever the server's answer holds.
    for (const CupsJobRecord& job : jobs)
        if (job.isHeld() && job.owner == user_ &&
            faxQueues_.isFaxQueue(connection_.get(), job.queue))
            held.push_back(job);
    std::sort(held.begin(), held.end(),
              [](const CupsJobRecord& a, const CupsJobRecord& b) { return a.id < b.id; });
    return held;
}

void FaxJobAgent::checkShownJob(const std::vector<CupsJobRecord>& jobs) {
    if (noticeSent_) return;
    const std::string notice = whatBecameOf(shownJob_, jobs);
    if (notice.empty()) return;
    say(describe(shownJob_) + " is no longer held here (" + notice + "): telling its dialog");
    dialog_->write((notice + "\n").c_str());
    noticeSent_ = true;
}

// "" while the job is still held where it was; else released, cancelled, moved or removed.
std::string FaxJobAgent::whatBecameOf(const CupsJobRecord& shown,
                                      const std::vector<CupsJobRecord>& jobs) {
    auto now = std::find_if(jobs.begin(), jobs.end(),
                            [&](const CupsJobRecord& job) { return job.id == shown.id; });
    if (now != jobs.end()) {
        if (!now->isHeld()) return "released";
        return now->queue == shown.queue ? "" : "moved";
    }
    // Finished: the server still knows how, unless it has forgotten the job.
    CupsJobRecord finished;
    if (readCupsJob(shown.id, finished).status != noErr) return "removed";
    return finished.state == IPP_JSTATE_COMPLETED ? "released" : "cancelled";
}

void FaxJobAgent::showDialog(const CupsJobRecord& job) {
    shownJobs_.insert({job.id, job.queue});
    shownJob_ = job;
    noticeSent_ = false;
    dialog_ = new QProcess(this);
    // The dialog's messages go where the agent's go; its input carries the agent's notices.
    dialog_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(dialog_, &QProcess::finished, this, &FaxJobAgent::dialogEnded);
    connect(dialog_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) dialogEnded(-1, QProcess::CrashExit);
    });
    // Only the job's number reaches the command line: the dialog reads the rest from CUPS.
    QStringList arguments = dialogCommand_.mid(1);
    arguments << "--held-job" << QString::number(job.id);
    say(describe(job) + " is held: showing the fax dialog");
    dialog_->start(dialogCommand_.front(), arguments);
}

void FaxJobAgent::dialogEnded(int exitCode, QProcess::ExitStatus status) {
    if (!dialog_) return;
    const bool crashed = status == QProcess::CrashExit;
    const std::string how =
        crashed         ? "did not start or crashed: " + dialog_->errorString().toStdString()
        : exitCode == 0 ? "sent it"
                        : "ended without sending it";
    say("the dialog of job " + std::to_string(shownJob_.id) + " " + how);
    dialog_->deleteLater();
    dialog_ = nullptr;
    // A job whose dialog crashed the first time is shown once more, a little later.
    const std::pair<int, std::string> job = {shownJob_.id, shownJob_.queue};
    if (crashed && crashedJobs_.insert(job).second)
        QTimer::singleShot(kCrashedDialogRetryMilliseconds, this, [this, job] {
            shownJobs_.erase(job);
            reconcile();
        });
    reconcile(); // the next held job, if any
}
