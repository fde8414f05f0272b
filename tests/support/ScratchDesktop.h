// A desktop of a test's own for the application launch tests: $XDG_DATA_HOME and
// $XDG_DATA_DIRS point into a scratch folder, so only the applications a test installs there
// are found. Each test program gets its own copy of the recording editor (NV_RECORDING_EDITOR,
// tests/LaunchServices/RecordingEditor.cpp), so that test programs running side by side never
// take each other's editors for their own; every copy records its launches in one file.
#pragma once

#include "ScopedEnvironment.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class ScratchDesktop {
  public:
    ScratchDesktop()
        : root_(std::filesystem::path(testing::TempDir()) /
                ("desktop-" + std::to_string(getpid()))),
          dataHome_("XDG_DATA_HOME", (root_ / "home").c_str()),
          dataDirs_("XDG_DATA_DIRS", (root_ / "system").c_str()),
          record_("NV_EDITOR_RECORD", (root_ / "launches.txt").c_str()) {
        std::filesystem::create_directories(applications());
        std::filesystem::create_directories(root_ / "system" / "applications");
        std::filesystem::create_directories(root_ / "bin");
        editor_ = root_ / "bin" / "RecordingEditor";
        std::filesystem::copy_file(NV_RECORDING_EDITOR, editor_);
    }
    ~ScratchDesktop() {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    ScratchDesktop(const ScratchDesktop&) = delete;
    ScratchDesktop& operator=(const ScratchDesktop&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // This test program's copy of the recording editor.
    const std::filesystem::path& editor() const { return editor_; }
    std::filesystem::path applications() const { return root_ / "home" / "applications"; }

    // Writes <id>.desktop into the folder (the user's applications folder by default).
    void install(const std::string& id, const std::string& exec, const std::string& more = "",
                 std::filesystem::path folder = {}) const {
        if (folder.empty()) folder = applications();
        std::ofstream(folder / (id + ".desktop"))
            << "[Desktop Entry]\nType=Application\nName=" << id << "\nExec=" << exec << "\n"
            << more;
    }

    // Starts the editor with one more environment variable and waits until it has recorded
    // its start (the first launch).
    void startEditor(QProcess& process, const QString& variable, const QString& value) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(variable, value);
        process.setProcessEnvironment(environment);
        process.start(QString::fromStdString(editor_.string()), {});
        ASSERT_TRUE(process.waitForStarted());
        ASSERT_EQ(1u, waitForLaunches(1).size());
    }

    // The argument vectors of the editor's launches so far, in order.
    std::vector<std::vector<std::string>> launches() const {
        std::vector<std::vector<std::string>> all(1);
        std::ifstream in(root_ / "launches.txt");
        for (std::string line; std::getline(in, line);) {
            if (line == "--")
                all.emplace_back();
            else
                all.back().push_back(line);
        }
        all.pop_back();
        return all;
    }
    // The launches once there are at least count of them, waiting at most ten seconds.
    std::vector<std::vector<std::string>> waitForLaunches(size_t count) const {
        waitUntil([&] { return launches().size() >= count; });
        return launches();
    }
    // Waits at most ten seconds until no process runs this desktop's editor; true when none
    // does. A launch right after an earlier editor's would otherwise find it still running.
    bool waitUntilEditorEnds() const {
        return waitUntil([&] { return !editorRuns(); });
    }

  private:
    template <typename Condition> static bool waitUntil(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    bool editorRuns() const {
        std::error_code error;
        const auto editor = std::filesystem::canonical(editor_, error);
        for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
            std::error_code unreadable;
            if (std::filesystem::read_symlink(entry.path() / "exe", unreadable) == editor)
                return true;
        }
        return false;
    }

    std::filesystem::path root_;
    ScopedEnvironment dataHome_, dataDirs_, record_;
    std::filesystem::path editor_;
};

// The children of this process that have ended but were never waited for.
inline int zombieChildren() {
    int zombies = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string process = entry.path().filename().string();
        if (process.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const size_t name = text.rfind(')'); // the command name may hold blanks and parentheses
        if (name == std::string::npos) continue;
        std::istringstream fields(text.substr(name + 1));
        char state = 0;
        pid_t parent = 0;
        if (fields >> state >> parent && state == 'Z' && parent == getpid()) ++zombies;
    }
    return zombies;
}
