// The address book editor started from the plug-in with the printer's connection, fronted when
// it already runs, and every failure shown as "Address Book Editor not found.".
#include "PlugInTestSupport.h"

#include <AddressBookEditorLaunch.h>

#include <ControlDefinitionTables.h>
#include <Processes.h>
#include <ScratchDesktop.h>
#include <TestDriver/ToolboxDriver.h>

#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Arguments = std::vector<std::string>;

constexpr const char* kEditorID = "com.norvale.qrt.SendraFaxAddressBookEditor";
constexpr const char* kNotFound = "The Address Book editor could not be found.";

CFRef<CFStringRef> string(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}

// Runs the launch as the address book button does, answering a message window with OK.
struct Outcome {
    OSStatus result;
    std::optional<std::string> message; // the text of the message window, when one was shown
};
Outcome launch(CFBundleRef bundle, CFStringRef address) {
    ToolboxDriver driver;
    Outcome outcome = {noErr, std::nullopt};
    driver.answerNextModal([&](WindowRef window) {
        outcome.message =
            ToolboxDriver::controlText(window, aboutMsgWndStatictTextCtrlID).toStdString();
        EXPECT_TRUE(ToolboxDriver::click(window, {FOUR_CHAR_CODE("okbt"), 1}));
    });
    outcome.result = LaunchAddressBookEditorApplication(bundle, address);
    return outcome;
}

class AddressBookEditorLaunchTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(faxBundle()); }

    ScratchDesktop desktop_;
};

TEST_F(AddressBookEditorLaunchTest, TheEditorGetsThePrintersConnection) {
    desktop_.install(kEditorID, desktop_.editor().string());
    const struct {
        const char* address; // null: not known yet
        Arguments afterPath;
    } cases[] = {
        {"", {"-SFAXConnectionType USB"}},
        {"192.168.1.5", {"-SFAXConnectionType NET", "-SFAXAddress 192.168.1.5"}},
        {nullptr, {}},
    };
    for (const auto& each : cases) {
        const size_t before = desktop_.launches().size();
        const Outcome outcome =
            launch(faxBundle(), each.address ? string(each.address).get() : nullptr);
        EXPECT_EQ(noErr, outcome.result);
        EXPECT_FALSE(outcome.message) << *outcome.message;
        const auto launches = desktop_.waitForLaunches(before + 1);
        ASSERT_EQ(before + 1, launches.size());
        Arguments expected = {fs::canonical(desktop_.editor()).string()};
        expected.insert(expected.end(), each.afterPath.begin(), each.afterPath.end());
        EXPECT_EQ(expected, launches.back()) << (each.address ? each.address : "null");
        EXPECT_EQ(0, zombieChildren()) << "the started child is reaped";
        ASSERT_TRUE(desktop_.waitUntilEditorEnds()) << "the next launch would front this editor";
    }
}

TEST_F(AddressBookEditorLaunchTest, ARunningEditorIsFrontedAndNotStartedAgain) {
    desktop_.install(kEditorID, desktop_.editor().string(), "DBusActivatable=true\n");
    QProcess running;
    desktop_.startEditor(running, "NV_EDITOR_STAY", "1");

    // Without a session bus fronting fails with its status, and no message is shown.
    const std::string nowhere = "unix:path=" + (desktop_.root() / "no-bus").string();
    ScopedEnvironment bus("DBUS_SESSION_BUS_ADDRESS", nowhere.c_str());
    const Outcome outcome = launch(faxBundle(), CFSTR("192.168.1.5"));
    EXPECT_EQ(connectionInvalid, outcome.result);
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(1u, desktop_.launches().size()) << "not started again";
    running.kill();
    running.waitForFinished();
}

// A copy of the plug-in's bundle whose Info lacks the editor's identifier.
CFBundleRef bundleWithoutEditorKey(const fs::path& folder) {
    fs::create_directories(folder / "Contents");
    std::ofstream(folder / "Contents" / "Info.plist")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
           "<string>com.example.nokey</string></dict></plist>";
    fs::create_directory_symlink(fs::path(NV_SENDRAFAX_BUNDLE) / "Contents" / "Resources",
                                 folder / "Contents" / "Resources");
    const std::string path = folder.string();
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.data()), CFIndex(path.size()), true));
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, url.get()));
    return bundle.get(); // bundles live as long as the process
}

pid_t failingFork() {
    errno = EAGAIN;
    return -1;
}

TEST_F(AddressBookEditorLaunchTest, EveryFailureShowsTheEditorNotFound) {
    const fs::path broken = desktop_.root() / "bin" / "broken";
    std::ofstream(broken) << "neither a program nor a script\n";
    fs::permissions(broken, fs::perms::owner_all);
    CFBundleRef withoutKey = bundleWithoutEditorKey(desktop_.root() / "NoKey.plugin");
    ASSERT_TRUE(withoutKey);

    struct Case {
        const char* name;
        CFBundleRef bundle;
        std::string exec; // the editor's Exec line; empty: not installed
        std::optional<std::string> address;
        ForkProcedure fork = nullptr;
    };
    const std::string editor = desktop_.editor().string();
    const Case cases[] = {
        {"no information key", withoutKey, editor, "192.168.1.5"},
        {"no application", faxBundle(), "", "192.168.1.5"},
        {"fork fails", faxBundle(), editor, "192.168.1.5", &failingFork},
        {"exec fails", faxBundle(), broken.string(), "192.168.1.5"},
        {"exec fails, no address", faxBundle(), broken.string(), std::nullopt},
        {"address not ASCII", faxBundle(), editor, "drucker-\u00FC.local"},
        {"address too long", faxBundle(), editor, std::string(256, '1')},
    };
    for (const auto& each : cases) {
        fs::remove(desktop_.applications() / (std::string(kEditorID) + ".desktop"));
        if (!each.exec.empty()) desktop_.install(kEditorID, each.exec);
        const ForkProcedure previous =
            each.fork ? SetAddressBookEditorForkProcedure(each.fork) : nullptr;
        const Outcome outcome =
            launch(each.bundle, each.address ? string(*each.address).get() : nullptr);
        if (previous) SetAddressBookEditorForkProcedure(previous);
        EXPECT_EQ(-1, outcome.result) << each.name;
        EXPECT_EQ(kNotFound, outcome.message.value_or("no message")) << each.name;
    }
    EXPECT_TRUE(desktop_.launches().empty());
    EXPECT_EQ(0, zombieChildren());
}

} // namespace
