// A CUPS scheduler of the test's own: cupsd with its own configuration and folders in a
// temporary folder, listening on a free loopback port, with one queue whose backend records
// each job's options and document. It can be stopped and started again, keeping its port, its
// queue and its held jobs, as a real server restarts.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

struct SchedulerSetup {
    bool holdJobs = false;         // the queue holds every job (job-hold-until-default)
    std::string refusedOperation;  // an IPP operation the access policy refuses to all
    std::filesystem::path records; // where the backend records; empty: a folder of its own
};

class PrivateScheduler {
  public:
    // The queue's PPD and the recording backend script.
    PrivateScheduler(std::filesystem::path ppd, std::filesystem::path backend,
                     SchedulerSetup setup = {});
    ~PrivateScheduler(); // stops the scheduler and removes its folders

    // Starts cupsd (the first time with a new configuration) and waits (a few seconds at most)
    // until it answers; false with the reason when it cannot start here.
    bool start(std::string& whyNot);
    void stop();
    // Deletes the test queue through the scheduler; false when it refuses.
    bool removeQueue() const;
    // "127.0.0.1:<port>", for cupsSetServer.
    std::string address() const;
    // Where the backend records: "options" (a line per job) and "job-ID.document".
    std::filesystem::path recordsFolder() const;
    // Waits (bounded) for the backend to record a job; the recorded option lines, or "".
    std::string waitForRecordedOptions() const;
    // The end of the scheduler's logs, to explain a failure.
    std::string logTail() const;

    static constexpr char kQueue[] = "NVTestFax";

  private:
    bool writeConfiguration(std::string& whyNot);
    bool answers() const;

    std::filesystem::path ppd_;
    std::filesystem::path backend_;
    SchedulerSetup setup_;
    std::filesystem::path root_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// The options a backend receives in its fifth argument, read as CUPS reads them.
std::map<std::string, std::string> parseBackendOptions(const std::string& line);
