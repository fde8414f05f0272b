#include "CFPlugIn.h"
#include "CFInternal.h"
#include "CFRef.h"
#include "PlugInRegistry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

const CFStringRef kCFPlugInFactoriesKey = CFSTR("CFPlugInFactories");
const CFStringRef kCFPlugInTypesKey = CFSTR("CFPlugInTypes");

namespace {

struct Factory {
    CFRef<CFUUIDRef> id;
    CFBundleRef bundle = nullptr;
    std::string functionName;
    std::vector<CFRef<CFUUIDRef>> types;
};

using UUIDKey = std::array<UInt8, 16>;

UUIDKey keyOf(CFUUIDRef uuid) {
    const CFUUIDBytes b = CFUUIDGetUUIDBytes(uuid);
    UUIDKey key;
    static_assert(sizeof b == sizeof key);
    std::memcpy(key.data(), &b, sizeof b);
    return key;
}

struct Registry {
    std::mutex mutex;
    std::map<UUIDKey, Factory> factories;
    std::map<UUIDKey, CFIndex> instances; // counted for any factory, registered or not
};

Registry& registry() {
    static auto* shared = new Registry();
    return *shared;
}

CFUUIDRef uuidFrom(CFTypeRef string) {
    return cf::isString(string) ? CFUUIDCreateFromString(nullptr, static_cast<CFStringRef>(string))
                                : nullptr;
}

bool makes(const Factory& factory, CFUUIDRef type) {
    return std::any_of(factory.types.begin(), factory.types.end(),
                       [&](const CFRef<CFUUIDRef>& t) { return CFEqual(t.get(), type); });
}

// The entries of the Info dictionary under key; none when it is missing or no dictionary.
std::vector<std::pair<const void*, const void*>> infoEntries(CFBundleRef bundle, CFStringRef key) {
    CFTypeRef value = CFBundleGetValueForInfoDictionaryKey(bundle, key);
    if (CFGetTypeID(value) != CFDictionaryGetTypeID()) return {};
    const auto dictionary = static_cast<CFDictionaryRef>(value);
    std::vector<const void*> keys(size_t(CFDictionaryGetCount(dictionary)));
    std::vector<const void*> values(keys.size());
    CFDictionaryGetKeysAndValues(dictionary, keys.data(), values.data());
    std::vector<std::pair<const void*, const void*>> entries;
    for (size_t i = 0; i < keys.size(); ++i)
        entries.emplace_back(keys[i], values[i]);
    return entries;
}

} // namespace

namespace cf {

void registerPlugInBundle(CFBundleRef bundle) {
    const auto factories = infoEntries(bundle, kCFPlugInFactoriesKey);
    if (factories.empty()) return;
    std::lock_guard lock(registry().mutex);
    for (const auto& [idText, name] : factories) {
        CFRef<CFUUIDRef> id(uuidFrom(idText));
        if (!id || !isString(name)) {
            std::fputs("CFPlugIn: a bundle's Info holds a malformed factory entry\n", stderr);
            continue;
        }
        Factory& factory = registry().factories[keyOf(id.get())];
        if (factory.id) continue; // already known
        factory.id = id;
        factory.bundle = bundle;
        factory.functionName = toUTF8(static_cast<CFStringRef>(name));
    }

    for (const auto& [typeText, factoryList] : infoEntries(bundle, kCFPlugInTypesKey)) {
        CFRef<CFUUIDRef> type(uuidFrom(typeText));
        const auto list = static_cast<CFArrayRef>(factoryList);
        if (!type || CFGetTypeID(list) != CFArrayGetTypeID()) continue;
        for (CFIndex k = 0; k < CFArrayGetCount(list); ++k) {
            CFRef<CFUUIDRef> id(uuidFrom(CFArrayGetValueAtIndex(list, k)));
            auto factory =
                id ? registry().factories.find(keyOf(id.get())) : registry().factories.end();
            if (factory != registry().factories.end() && factory->second.bundle == bundle &&
                !makes(factory->second, type.get()))
                factory->second.types.push_back(type);
        }
    }
}

} // namespace cf

CFPlugInRef CFPlugInCreate(CFAllocatorRef allocator, CFURLRef plugInURL) {
    return CFBundleCreate(allocator, plugInURL);
}

CFArrayRef CFPlugInFindFactoriesForPlugInTypeInPlugIn(CFUUIDRef typeUUID, CFPlugInRef plugIn) {
    CFMutableArrayRef found = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    std::lock_guard lock(registry().mutex);
    for (const auto& [key, factory] : registry().factories)
        if (factory.bundle == plugIn && makes(factory, typeUUID))
            CFArrayAppendValue(found, factory.id.get());
    return found;
}

void* CFPlugInInstanceCreate(CFAllocatorRef allocator, CFUUIDRef factoryUUID, CFUUIDRef typeUUID) {
    if (!factoryUUID || !typeUUID) return nullptr;
    CFBundleRef bundle = nullptr;
    std::string name;
    {
        std::lock_guard lock(registry().mutex);
        auto found = registry().factories.find(keyOf(factoryUUID));
        if (found == registry().factories.end()) {
            std::fputs("CFPlugIn: no factory registered under that UUID\n", stderr);
            return nullptr;
        }
        bundle = found->second.bundle;
        name = found->second.functionName;
    }
    CFRef<CFStringRef> functionName(
        CFStringCreateWithCString(nullptr, name.c_str(), kCFStringEncodingUTF8));
    auto function = reinterpret_cast<CFPlugInFactoryFunction>(
        CFBundleGetFunctionPointerForName(bundle, functionName.get()));
    if (!function) {
        std::fprintf(stderr, "CFPlugIn: the factory function %s cannot be found\n", name.c_str());
        return nullptr;
    }
    // Called without the lock: the factory announces its instance through this registry.
    return function(allocator, typeUUID);
}

void CFPlugInAddInstanceForFactory(CFUUIDRef factoryID) {
    if (!factoryID) return;
    std::lock_guard lock(registry().mutex);
    ++registry().instances[keyOf(factoryID)];
}

void CFPlugInRemoveInstanceForFactory(CFUUIDRef factoryID) {
    if (!factoryID) return;
    std::lock_guard lock(registry().mutex);
    CFIndex& count = registry().instances[keyOf(factoryID)];
    if (count > 0)
        --count;
    else
        std::fputs("CFPlugIn: an instance removed that was never added\n", stderr);
}

CFIndex _CFPlugInGetInstanceCountForFactory(CFUUIDRef factoryID) {
    if (!factoryID) return 0;
    std::lock_guard lock(registry().mutex);
    auto found = registry().instances.find(keyOf(factoryID));
    return found == registry().instances.end() ? 0 : found->second;
}
