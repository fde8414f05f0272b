#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <system_error>

ScratchFolder::ScratchFolder() {
    std::string pattern = testing::TempDir() + "nv-tests-XXXXXX";
    if (!mkdtemp(pattern.data())) return; // the tests then use the system's folder
    path_ = pattern;
    setenv("TEST_TMPDIR", (pattern + "/").c_str(), 1);
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) return;
    std::error_code ignored; // a file still held open must not turn a passed run into a crash
    std::filesystem::remove_all(path_, ignored);
}
