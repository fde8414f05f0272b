#include "CFBundle.h"
#include "CFInternal.h"
#include "CFRef.h"
#include "PlugInRegistry.h"
#include "StringsTable.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

const CFStringRef kCFBundleIdentifierKey = CFSTR("CFBundleIdentifier");
const CFStringRef kCFBundleExecutableKey = CFSTR("CFBundleExecutable");
const CFStringRef kCFBundleNameKey = CFSTR("CFBundleName");

struct __CFBundle : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDBundle;
    __CFBundle(fs::path folder, CFDictionaryRef info)
        : Object(kTypeID), folder(std::move(folder)), info(info) {}

    std::u16string describe() const override { return cf::fromUTF8(folder.string()); }

    const fs::path folder;
    const CFDictionaryRef info; // never null
    std::mutex mutex;           // guards what follows
    void* executable = nullptr;
    std::map<fs::path, CFDictionaryRef> tables; // by file; null for a file that could not be read
};

namespace {

std::mutex registryMutex;
std::vector<__CFBundle*>& bundles() {
    static auto* all = new std::vector<__CFBundle*>(); // bundles live as long as the process
    return *all;
}
fs::path contents(const __CFBundle* bundle) {
    return bundle->folder / "Contents";
}
fs::path resources(const __CFBundle* bundle) {
    return contents(bundle) / "Resources";
}

// The bundle's Info dictionary; an empty one (with a message) when it is missing or malformed.
CFDictionaryRef readInfo(const fs::path& folder) {
    const fs::path path = folder / "Contents" / "Info.plist";
    if (auto bytes = cf::readWholeFile(path)) {
        if (CFDictionaryRef info = cf::createDictionaryFromPropertyList(*bytes, 0)) return info;
        std::fprintf(stderr, "CFBundle: malformed Info.plist in %s\n", folder.c_str());
    }
    return CFDictionaryCreate(nullptr, nullptr, nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                              &kCFTypeDictionaryValueCallBacks);
}

// A single-file application: an executable regular file, its own bundle.
bool isExecutableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// The bundle's folder, or the executable file of a single-file application.
std::optional<fs::path> folderOf(CFURLRef url) {
    char path[4096];
    if (!CFURLGetFileSystemRepresentation(url, true, reinterpret_cast<UInt8*>(path), sizeof path))
        return std::nullopt;
    std::error_code error;
    fs::path folder = fs::canonical(path, error);
    if (error) return std::nullopt;
    if (fs::is_directory(folder, error) || isExecutableFile(folder)) return folder;
    return std::nullopt;
}

__CFBundle* findOrCreate(const fs::path& folder) {
    {
        std::lock_guard lock(registryMutex);
        for (__CFBundle* bundle : bundles())
            if (bundle->folder == folder) return bundle;
    }
    auto* created = new __CFBundle(folder, readInfo(folder));
    {
        std::lock_guard lock(registryMutex);
        for (__CFBundle* bundle : bundles()) {
            if (bundle->folder == folder) { // made meanwhile by another thread
                CFRelease(created);
                return bundle;
            }
        }
        bundles().push_back(created);
    }
    cf::registerPlugInBundle(created);
    return created;
}

std::string identifierIn(CFDictionaryRef info) {
    CFTypeRef identifier = CFDictionaryGetValue(info, kCFBundleIdentifierKey);
    return cf::isString(identifier) ? cf::toUTF8(static_cast<CFStringRef>(identifier)) : "";
}

// The user's languages, most wanted first, then English; as .lproj folder names.
std::vector<std::string> localizationFolders() {
    static const std::map<std::string, std::string> legacyNames = {
        {"en", "English"}, {"ja", "Japanese"}, {"fr", "French"}, {"de", "German"},
        {"it", "Italian"}, {"es", "Spanish"},  {"nl", "Dutch"}};
    std::vector<std::string> languages;
    std::string wanted;
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            wanted = value;
            break;
        }
    }
    std::istringstream list(wanted);
    for (std::string language; std::getline(list, language, ':');) {
        language = language.substr(0, language.find_first_of(".@"));
        if (language.empty() || language == "C" || language == "POSIX") continue;
        const std::string base = language.substr(0, language.find('_'));
        for (const std::string& name : {language, base})
            languages.push_back(name);
        if (auto legacy = legacyNames.find(base); legacy != legacyNames.end())
            languages.push_back(legacy->second);
    }
    for (const char* fallback : {"en", "English", "Base"})
        languages.push_back(fallback);
    std::vector<std::string> folders;
    for (const std::string& language : languages) {
        const std::string folder = language + ".lproj";
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

CFDictionaryRef tableAt(__CFBundle* bundle, const fs::path& file) {
    std::lock_guard lock(bundle->mutex);
    auto found = bundle->tables.find(file);
    if (found != bundle->tables.end()) return found->second;
    CFDictionaryRef table = nullptr;
    std::error_code error;
    if (fs::is_regular_file(file, error))
        if (auto bytes = cf::readWholeFile(file))
            table = cf::createStringsTable(*bytes, file.string());
    bundle->tables.emplace(file, table);
    return table;
}

} // namespace

CFTypeID CFBundleGetTypeID(void) {
    return cf::kTypeIDBundle;
}

CFBundleRef CFBundleCreate(CFAllocatorRef, CFURLRef bundleURL) {
    auto folder = folderOf(bundleURL);
    if (!folder) return nullptr;
    return static_cast<CFBundleRef>(const_cast<void*>(CFRetain(findOrCreate(*folder))));
}

CFBundleRef CFBundleGetBundleWithIdentifier(CFStringRef bundleID) {
    if (!cf::isString(bundleID)) return nullptr;
    const std::string wanted = cf::toUTF8(bundleID);
    std::lock_guard lock(registryMutex);
    for (__CFBundle* bundle : bundles())
        if (identifierIn(bundle->info) == wanted) return bundle;
    return nullptr;
}

CFDictionaryRef CFBundleGetInfoDictionary(CFBundleRef bundle) {
    const __CFBundle* b = cf::as<__CFBundle>(bundle);
    return b ? b->info : nullptr;
}

CFTypeRef CFBundleGetValueForInfoDictionaryKey(CFBundleRef bundle, CFStringRef key) {
    return CFDictionaryGetValue(CFBundleGetInfoDictionary(bundle), key);
}

static CFURLRef urlForPath(const fs::path& path, bool isDirectory) {
    const std::string text = path.string();
    return CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(text.data()), CFIndex(text.size()), isDirectory);
}

CFURLRef CFBundleCopyBundleURL(CFBundleRef bundle) {
    const __CFBundle* b = cf::as<__CFBundle>(bundle);
    return b ? urlForPath(b->folder, true) : nullptr;
}

static std::optional<fs::path> executablePath(const __CFBundle* bundle) {
    if (isExecutableFile(bundle->folder)) return bundle->folder;
    CFTypeRef name = CFDictionaryGetValue(bundle->info, kCFBundleExecutableKey);
    if (!cf::isString(name) || !CFStringGetLength(static_cast<CFStringRef>(name)))
        return std::nullopt;
    return contents(bundle) / "Linux" / cf::toUTF8(static_cast<CFStringRef>(name));
}

CFURLRef CFBundleCopyExecutableURL(CFBundleRef bundle) {
    const __CFBundle* b = cf::as<__CFBundle>(bundle);
    auto path = b ? executablePath(b) : std::nullopt;
    return path ? urlForPath(*path, false) : nullptr;
}

CFURLRef CFBundleCopyResourceURL(CFBundleRef bundle, CFStringRef resourceName,
                                 CFStringRef resourceType, CFStringRef subDirName) {
    const __CFBundle* b = cf::as<__CFBundle>(bundle);
    if (!b || !cf::isString(resourceName)) return nullptr;
    std::string name = cf::toUTF8(resourceName);
    if (std::string type = cf::toUTF8(resourceType); !type.empty())
        name += (type.front() == '.' ? "" : ".") + type;
    const fs::path base = resources(b) / cf::toUTF8(subDirName);
    std::vector<fs::path> candidates;
    for (const std::string& folder : localizationFolders())
        candidates.push_back(base / folder / name);
    candidates.push_back(base / name);
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::exists(candidate, error))
            return urlForPath(candidate, fs::is_directory(candidate, error));
    }
    return nullptr;
}

CFStringRef CFBundleCopyLocalizedString(CFBundleRef bundle, CFStringRef key, CFStringRef value,
                                        CFStringRef tableName) {
    if (auto* b = cf::as<__CFBundle>(bundle); b && cf::isString(key)) {
        const std::string table =
            (CFStringGetLength(tableName) ? cf::toUTF8(tableName) : std::string("Localizable")) +
            ".strings";
        std::vector<fs::path> files;
        for (const std::string& folder : localizationFolders())
            files.push_back(resources(b) / folder / table);
        files.push_back(resources(b) / table);
        for (const fs::path& file : files) {
            CFTypeRef text = CFDictionaryGetValue(tableAt(b, file), key);
            if (cf::isString(text)) return static_cast<CFStringRef>(CFRetain(text));
        }
    }
    if (CFStringGetLength(value)) return static_cast<CFStringRef>(CFRetain(value));
    return cf::isString(key) ? static_cast<CFStringRef>(CFRetain(key)) : cf::makeString({});
}

Boolean CFBundleLoadExecutable(CFBundleRef bundle) {
    __CFBundle* b = cf::as<__CFBundle>(bundle);
    if (!b) return false;
    std::lock_guard lock(b->mutex);
    if (b->executable) return true;
    const auto path = executablePath(b);
    if (!path) {
        std::fprintf(stderr, "CFBundle: %s names no executable\n", b->folder.c_str());
        return false;
    }
    b->executable = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL); // never unloaded
    if (!b->executable)
        std::fprintf(stderr, "CFBundle: cannot load %s: %s\n", path->c_str(), dlerror());
    return b->executable != nullptr;
}

void* CFBundleGetFunctionPointerForName(CFBundleRef bundle, CFStringRef functionName) {
    if (!cf::isString(functionName) || !CFBundleLoadExecutable(bundle)) return nullptr;
    __CFBundle* b = cf::as<__CFBundle>(bundle);
    std::lock_guard lock(b->mutex);
    return dlsym(b->executable, cf::toUTF8(functionName).c_str());
}
