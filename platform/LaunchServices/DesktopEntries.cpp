#include "DesktopEntries.h"

#include <glib.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>

namespace launch_services {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGroup = G_KEY_FILE_DESKTOP_GROUP;

struct GFreeDeleter {
    void operator()(void* memory) const { g_free(memory); }
};
using OwnedText = std::unique_ptr<gchar, GFreeDeleter>;
using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;

std::string environmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

bool isExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// The program of an Exec line: its first word, unquoted as the desktop does, looked up on PATH
// when it is a bare name.
std::optional<fs::path> programOf(const gchar* exec) {
    gchar** words = nullptr;
    if (!exec || !g_shell_parse_argv(exec, nullptr, &words, nullptr)) return std::nullopt;
    const std::unique_ptr<gchar*, decltype(&g_strfreev)> owner(words, &g_strfreev);
    const std::string program = words[0];
    if (program.find('/') != std::string::npos) return fs::path(program);
    if (OwnedText found{g_find_program_in_path(program.c_str())}) return fs::path(found.get());
    return std::nullopt;
}

// The entry read from the file; none when it is hidden, not an application or its program
// cannot be run.
std::optional<DesktopEntry> readEntry(const fs::path& file, const std::string& id) {
    KeyFile keys(g_key_file_new(), &g_key_file_free);
    if (!g_key_file_load_from_file(keys.get(), file.c_str(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    OwnedText type{g_key_file_get_string(keys.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_TYPE, nullptr)};
    if (!type || std::string(type.get()) != G_KEY_FILE_DESKTOP_TYPE_APPLICATION ||
        g_key_file_get_boolean(keys.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_HIDDEN, nullptr))
        return std::nullopt;
    OwnedText exec{g_key_file_get_string(keys.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr)};
    const auto program = programOf(exec.get());
    if (!program || !isExecutableFile(*program)) return std::nullopt;
    auto location = applicationLocation(*program);
    if (!location) return std::nullopt;
    const bool activatable = g_key_file_get_boolean(
        keys.get(), kGroup, G_KEY_FILE_DESKTOP_KEY_DBUS_ACTIVATABLE, nullptr);
    return DesktopEntry{id, std::move(*location), activatable != FALSE};
}

} // namespace

std::vector<fs::path> applicationFolders() {
    const std::string home = environmentOr("HOME", "");
    std::vector<fs::path> folders = {
        fs::path(environmentOr("XDG_DATA_HOME", home + "/.local/share")) / "applications"};
    std::istringstream dataFolders(environmentOr("XDG_DATA_DIRS", "/usr/local/share:/usr/share"));
    for (std::string folder; std::getline(dataFolders, folder, ':');)
        if (!folder.empty()) folders.push_back(fs::path(folder) / "applications");
    return folders;
}

std::optional<DesktopEntry> findDesktopEntry(const std::string& id) {
    if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
    for (const fs::path& folder : applicationFolders()) {
        const fs::path file = folder / (id + ".desktop");
        std::error_code error;
        if (fs::is_regular_file(file, error)) return readEntry(file, id); // the first one rules
    }
    return std::nullopt;
}

std::optional<DesktopEntry> findDesktopEntryForLocation(const fs::path& location) {
    std::optional<DesktopEntry> found;
    std::set<std::string> seen; // an entry in a more important folder hides its namesakes
    for (const fs::path& folder : applicationFolders()) {
        std::error_code error;
        for (const auto& file : fs::directory_iterator(folder, error)) {
            if (file.path().extension() != ".desktop") continue;
            const std::string id = file.path().stem().string();
            if (!seen.insert(id).second) continue;
            auto entry = readEntry(file.path(), id);
            if (!entry || entry->location != location) continue;
            if (entry->dbusActivatable) return entry; // one that can be fronted wins
            if (!found) found = std::move(entry);
        }
    }
    return found;
}

std::optional<fs::path> applicationLocation(const fs::path& program) {
    std::error_code error;
    const fs::path executable = fs::canonical(program, error);
    if (error) return std::nullopt;
    const fs::path folder = executable.parent_path();
    if (folder.filename() == "Linux" && folder.parent_path().filename() == "Contents")
        return folder.parent_path().parent_path();
    return executable;
}

CFURLRef createLocationURL(const fs::path& location) {
    const std::string path = location.string();
    std::error_code error;
    return CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.data()), CFIndex(path.size()),
        fs::is_directory(location, error));
}

} // namespace launch_services
