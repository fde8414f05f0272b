// Applications found by bundle identifier through the desktop entries as written, a running
// one activated on the session bus, and a bundle without a program. Starting and fronting the
// editor the ordinary way, and the process walk, are the plug-in's launch tests.
#include <LSInfo.h>
#include <LSOpen.h>
#include <Processes.h>

#include <CFRef.h>
#include <ScratchDesktop.h>

#include <QProcess>

#include <gtest/gtest.h>

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

CFRef<CFURLRef> url(const fs::path& path) {
    return CFRef<CFURLRef>(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.c_str()), CFIndex(path.string().size()),
        true));
}

// The application's location by identifier; none when it is not found.
std::optional<std::string> find(const std::string& identifier) {
    FSRef ref;
    if (LSFindApplicationForInfo(kLSUnknownCreator, string(identifier).get(), nullptr, &ref,
                                 nullptr) != noErr)
        return std::nullopt;
    return reinterpret_cast<const char*>(ref.hidden);
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
    const std::string editor = desktop_.editor().string();

    desktop_.install("com.example.flat", editor + " %U");
    desktop_.install("com.example.bundle", (bundle / "Contents/Linux/Editor").string());
    desktop_.install("com.example.onpath", "RecordingEditor --new-window");
    desktop_.install("com.example.quoted", "\"" + (bin / "my editor").string() + "\" %f");
    desktop_.install("com.example.system", editor, "", system);
    desktop_.install("com.example.hidden", editor, "Hidden=true\n");
    desktop_.install("com.example.shadowed", editor, "Hidden=true\n");
    desktop_.install("com.example.shadowed", editor, "", system);
    desktop_.install("com.example.missing", (bin / "absent").string());
    desktop_.install("com.example.notes", (bin / "notes").string());
    desktop_.install("com.example.unknown", "NoSuchProgramAnywhere");

    const std::string found = fs::canonical(desktop_.editor()).string();
    const struct {
        const char* identifier;
        std::optional<std::string> location;
    } cases[] = {
        {"com.example.flat", found},
        {"com.example.bundle", fs::canonical(bundle).string()},
        {"com.example.onpath", found},
        {"com.example.quoted", fs::canonical(bin / "my editor").string()},
        {"com.example.system", found},
        {"com.example.hidden", std::nullopt},
        {"com.example.shadowed", std::nullopt}, // the user's hidden entry rules
        {"com.example.missing", std::nullopt},
        {"com.example.notes", std::nullopt},
        {"com.example.unknown", std::nullopt},
        {"com.example.absent", std::nullopt},
    };
    for (const auto& each : cases)
        EXPECT_EQ(find(each.identifier), each.location) << each.identifier;
    EXPECT_EQ(paramErr,
              LSFindApplicationForInfo(kLSUnknownCreator, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(LaunchServicesTest, ARunningApplicationIsActivatedOnTheSessionBus) {
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!daemon.waitForStarted()) GTEST_SKIP() << "dbus-daemon cannot be started";
    ASSERT_TRUE(daemon.waitForReadyRead(10000));
    const QByteArray address = daemon.readLine().trimmed();
    ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS", address.constData());

    desktop_.install("com.example.Editor", desktop_.editor().string(), "DBusActivatable=true\n");
    desktop_.install("com.example.plain", desktop_.editor().string()); // the activatable one wins
    QProcess running;
    desktop_.startEditor(running, "NV_EDITOR_SERVE", "com.example.Editor");
    const ProcessSerialNumber psn = {kProcessIDTag, UInt32(running.processId())};
    EXPECT_EQ(noErr, SetFrontProcess(&psn));
    const auto launches = desktop_.waitForLaunches(2);
    ASSERT_EQ(2u, launches.size());
    EXPECT_EQ(launches[1], std::vector<std::string>{"Activate"});

    running.kill();
    running.waitForFinished();
    FSRef location;
    EXPECT_EQ(procNotFound, GetProcessBundleLocation(&psn, &location)) << "once it has ended";
    EXPECT_EQ(procNotFound, SetFrontProcess(&psn));
    const ProcessSerialNumber current = {0, kCurrentProcess};
    EXPECT_EQ(appIsDaemon, SetFrontProcess(&current)) << "it has no desktop entry";
    daemon.kill();
    daemon.waitForFinished();
}

TEST_F(LaunchServicesTest, AnApplicationFolderWithoutAProgramCannotBeOpened) {
    fs::create_directories(desktop_.root() / "Empty.app");
    EXPECT_EQ(kLSNoExecutableErr,
              LSOpenCFURLRef(url(desktop_.root() / "Empty.app").get(), nullptr));
}

} // namespace
