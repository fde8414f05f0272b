// Applications as the Linux desktop installs them: a desktop entry <id>.desktop in the
// applications folder of $XDG_DATA_HOME or of a folder of $XDG_DATA_DIRS names the program
// (its Exec line). The application's location, its "bundle", is the folder X.app when the
// program lies in X.app/Contents/Linux/, and the program file itself otherwise; a process runs
// the application whose location its executable gives.
#pragma once

#include <CFURL.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace launch_services {

struct DesktopEntry {
    std::string id;                 // the file name without ".desktop"
    std::filesystem::path location; // canonical
    bool dbusActivatable = false;   // the entry offers org.freedesktop.Application
};

// The applications folders, most important first: $XDG_DATA_HOME (~/.local/share when unset)
// then each folder of $XDG_DATA_DIRS (/usr/local/share:/usr/share when unset), each with
// "applications" appended. Read from the environment at every call.
std::vector<std::filesystem::path> applicationFolders();

// The first entry <id>.desktop in the applications folders. None when no folder has it, or
// when the first one found is hidden, not an application, or names a program that is missing
// or not executable.
std::optional<DesktopEntry> findDesktopEntry(const std::string& id);

// The entry of the application at the location, searched over every applications folder; of
// several, a D-Bus activatable one.
std::optional<DesktopEntry> findDesktopEntryForLocation(const std::filesystem::path& location);

// The location of the application whose executable the program is; none when the program
// does not exist.
std::optional<std::filesystem::path> applicationLocation(const std::filesystem::path& program);

// A file URL for a location (a directory URL for a bundle folder); the caller releases it.
CFURLRef createLocationURL(const std::filesystem::path& location);

} // namespace launch_services
