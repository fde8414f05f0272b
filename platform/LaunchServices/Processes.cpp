#include "Processes.h"
#include "DesktopEntries.h"

#include <CFRef.h>

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::mutex walkMutex;
std::vector<pid_t> walkList; // the processes of the current walk, ascending; guarded

std::vector<pid_t> runningProcesses() {
    std::vector<pid_t> processes;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        pid_t pid = 0;
        const auto [end, failure] = std::from_chars(name.data(), name.data() + name.size(), pid);
        if (failure == std::errc() && end == name.data() + name.size() && pid > 0)
            processes.push_back(pid);
    }
    std::sort(processes.begin(), processes.end());
    return processes;
}

// The process ID the serial number holds, whether or not the process still runs.
std::optional<pid_t> processIDIn(const ProcessSerialNumber* psn) {
    if (!psn) return std::nullopt;
    if (psn->highLongOfPSN == 0 && psn->lowLongOfPSN == kCurrentProcess) return getpid();
    if (psn->highLongOfPSN != kProcessIDTag || psn->lowLongOfPSN == 0) return std::nullopt;
    return pid_t(psn->lowLongOfPSN);
}

// The ID of the running process the serial number names.
std::optional<pid_t> processIDOf(const ProcessSerialNumber* psn) {
    const auto pid = processIDIn(psn);
    std::error_code error;
    if (!pid || !fs::exists(fs::path("/proc") / std::to_string(*pid), error)) return std::nullopt;
    return pid;
}

} // namespace

OSErr GetNextProcess(ProcessSerialNumber* PSN) {
    if (!PSN) return paramErr;
    std::lock_guard lock(walkMutex);
    const bool fromStart = PSN->highLongOfPSN == 0 && PSN->lowLongOfPSN == kNoProcess;
    if (fromStart || walkList.empty()) walkList = runningProcesses();
    pid_t after = 0;
    if (!fromStart) {
        const auto current = processIDIn(PSN); // it may have ended since
        if (!current) return procNotFound;
        after = *current;
    }
    const auto next = std::upper_bound(walkList.begin(), walkList.end(), after);
    if (next == walkList.end()) return procNotFound;
    *PSN = {kProcessIDTag, UInt32(*next)};
    return noErr;
}

OSStatus GetProcessPID(const ProcessSerialNumber* psn, pid_t* pid) {
    const auto found = processIDOf(psn);
    if (!found) return procNotFound;
    if (pid) *pid = *found;
    return noErr;
}

OSStatus GetProcessBundleLocation(const ProcessSerialNumber* psn, FSRef* location) {
    const auto pid = processIDOf(psn);
    if (!pid || !location) return pid ? OSStatus(paramErr) : OSStatus(procNotFound);
    std::error_code error;
    const fs::path executable =
        fs::read_symlink(fs::path("/proc") / std::to_string(*pid) / "exe", error);
    if (error) return procNotFound; // gone, the kernel's or another user's
    const auto application = launch_services::applicationLocation(executable);
    if (!application) return procNotFound; // its executable was deleted or replaced
    CFRef<CFURLRef> url(launch_services::createLocationURL(*application));
    return url && CFURLGetFSRef(url.get(), location) ? OSStatus(noErr) : OSStatus(procNotFound);
}

void ExitToShell(void) {
    _exit(0);
}
