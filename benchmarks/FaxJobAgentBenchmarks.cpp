// The fax job agent on a private CUPS server whose fax queue holds every job, with a private
// message bus standing in for the system bus that carries cupsd's signals:
// - from a job's arrival at the server (the print call has returned) to the agent's dialog
//   shown (started offscreen, the dialog ends at its first paint, as the dialog process
//   benchmark measures it), split into the agent's noticing ("is held" said) and the dialog's
//   start;
// - the idle agent: how often its threads wake in 65 quiet seconds (the server asks to be polled
//   every 60), and its resident memory.
#include <PrivateScheduler.h>

#include <QProcess>
#include <QThread>

#include <benchmark/benchmark.h>
#include <cups/cups.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A line of the process's output that holds the text, waiting at most 20 s; "" when none came.
std::string awaitLine(QProcess& process, const char* text) {
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        while (process.canReadLine()) {
            const std::string line = process.readLine().toStdString();
            if (line.find(text) != std::string::npos) return line;
        }
        process.waitForReadyRead(100);
    }
    return {};
}

SchedulerSetup heldQueue() {
    SchedulerSetup setup;
    setup.holdJobs = true;
    return setup;
}

// The bus, the scheduler with its held fax queue, and the agent, which shows its dialogs
// offscreen and ends them once shown.
class AgentRig {
  public:
    bool start(std::string& whyNot) {
        bus_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        const std::string address = awaitLine(bus_, "unix:");
        if (address.empty()) return (whyNot = "no dbus-daemon"), false;
        setenv("DBUS_SYSTEM_BUS_ADDRESS", address.substr(0, address.size() - 1).c_str(), 1);
        if (!scheduler_.start(whyNot)) return false;
        setenv("CUPS_SERVER", scheduler_.address().c_str(), 1); // for the agent
        cupsSetServer(scheduler_.address().c_str());            // for this process's requests
        agent_.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        agent_.start(NV_FAX_JOB_AGENT, {"--dialog-argument", "--offscreen", "--dialog-argument",
                                        "--quit-when-shown"});
        if (awaitLine(agent_, "watching").empty())
            return (whyNot = "the agent did not start"), false;
        return true;
    }
    ~AgentRig() {
        for (QProcess* process : {&agent_, &bus_}) {
            process->terminate();
            process->waitForFinished(5000);
        }
        unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        cupsSetServer(nullptr); // back to the environment's
    }

    QProcess agent_;
    QProcess bus_;
    PrivateScheduler scheduler_{NV_DEMO_FAX_PPD, NV_RECORDING_BACKEND, heldQueue()};
};

void BM_HeldJobToAgentDialogShown(benchmark::State& state) {
    AgentRig rig;
    std::string whyNot;
    if (!rig.start(whyNot)) return state.SkipWithError(whyNot.c_str());
    const std::string document = (std::filesystem::temp_directory_path() / "nv-letter.txt");
    std::ofstream(document) << "Dear Ada,\n";
    double noticing = 0, dialog = 0;
    for (auto _ : state) {
        const int job =
            cupsPrintFile(PrivateScheduler::kQueue, document.c_str(), "Letter", 0, nullptr);
        const auto arrived = Clock::now();
        if (job == 0 || awaitLine(rig.agent_, "is held").empty())
            return state.SkipWithError("the agent did not notice the job");
        const double noticed = millisecondsSince(arrived);
        if (awaitLine(rig.agent_, "the dialog of job").empty())
            return state.SkipWithError("the dialog did not end");
        const double shown = millisecondsSince(arrived);
        state.SetIterationTime(shown / 1000);
        noticing += noticed;
        dialog += shown - noticed;
        cupsCancelJob(PrivateScheduler::kQueue, job);
    }
    std::filesystem::remove(document);
    state.counters["agent_notices_ms"] =
        benchmark::Counter(noticing, benchmark::Counter::kAvgIterations);
    state.counters["dialog_start_ms"] =
        benchmark::Counter(dialog, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HeldJobToAgentDialogShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// The context switches of every thread of the process so far: each is a wake-up or a
// preemption.
long contextSwitches(qint64 pid) {
    long total = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                total += std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}

double residentMiB(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024;
    return 0;
}

void BM_IdleAgent(benchmark::State& state) {
    AgentRig rig;
    std::string whyNot;
    if (!rig.start(whyNot)) return state.SkipWithError(whyNot.c_str());
    const qint64 pid = rig.agent_.processId();
    QThread::sleep(1); // past its start
    for (auto _ : state) {
        const long before = contextSwitches(pid);
        QThread::sleep(65);
        state.counters["wakeups_in_65s"] = double(contextSwitches(pid) - before);
    }
    state.counters["rss_MiB"] = residentMiB(pid);
}
BENCHMARK(BM_IdleAgent)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
