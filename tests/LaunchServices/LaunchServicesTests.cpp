// Applications found by bundle identifier through desktop entries, the process walk finding a
// running one, fronting it without a session bus, and starting one without arguments.
#include <LSInfo.h>
#include <LSOpen.h>
#include <Processes.h>

#include <CFRef.h>
#include <ScratchDesktop.h>

#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

CFRef<CFStringRef> string(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}

std::string pathOf(CFURLRef url) {
    char path[PATH_MAX] = "";
    CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path);
    return path;
}

std::string pathOf(const FSRef& ref) {
    return reinterpret_cast<const char*>(ref.hidden);
}

// The application's location by identifier; none when it is not found.
std::optional<std::string> find(const std::string& identifier) {
    FSRef ref;
    CFURLRef url = nullptr;
    if (LSFindApplicationForInfo(kLSUnknownCreator, string(identifier).get(), nullptr, &ref,
                                 &url) != noErr) {
        EXPECT_EQ(url, nullptr);
        return std::nullopt;
    }
    CFRef<CFURLRef> owned(url);
    EXPECT_EQ(pathOf(url), pathOf(ref));
    return pathOf(ref);
}

// The IDs of the processes that run the application at the location, by a walk from the start.
std::vector<pid_t> processesRunning(const FSRef& application) {
    std::vector<pid_t> found;
    for (ProcessSerialNumber psn = {0, kNoProcess}; GetNextProcess(&psn) == noErr;) {
        FSRef location;
        pid_t pid = 0;
        const bool runsIt = GetProcessBundleLocation(&psn, &location) == noErr &&
                            FSCompareFSRefs(&location, &application) == noErr;
        if (runsIt && GetProcessPID(&psn, &pid) == noErr) found.push_back(pid);
    }
    return found;
}

class LaunchServicesTest : public testing::Test {
  protected:
    ScratchDesktop desktop_;
};

TEST_F(LaunchServicesTest, ApplicationsAreFoundByIdentifierFromTheirDesktopEntries) {
    const fs::path bin = desktop_.root() / "bin";
    const fs::path bundle = desktop_.root() / "Editor.app";
    fs::create_directories(bundle / "Contents" / "Linux");
    fs::copy_file(desktop_.editor(), bundle / "Contents" / "Linux" / "Editor");
    fs::copy_file(desktop_.editor(), bin / "my editor");
    std::ofstream(bin / "notes") << "not a program";
    ScopedEnvironment path("PATH", bin.c_str());
    const fs::path system = desktop_.root() / "system" / "applications";

    desktop_.install("com.example.flat", desktop_.editor().string() + " %U");
    desktop_.install("com.example.bundle", (bundle / "Contents/Linux/Editor").string());
    desktop_.install("com.example.onpath", "RecordingEditor --new-window");
    desktop_.install("com.example.quoted", "\"" + (bin / "my editor").string() + "\" %f");
    desktop_.install("com.example.system", desktop_.editor().string(), "", system);
    desktop_.install("com.example.hidden", desktop_.editor().string(), "Hidden=true\n");
    desktop_.install("com.example.shadowed", desktop_.editor().string(), "Hidden=true\n");
    desktop_.install("com.example.shadowed", desktop_.editor().string(), "", system);
    desktop_.install("com.example.missing", (bin / "absent").string());
    desktop_.install("com.example.notes", (bin / "notes").string());
    desktop_.install("com.example.unknown", "NoSuchProgramAnywhere");

    const std::string editor = fs::canonical(desktop_.editor()).string();
    struct Case {
        const char* identifier;
        std::optional<std::string> location;
    };
    const Case cases[] = {
        {"com.example.flat", editor},
        {"com.example.bundle", fs::canonical(bundle).string()},
        {"com.example.onpath", editor},
        {"com.example.quoted", fs::canonical(bin / "my editor").string()},
        {"com.example.system", editor},
        {"com.example.hidden", std::nullopt},
        {"com.example.shadowed", std::nullopt}, // the user's hidden entry rules
        {"com.example.missing", std::nullopt},
        {"com.example.notes", std::nullopt},
        {"com.example.unknown", std::nullopt},
        {"com.example.absent", std::nullopt},
    };
    for (const Case& each : cases)
        EXPECT_EQ(find(each.identifier), each.location) << each.identifier;

    EXPECT_EQ(paramErr,
              LSFindApplicationForInfo(kLSUnknownCreator, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(LaunchServicesTest, ARunningApplicationIsFoundByItsProcessAndFrontingFailsCleanly) {
    desktop_.install("com.example.editor", desktop_.editor().string(), "DBusActivatable=true\n");
    desktop_.install("com.example.plain", desktop_.editor().string());
    FSRef application;
    ASSERT_EQ(noErr, LSFindApplicationForInfo(kLSUnknownCreator, CFSTR("com.example.editor"),
                                              nullptr, &application, nullptr));
    EXPECT_TRUE(processesRunning(application).empty()) << "not started yet";

    QProcess running;
    desktop_.startEditor(running, "NV_EDITOR_STAY", "1");
    const pid_t pid = pid_t(running.processId());
    EXPECT_EQ(processesRunning(application), std::vector<pid_t>{pid});
    const ProcessSerialNumber psn = {kProcessIDTag, UInt32(pid)};

    // Without a session bus the call fails at once with a status, and does not wait.
    const fs::path nowhere = desktop_.root() / "no-bus";
    ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + nowhere.string()).c_str());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(connectionInvalid, SetFrontProcess(&psn));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));

    running.kill();
    running.waitForFinished();
    FSRef location;
    EXPECT_EQ(procNotFound, GetProcessBundleLocation(&psn, &location));
    EXPECT_EQ(procNotFound, SetFrontProcess(&psn));
}

TEST_F(LaunchServicesTest, ARunningApplicationIsActivatedOnTheSessionBus) {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!daemon.waitForStarted()) GTEST_SKIP() << "dbus-daemon cannot be started";
    ASSERT_TRUE(daemon.waitForReadyRead(10000));
    const QByteArray address = daemon.readLine().trimmed();
    ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS", address.constData());

    desktop_.install("com.example.Editor", desktop_.editor().string(), "DBusActivatable=true\n");
    QProcess running;
    desktop_.startEditor(running, "NV_EDITOR_SERVE", "com.example.Editor");
    FSRef application;
    ASSERT_EQ(noErr, LSFindApplicationForInfo(kLSUnknownCreator, CFSTR("com.example.Editor"),
                                              nullptr, &application, nullptr));
    const auto processes = processesRunning(application);
    ASSERT_EQ(processes, std::vector<pid_t>{pid_t(running.processId())});
    const ProcessSerialNumber psn = {kProcessIDTag, UInt32(processes[0])};
    EXPECT_EQ(noErr, SetFrontProcess(&psn));
    const auto launches = desktop_.waitForLaunches(2);
    ASSERT_EQ(2u, launches.size());
    EXPECT_EQ(launches[1], std::vector<std::string>{"Activate"});

    running.kill();
    running.waitForFinished();
    daemon.kill();
    daemon.waitForFinished();
}

TEST_F(LaunchServicesTest, TheProcessWalkSeesThisProcessAndEnds) {
    const ProcessSerialNumber current = {0, kCurrentProcess};
    FSRef self, location;
    ASSERT_EQ(noErr, GetProcessBundleLocation(&current, &self));
    bool seen = false;
    ProcessSerialNumber psn = {0, kNoProcess};
    OSErr status = noErr;
    while ((status = GetNextProcess(&psn)) == noErr) {
        pid_t pid = 0;
        if (GetProcessPID(&psn, &pid) == noErr && pid == getpid()) {
            seen = true;
            EXPECT_EQ(noErr, GetProcessBundleLocation(&psn, &location));
            EXPECT_EQ(noErr, FSCompareFSRefs(&location, &self));
        }
    }
    EXPECT_TRUE(seen);
    EXPECT_EQ(procNotFound, status);
    EXPECT_EQ(paramErr, GetNextProcess(nullptr));
    const ProcessSerialNumber unknown = {7, 7};
    EXPECT_EQ(procNotFound, GetProcessBundleLocation(&unknown, &location));

    // A process without a D-Bus activatable desktop entry cannot be fronted.
    EXPECT_EQ(appIsDaemon, SetFrontProcess(&current));
}

TEST_F(LaunchServicesTest, OpeningStartsTheApplicationWithoutArgumentsAndLeavesNoZombie) {
    desktop_.install("com.example.editor", desktop_.editor().string() + " --ignored");
    CFURLRef found = nullptr;
    ASSERT_EQ(noErr, LSFindApplicationForInfo(kLSUnknownCreator, CFSTR("com.example.editor"),
                                              nullptr, nullptr, &found));
    CFRef<CFURLRef> application(found);
    CFURLRef launched = nullptr;
    ASSERT_EQ(noErr, LSOpenCFURLRef(application.get(), &launched));
    CFRef<CFURLRef> launchedOwner(launched);
    EXPECT_TRUE(CFEqual(launched, application.get()));

    const auto launches = desktop_.waitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(launches[0], std::vector<std::string>{fs::canonical(desktop_.editor()).string()});
    EXPECT_EQ(0, zombieChildren());

    const fs::path empty = desktop_.root() / "Empty.app";
    fs::create_directories(empty);
    auto url = [](const fs::path& path) {
        const std::string text = path.string();
        return CFRef<CFURLRef>(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(text.data()), CFIndex(text.size()), true));
    };
    EXPECT_EQ(kLSNoExecutableErr, LSOpenCFURLRef(url(empty).get(), nullptr));
    EXPECT_EQ(kLSApplicationNotFoundErr,
              LSOpenCFURLRef(url(desktop_.root() / "Absent.app").get(), nullptr));
    EXPECT_EQ(paramErr, LSOpenCFURLRef(nullptr, nullptr));
}

} // namespace
