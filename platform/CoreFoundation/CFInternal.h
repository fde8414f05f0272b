// Private to the CoreFoundation stand-in: the object base that every CF type derives from, and
// string helpers shared by its files.
#pragma once

#include "CFBase.h"
#include "CFDictionary.h"
#include "CFString.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

namespace cf {

enum TypeID : CFTypeID {
    kTypeIDString = 1,
    kTypeIDArray,
    kTypeIDDictionary,
    kTypeIDNumber,
    kTypeIDBoolean,
    kTypeIDData,
    kTypeIDUUID,
    kTypeIDURL,
    kTypeIDBundle,
    kTypeIDRunLoop,
    kTypeIDRunLoopTimer,
    kTypeIDTimeZone,
    kTypeIDNetService, // platform/CFNetwork's services are CF objects too
};

struct Object {
    explicit Object(CFTypeID type) : typeID(type) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    // Called only with an object of the same type ID.
    virtual bool equals(const Object& other) const { return this == &other; }
    virtual CFHashCode hash() const { return reinterpret_cast<CFHashCode>(this); }
    virtual std::u16string describe() const;

    const CFTypeID typeID;
    std::atomic<CFIndex> retainCount{1};
    bool immortal = false; // constants: retain and release do nothing
};

// The object behind ref when it is of type T; null for null or another type.
void reportImmutableChange(CFTypeRef ref);

template <class T> T* as(CFTypeRef ref) {
    auto* object = const_cast<Object*>(static_cast<const Object*>(ref));
    return object && object->typeID == T::kTypeID ? static_cast<T*>(object) : nullptr;
}

inline bool isString(CFTypeRef ref) {
    return CFGetTypeID(ref) == kTypeIDString;
}

// The object behind ref when it is a mutable T; null (with a message when it is an immutable
// one) otherwise. T has a member isMutable.
template <class T> T* asMutable(CFTypeRef ref) {
    T* object = as<T>(ref);
    if (object && !object->isMutable) {
        reportImmutableChange(ref);
        return nullptr;
    }
    return object;
}

// Strings as this library keeps them.
CFStringRef makeString(std::u16string chars);
std::u16string_view chars(CFStringRef string);  // empty for null or a non-string
std::string toUTF8(CFStringRef string);         // empty for null or a non-string
std::u16string fromUTF8(std::string_view text); // invalid sequences become U+FFFD
std::string toUTF8(std::u16string_view text);   // lone surrogates become U+FFFD

// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);
// The dictionary that XML property-list bytes hold (mutable containers with
// kCFPropertyListMutableContainers); null when they hold no dictionary.
CFDictionaryRef createDictionaryFromPropertyList(std::string_view bytes, CFOptionFlags options);

} // namespace cf
