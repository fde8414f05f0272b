#include "FaxJobAgent.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFirstRetrySeconds = 1;
constexpr int kLongestRetrySeconds = 60;
constexpr int kDialogEndMilliseconds = 3000;

// The signals cupsd sends on the system bus whenever a job or a queue changes.
constexpr char kSpoolerPath[] = "/com/redhat/PrinterSpooler";
constexpr char kSpoolerInterface[] = "com.redhat.PrinterSpooler";
const char* const kSpoolerSignals[] = {"JobQueuedLocal", "JobStartedLocal", "QueueChanged"};

void say(const std::string& line) {
    std::printf("fax-job-agent: %s\n", line.c_str());
    std::fflush(stdout);
}

std::string describe(const CupsJobRecord& job) {
    return "Job " + std::to_string(job.id) + " (\"" + job.title + "\" on " + job.queue + ")";
}

} // namespace

FaxJobAgent::FaxJobAgent(QStringList dialogCommand)
    : dialogCommand_(std::move(dialogCommand)), user_(sessionUserName()) {
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, &FaxJobAgent::subscribe);
    connect(&pollTimer_, &QTimer::timeout, this, &FaxJobAgent::poll);
    renewTimer_.setInterval(Subscription::kLeaseSeconds * 1000 * 3 / 4);
    connect(&renewTimer_, &QTimer::timeout, this, &FaxJobAgent::renew);
}

FaxJobAgent::~FaxJobAgent() {
    if (connection_) subscription_.cancel(connection_.get());
    if (dialog_) {
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
        if (subscription_.exists())
            poll();
        else if (retrySeconds_ > 0)
            subscribe(); // the server may be back
    });
}

void FaxJobAgent::subscribe() {
    retryTimer_.stop();
    std::string why = "the print server cannot be reached";
    connection_ = connectToCupsServer();
    if (connection_ && subscription_.create(connection_.get(), why)) {
        if (retrySeconds_ > 0) say("the print server answers again");
        retrySeconds_ = 0;
        faxQueues_.forget();
        renewTimer_.start();
        poll();
        reconcile(); // jobs held before the subscription began
        return;
    }
    lost(why);
}

void FaxJobAgent::lost(const std::string& why) {
    connection_.reset();
    subscription_ = Subscription(); // the server forgets it when its lease lapses
    pollTimer_.stop();
    renewTimer_.stop();
    retrySeconds_ = std::clamp(retrySeconds_ * 2, kFirstRetrySeconds, kLongestRetrySeconds);
    say(why + "; trying again in " + std::to_string(retrySeconds_) + " s");
    retryTimer_.start(retrySeconds_ * 1000);
}

void FaxJobAgent::poll() {
    if (!connection_) return; // lost meanwhile: the retry subscribes again
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
    say(describe(shownJob_) + " was " + notice + " meanwhile; closing its dialog");
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
    ipp_t* request = newCupsRequest(IPP_OP_GET_JOB_ATTRIBUTES, "/jobs/" + std::to_string(shown.id));
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-state");
    CupsAnswer answer = sendCupsRequest(connection_.get(), request, "/jobs/");
    ipp_attribute_t* state =
        answer.response ? ippFindAttribute(answer.response.get(), "job-state", IPP_TAG_ENUM)
                        : nullptr;
    if (!answer.succeeded() || !state) return "removed";
    return ippGetInteger(state, 0) == IPP_JSTATE_COMPLETED ? "released" : "cancelled";
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
    const std::string how = status == QProcess::CrashExit ? "did not start or crashed: " +
                                                                dialog_->errorString().toStdString()
                            : exitCode == 0 ? "sent it"
                                            : "ended without sending it";
    say("the dialog of job " + std::to_string(shownJob_.id) + " " + how);
    dialog_->deleteLater();
    dialog_ = nullptr;
    reconcile(); // the next held job, if any
}
