// A CUPS scheduler of the test's own: cupsd with its own configuration and folders in a
// temporary folder, listening on a free loopback port, with one queue whose backend records
// each job's options and document.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

class PrivateScheduler {
  public:
    // The queue's PPD and the recording backend script.
    PrivateScheduler(std::filesystem::path ppd, std::filesystem::path backend);
    ~PrivateScheduler(); // stops the scheduler and removes its folders

    // Starts cupsd and waits (a few seconds at most) until it answers; false with the reason
    // when it cannot start here.
    bool start(std::string& whyNot);
    void stop();
    // Deletes the test queue through the scheduler; false when it refuses.
    bool removeQueue() const;
    // "127.0.0.1:<port>", for cupsSetServer.
    std::string address() const;
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
    std::filesystem::path root_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// The options a backend receives in its fifth argument, read as CUPS reads them.
std::map<std::string, std::string> parseBackendOptions(const std::string& line);
