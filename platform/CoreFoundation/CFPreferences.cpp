#include "CFPreferences.h"
#include "CFData.h"
#include "CFDictionary.h"
#include "CFInternal.h"
#include "CFPropertyList.h"
#include "CFRef.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

const CFStringRef kCFPreferencesAnyApplication = CFSTR("kCFPreferencesAnyApplication");
const CFStringRef kCFPreferencesCurrentApplication = CFSTR("kCFPreferencesCurrentApplication");
const CFStringRef kCFPreferencesAnyHost = CFSTR("kCFPreferencesAnyHost");
const CFStringRef kCFPreferencesCurrentHost = CFSTR("kCFPreferencesCurrentHost");
const CFStringRef kCFPreferencesAnyUser = CFSTR("kCFPreferencesAnyUser");
const CFStringRef kCFPreferencesCurrentUser = CFSTR("kCFPreferencesCurrentUser");

namespace {

// One preferences file: what it held when last read, and the changes not yet written.
struct Domain {
    CFRef<CFMutableDictionaryRef> values;
    std::vector<std::pair<CFRef<CFStringRef>, CFRef<CFPropertyListRef>>> pending; // null: removed
};

std::mutex mutex;
std::map<fs::path, Domain>& domains() {
    static auto* all = new std::map<fs::path, Domain>();
    return *all;
}

std::string currentUserName() {
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_name ? entry->pw_name : "";
}

fs::path configurationFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config";
    const passwd* entry = getpwuid(getuid());
    return fs::path(entry && entry->pw_dir ? entry->pw_dir : "/tmp") / ".config";
}

std::string safeFileName(std::string name) {
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    return name.empty() || name[0] == '.' ? "_" + name : name;
}

// The file of a domain, or nothing for a domain that this process cannot keep.
std::optional<fs::path> fileFor(CFStringRef application, CFStringRef user, CFStringRef host) {
    if (!cf::isString(application) || !cf::isString(user) || !cf::isString(host))
        return std::nullopt;
    if (!CFEqual(user, kCFPreferencesCurrentUser) && cf::toUTF8(user) != currentUserName())
        return std::nullopt; // other users' preferences are not ours to touch
    std::string name;
    if (CFEqual(application, kCFPreferencesAnyApplication))
        name = ".GlobalPreferences";
    else if (CFEqual(application, kCFPreferencesCurrentApplication))
        name = safeFileName(fs::read_symlink("/proc/self/exe").filename().string());
    else
        name = safeFileName(cf::toUTF8(application));
    fs::path folder = configurationFolder() / "CFPreferences";
    if (CFEqual(host, kCFPreferencesCurrentHost)) {
        char hostName[256] = {};
        gethostname(hostName, sizeof hostName - 1);
        return folder / "ByHost" / (name + "." + safeFileName(hostName) + ".plist");
    }
    if (!CFEqual(host, kCFPreferencesAnyHost)) return std::nullopt;
    return folder / (name + ".plist");
}

CFMutableDictionaryRef readFile(const fs::path& file) {
    const std::string bytes = cf::readWholeFile(file).value_or(std::string());
    if (!bytes.empty()) {
        if (CFDictionaryRef values =
                cf::createDictionaryFromPropertyList(bytes, kCFPropertyListMutableContainers))
            return const_cast<CFMutableDictionaryRef>(values);
        std::fprintf(stderr, "CFPreferences: ignoring the malformed file %s\n", file.c_str());
    }
    return CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                     &kCFTypeDictionaryValueCallBacks);
}

Domain& domain(const fs::path& file) {
    Domain& d = domains()[file];
    if (!d.values) d.values.reset(readFile(file));
    return d;
}

// Writes data to file through a temporary file and a rename, so that a reader sees either the
// old or the new file, never a part of one.
bool writeAtomically(const fs::path& file, CFDataRef data) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::string temporary = file.string() + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    const UInt8* bytes = CFDataGetBytePtr(data);
    size_t left = size_t(CFDataGetLength(data));
    bool ok = true;
    while (ok && left > 0) {
        const ssize_t written = write(fd, bytes, left);
        ok = written > 0;
        if (ok) bytes += written, left -= size_t(written);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

} // namespace

void CFPreferencesSetValue(CFStringRef key, CFPropertyListRef value, CFStringRef applicationID,
                           CFStringRef userName, CFStringRef hostName) {
    const auto file = fileFor(applicationID, userName, hostName);
    if (!file || !cf::isString(key)) return;
    // Strings are copied, so that a mutable string changed later does not change the setting.
    CFRef<CFPropertyListRef> stored(
        cf::isString(value) ? CFStringCreateCopy(nullptr, static_cast<CFStringRef>(value))
                            : CFRetain(value));
    std::lock_guard lock(mutex);
    Domain& d = domain(*file);
    CFRef<CFStringRef> keyCopy(CFStringCreateCopy(nullptr, key));
    if (stored)
        CFDictionarySetValue(d.values.get(), keyCopy.get(), stored.get());
    else
        CFDictionaryRemoveValue(d.values.get(), keyCopy.get());
    d.pending.emplace_back(keyCopy, stored);
}

CFPropertyListRef CFPreferencesCopyValue(CFStringRef key, CFStringRef applicationID,
                                         CFStringRef userName, CFStringRef hostName) {
    const auto file = fileFor(applicationID, userName, hostName);
    if (!file || !cf::isString(key)) return nullptr;
    std::lock_guard lock(mutex);
    return CFRetain(CFDictionaryGetValue(domain(*file).values.get(), key));
}

Boolean CFPreferencesSynchronize(CFStringRef applicationID, CFStringRef userName,
                                 CFStringRef hostName) {
    const auto file = fileFor(applicationID, userName, hostName);
    if (!file) return false;
    std::lock_guard lock(mutex);
    Domain& d = domain(*file);
    CFRef<CFMutableDictionaryRef> merged(readFile(*file));
    for (const auto& [key, value] : d.pending) {
        if (value)
            CFDictionarySetValue(merged.get(), key.get(), value.get());
        else
            CFDictionaryRemoveValue(merged.get(), key.get());
    }
    if (!d.pending.empty()) {
        CFRef<CFDataRef> data(CFPropertyListCreateData(nullptr, merged.get(),
                                                       kCFPropertyListXMLFormat_v1_0, 0, nullptr));
        if (!data || !writeAtomically(*file, data.get())) {
            std::fprintf(stderr, "CFPreferences: cannot write %s\n", file->c_str());
            return false;
        }
        d.pending.clear();
    }
    d.values = merged;
    return true;
}

void _CFPreferencesFlushCaches(void) {
    std::lock_guard lock(mutex);
    domains().clear();
}
