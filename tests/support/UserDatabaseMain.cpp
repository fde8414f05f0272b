// A main() that runs the tests against the user and group database of TestUserDatabase.h: it
// writes the database into a scratch folder and runs this program again with nss_wrapper
// answering the name service from those files, then removes the folder.
#include "ScratchFolder.h"
#include "TestUserDatabase.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

extern char** environ;

namespace {

void writeDatabase(const std::string& passwdPath, const std::string& groupPath) {
    const std::string uid = std::to_string(getuid());
    std::ofstream(passwdPath) << kTestLoginUser << ":x:" << uid << ":" << kAdminGroupID
                              << ":Fax Admin:/nonexistent:/bin/false\n"
                              << kListedAdmin << ":x:" << getuid() + 1 << ":" << kStaffGroupID
                              << ":Listed:/nonexistent:/bin/false\n"
                              << kOutsider << ":x:" << getuid() + 2 << ":" << kStaffGroupID
                              << ":Outsider:/nonexistent:/bin/false\n";
    std::ofstream(groupPath) << "staff:x:" << kStaffGroupID << ":\n"
                             << "admin:x:" << kAdminGroupID << ":" << kListedAdmin << "\n";
}

// Runs this program again in the environment; its exit status, 1 when it cannot run.
int runAgain(char** argv) {
    pid_t child = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) {
        std::perror("posix_spawn");
        return 1;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char** argv) {
    ScratchFolder scratch;
    if (std::getenv("NSS_WRAPPER_GROUP")) { // inside the test database
        testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }
    const std::string passwdPath = testing::TempDir() + "passwd";
    const std::string groupPath = testing::TempDir() + "group";
    writeDatabase(passwdPath, groupPath);
    setenv("LD_PRELOAD", NV_NSS_WRAPPER_LIBRARY, 1);
    setenv("NSS_WRAPPER_PASSWD", passwdPath.c_str(), 1);
    setenv("NSS_WRAPPER_GROUP", groupPath.c_str(), 1);
    // Under AddressSanitizer the preloaded library comes before its runtime, which is fine here.
    const char* asanOptions = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS",
           (std::string(asanOptions ? asanOptions : "") + ":verify_asan_link_order=0").c_str(), 1);
    return runAgain(argv);
}
