// Feeds arbitrary text as a desktop entry to the application look-up: the text is written as
// the only entry of a temporary $XDG_DATA_HOME (with an empty $XDG_DATA_DIRS), and an entry
// found for it must carry its identifier and an existing program location.
#include <DesktopEntries.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

std::filesystem::path dataHome;

void removeDataHome() {
    std::error_code ignored;
    std::filesystem::remove_all(dataHome, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "desktop-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    dataHome = pattern;
    std::filesystem::create_directories(dataHome / "applications");
    std::filesystem::create_directories(dataHome / "empty");
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    setenv("XDG_DATA_DIRS", (dataHome / "empty").c_str(), 1);
    std::atexit(removeDataHome);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream file(dataHome / "applications" / "fuzz.desktop",
                           std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const std::optional<launch_services::DesktopEntry> entry =
        launch_services::findDesktopEntry("fuzz");
    if (!entry) return 0;
    check(entry->id == "fuzz");
    std::error_code error;
    check(std::filesystem::exists(entry->location, error));
    return 0;
}
