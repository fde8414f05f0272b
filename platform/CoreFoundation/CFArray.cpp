#include "CFArray.h"
#include "CFInternal.h"

#include <algorithm>
#include <cstdio>
#include <vector>

static const void* retainValue(CFAllocatorRef, const void* value) {
    return CFRetain(value);
}
static void releaseValue(CFAllocatorRef, const void* value) {
    CFRelease(value);
}

const CFArrayCallBacks kCFTypeArrayCallBacks = {0, retainValue, releaseValue, CFCopyDescription,
                                                CFEqual};

struct __CFArray : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDArray;
    __CFArray(const CFArrayCallBacks* callBacks, bool isMutable)
        : Object(kTypeID), callBacks(callBacks ? *callBacks : CFArrayCallBacks{}),
          isMutable(isMutable) {}
    ~__CFArray() override {
        for (const void* value : values)
            release(value);
    }

    const void* retain(const void* value) const {
        return callBacks.retain ? callBacks.retain(nullptr, value) : value;
    }
    void release(const void* value) const {
        if (callBacks.release) callBacks.release(nullptr, value);
    }
    bool same(const void* a, const void* b) const {
        return a == b || (callBacks.equal && callBacks.equal(a, b));
    }

    bool equals(const Object& other) const override {
        const auto& that = static_cast<const __CFArray&>(other);
        return std::equal(values.begin(), values.end(), that.values.begin(), that.values.end(),
                          [this](const void* a, const void* b) { return same(a, b); });
    }
    CFHashCode hash() const override { return values.size(); }
    std::u16string describe() const override {
        std::u16string out = u"(";
        for (size_t i = 0; i < values.size(); ++i) {
            if (i) out += u", ";
            CFStringRef text =
                callBacks.copyDescription ? callBacks.copyDescription(values[i]) : nullptr;
            out += text ? std::u16string(cf::chars(text)) : u"?";
            if (text) CFRelease(text);
        }
        return out + u")";
    }

    std::vector<const void*> values;
    const CFArrayCallBacks callBacks;
    const bool isMutable;
};

using cf::as;

namespace {

// The part of the array that range names, clipped; false when the range starts outside.
bool clip(const __CFArray* array, CFRange range, size_t& start, size_t& end) {
    if (!array || range.location < 0 || range.length < 0 ||
        size_t(range.location) > array->values.size())
        return false;
    start = size_t(range.location);
    end = start + std::min(size_t(range.length), array->values.size() - start);
    return true;
}

__CFArray* copyInto(__CFArray* copy, const __CFArray* original) {
    if (original)
        for (const void* value : original->values)
            copy->values.push_back(copy->retain(value));
    return copy;
}

} // namespace

CFTypeID CFArrayGetTypeID(void) {
    return cf::kTypeIDArray;
}

CFArrayRef CFArrayCreate(CFAllocatorRef, const void** values, CFIndex numValues,
                         const CFArrayCallBacks* callBacks) {
    if (numValues < 0 || (!values && numValues)) return nullptr;
    auto* array = new __CFArray(callBacks, false);
    for (CFIndex i = 0; i < numValues; ++i)
        array->values.push_back(array->retain(values[i]));
    return array;
}

CFArrayRef CFArrayCreateCopy(CFAllocatorRef, CFArrayRef theArray) {
    const __CFArray* original = as<__CFArray>(theArray);
    return original ? copyInto(new __CFArray(&original->callBacks, false), original) : nullptr;
}

CFMutableArrayRef CFArrayCreateMutable(CFAllocatorRef, CFIndex, const CFArrayCallBacks* callBacks) {
    return new __CFArray(callBacks, true);
}

CFMutableArrayRef CFArrayCreateMutableCopy(CFAllocatorRef, CFIndex, CFArrayRef theArray) {
    const __CFArray* original = as<__CFArray>(theArray);
    return original ? copyInto(new __CFArray(&original->callBacks, true), original) : nullptr;
}

CFIndex CFArrayGetCount(CFArrayRef theArray) {
    const __CFArray* array = as<__CFArray>(theArray);
    return array ? CFIndex(array->values.size()) : 0;
}

const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx) {
    const __CFArray* array = as<__CFArray>(theArray);
    if (!array || idx < 0 || size_t(idx) >= array->values.size()) return nullptr;
    return array->values[size_t(idx)];
}

CFIndex CFArrayGetFirstIndexOfValue(CFArrayRef theArray, CFRange range, const void* value) {
    const __CFArray* array = as<__CFArray>(theArray);
    size_t start, end;
    if (!clip(array, range, start, end)) return kCFNotFound;
    for (size_t i = start; i < end; ++i)
        if (array->same(array->values[i], value)) return CFIndex(i);
    return kCFNotFound;
}

void CFArrayInsertValueAtIndex(CFMutableArrayRef theArray, CFIndex idx, const void* value) {
    __CFArray* array = cf::asMutable<__CFArray>(theArray);
    if (!array || idx < 0 || size_t(idx) > array->values.size()) return;
    array->values.insert(array->values.begin() + idx, array->retain(value));
}

void CFArrayAppendValue(CFMutableArrayRef theArray, const void* value) {
    CFArrayInsertValueAtIndex(theArray, CFArrayGetCount(theArray), value);
}

void CFArrayAppendArray(CFMutableArrayRef theArray, CFArrayRef otherArray, CFRange otherRange) {
    const __CFArray* other = as<__CFArray>(otherArray);
    size_t start, end;
    if (!cf::asMutable<__CFArray>(theArray) || !clip(other, otherRange, start, end)) return;
    const std::vector<const void*> appended(other->values.begin() + long(start),
                                            other->values.begin() + long(end));
    for (const void* value : appended)
        CFArrayAppendValue(theArray, value);
}

void CFArrayRemoveValueAtIndex(CFMutableArrayRef theArray, CFIndex idx) {
    __CFArray* array = cf::asMutable<__CFArray>(theArray);
    if (!array || idx < 0 || size_t(idx) >= array->values.size()) return;
    const void* old = array->values[size_t(idx)];
    array->values.erase(array->values.begin() + idx);
    array->release(old);
}

void CFArrayRemoveAllValues(CFMutableArrayRef theArray) {
    __CFArray* array = cf::asMutable<__CFArray>(theArray);
    if (!array) return;
    std::vector<const void*> old;
    old.swap(array->values);
    for (const void* value : old)
        array->release(value);
}
