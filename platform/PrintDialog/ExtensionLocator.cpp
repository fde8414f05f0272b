#include "ExtensionLocator.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

std::vector<std::string> pluginSearchPath() {
    std::vector<std::string> folders;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        folders.push_back(
            (program.parent_path() / NV_PLUGIN_DIR_FROM_PROGRAM).lexically_normal().string());
    if (const char* path = std::getenv("NV_PLUGIN_PATH")) {
        std::istringstream list(path);
        for (std::string folder; std::getline(list, folder, ':');)
            if (!folder.empty()) folders.push_back(folder);
    }
    folders.emplace_back(NV_BUILD_PLUGIN_DIR);
    return folders;
}

std::string locateExtensionBundle(const std::string& namedPath) {
    std::error_code error;
    if (fs::is_directory(namedPath, error)) return namedPath;
    fs::path name = fs::path(namedPath).filename();
    if (name.empty()) name = fs::path(namedPath).parent_path().filename(); // "X.plugin/"
    if (name.empty()) return {};
    for (const std::string& folder : pluginSearchPath()) {
        const fs::path candidate = fs::path(folder) / name;
        if (fs::is_directory(candidate, error)) return candidate.string();
    }
    return {};
}
