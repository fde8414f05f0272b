#include "CFDictionary.h"
#include "CFInternal.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

static const void* retainValue(CFAllocatorRef, const void* value) {
    return CFRetain(value);
}
static void releaseValue(CFAllocatorRef, const void* value) {
    CFRelease(value);
}

const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {
    0, retainValue, releaseValue, CFCopyDescription, CFEqual, CFHash};
// Keys are immutable strings in practice; retaining them is as good as copying.
const CFDictionaryKeyCallBacks kCFCopyStringDictionaryKeyCallBacks = kCFTypeDictionaryKeyCallBacks;
const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {0, retainValue, releaseValue,
                                                                    CFCopyDescription, CFEqual};

struct __CFDictionary : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDDictionary;

    struct KeyHash {
        const CFDictionaryKeyCallBacks* callBacks;
        size_t operator()(const void* key) const {
            return callBacks->hash ? callBacks->hash(key) : std::hash<const void*>()(key);
        }
    };
    struct KeyEqual {
        const CFDictionaryKeyCallBacks* callBacks;
        bool operator()(const void* a, const void* b) const {
            return a == b || (callBacks->equal && callBacks->equal(a, b));
        }
    };

    __CFDictionary(const CFDictionaryKeyCallBacks* keys, const CFDictionaryValueCallBacks* values,
                   bool isMutable)
        : Object(kTypeID), keyCallBacks(keys ? *keys : CFDictionaryKeyCallBacks{}),
          valueCallBacks(values ? *values : CFDictionaryValueCallBacks{}), isMutable(isMutable),
          entries(0, KeyHash{&keyCallBacks}, KeyEqual{&keyCallBacks}) {}
    ~__CFDictionary() override { clear(); }

    void clear() {
        decltype(entries) old(0, KeyHash{&keyCallBacks}, KeyEqual{&keyCallBacks});
        old.swap(entries);
        for (const auto& [key, value] : old) {
            if (keyCallBacks.release) keyCallBacks.release(nullptr, key);
            if (valueCallBacks.release) valueCallBacks.release(nullptr, value);
        }
    }
    void set(const void* key, const void* value) {
        if (valueCallBacks.retain) value = valueCallBacks.retain(nullptr, value);
        auto found = entries.find(key);
        if (found == entries.end()) {
            if (keyCallBacks.retain) key = keyCallBacks.retain(nullptr, key);
            entries.emplace(key, value);
            return;
        }
        const void* old = found->second;
        found->second = value;
        if (valueCallBacks.release) valueCallBacks.release(nullptr, old);
    }
    bool sameValue(const void* a, const void* b) const {
        return a == b || (valueCallBacks.equal && valueCallBacks.equal(a, b));
    }

    bool equals(const Object& other) const override {
        const auto& that = static_cast<const __CFDictionary&>(other);
        if (entries.size() != that.entries.size()) return false;
        for (const auto& [key, value] : entries) {
            auto found = that.entries.find(key);
            if (found == that.entries.end() || !sameValue(value, found->second)) return false;
        }
        return true;
    }
    CFHashCode hash() const override { return entries.size(); }
    std::u16string describe() const override {
        auto text = [](const void* item, CFDictionaryCopyDescriptionCallBack copyDescription) {
            CFStringRef description = copyDescription ? copyDescription(item) : nullptr;
            std::u16string result = description ? std::u16string(cf::chars(description)) : u"?";
            if (description) CFRelease(description);
            return result;
        };
        std::u16string out = u"{";
        for (const auto& [key, value] : entries)
            out += text(key, keyCallBacks.copyDescription) + u" = " +
                   text(value, valueCallBacks.copyDescription) + u"; ";
        return out + u"}";
    }

    const CFDictionaryKeyCallBacks keyCallBacks;
    const CFDictionaryValueCallBacks valueCallBacks;
    const bool isMutable;
    std::unordered_map<const void*, const void*, KeyHash, KeyEqual> entries;
};

using cf::as;

CFTypeID CFDictionaryGetTypeID(void) {
    return cf::kTypeIDDictionary;
}

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef, const void** keys, const void** values,
                                   CFIndex numValues, const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks) {
    if (numValues < 0 || (numValues && (!keys || !values))) return nullptr;
    auto* dictionary = new __CFDictionary(keyCallBacks, valueCallBacks, false);
    for (CFIndex i = 0; i < numValues; ++i)
        dictionary->set(keys[i], values[i]);
    return dictionary;
}

CFDictionaryRef CFDictionaryCreateCopy(CFAllocatorRef, CFDictionaryRef theDict) {
    const __CFDictionary* original = as<__CFDictionary>(theDict);
    if (!original) return nullptr;
    auto* copy = new __CFDictionary(&original->keyCallBacks, &original->valueCallBacks, false);
    for (const auto& [key, value] : original->entries)
        copy->set(key, value);
    return copy;
}

CFMutableDictionaryRef CFDictionaryCreateMutable(CFAllocatorRef, CFIndex,
                                                 const CFDictionaryKeyCallBacks* keyCallBacks,
                                                 const CFDictionaryValueCallBacks* valueCallBacks) {
    return new __CFDictionary(keyCallBacks, valueCallBacks, true);
}

CFIndex CFDictionaryGetCount(CFDictionaryRef theDict) {
    const __CFDictionary* dictionary = as<__CFDictionary>(theDict);
    return dictionary ? CFIndex(dictionary->entries.size()) : 0;
}

Boolean CFDictionaryGetValueIfPresent(CFDictionaryRef theDict, const void* key,
                                      const void** value) {
    const __CFDictionary* dictionary = as<__CFDictionary>(theDict);
    if (!dictionary) return false;
    auto found = dictionary->entries.find(key);
    if (found == dictionary->entries.end()) return false;
    if (value) *value = found->second;
    return true;
}

const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key) {
    const void* value = nullptr;
    CFDictionaryGetValueIfPresent(theDict, key, &value);
    return value;
}

Boolean CFDictionaryContainsKey(CFDictionaryRef theDict, const void* key) {
    return CFDictionaryGetValueIfPresent(theDict, key, nullptr);
}

void CFDictionaryGetKeysAndValues(CFDictionaryRef theDict, const void** keys, const void** values) {
    const __CFDictionary* dictionary = as<__CFDictionary>(theDict);
    if (!dictionary) return;
    for (const auto& [key, value] : dictionary->entries) {
        if (keys) *keys++ = key;
        if (values) *values++ = value;
    }
}

void CFDictionaryApplyFunction(CFDictionaryRef theDict, CFDictionaryApplierFunction applier,
                               void* context) {
    const __CFDictionary* dictionary = as<__CFDictionary>(theDict);
    if (!dictionary || !applier) return;
    // A snapshot, so that the applier may look the dictionary up without disturbing the walk.
    const std::vector<std::pair<const void*, const void*>> entries(dictionary->entries.begin(),
                                                                   dictionary->entries.end());
    for (const auto& [key, value] : entries)
        applier(key, value, context);
}

void CFDictionarySetValue(CFMutableDictionaryRef theDict, const void* key, const void* value) {
    if (__CFDictionary* dictionary = cf::asMutable<__CFDictionary>(theDict))
        dictionary->set(key, value);
}

void CFDictionaryRemoveValue(CFMutableDictionaryRef theDict, const void* key) {
    __CFDictionary* dictionary = cf::asMutable<__CFDictionary>(theDict);
    if (!dictionary) return;
    auto found = dictionary->entries.find(key);
    if (found == dictionary->entries.end()) return;
    const auto [oldKey, oldValue] = *found;
    dictionary->entries.erase(found);
    if (dictionary->keyCallBacks.release) dictionary->keyCallBacks.release(nullptr, oldKey);
    if (dictionary->valueCallBacks.release) dictionary->valueCallBacks.release(nullptr, oldValue);
}

void CFDictionaryRemoveAllValues(CFMutableDictionaryRef theDict) {
    if (__CFDictionary* dictionary = cf::asMutable<__CFDictionary>(theDict)) dictionary->clear();
}
