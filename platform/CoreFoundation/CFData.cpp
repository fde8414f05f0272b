#include "CFData.h"
#include "CFInternal.h"

#include <algorithm>
#include <cstdio>
#include <vector>

struct __CFData : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDData;
    __CFData() : Object(kTypeID) {}

    bool equals(const Object& other) const override {
        return bytes == static_cast<const __CFData&>(other).bytes;
    }
    CFHashCode hash() const override {
        CFHashCode h = 14695981039346656037ull;
        for (UInt8 byte : bytes)
            h = (h ^ byte) * 1099511628211ull;
        return h;
    }

    std::vector<UInt8> bytes;
};

using cf::as;

static __CFData* makeData(const UInt8* bytes, CFIndex length) {
    if (length < 0 || (!bytes && length)) return nullptr;
    auto* data = new __CFData();
    if (length) data->bytes.assign(bytes, bytes + length);
    return data;
}

CFTypeID CFDataGetTypeID(void) {
    return cf::kTypeIDData;
}

CFDataRef CFDataCreate(CFAllocatorRef, const UInt8* bytes, CFIndex length) {
    return makeData(bytes, length);
}

CFIndex CFDataGetLength(CFDataRef theData) {
    const __CFData* data = as<__CFData>(theData);
    return data ? CFIndex(data->bytes.size()) : 0;
}

const UInt8* CFDataGetBytePtr(CFDataRef theData) {
    const __CFData* data = as<__CFData>(theData);
    return data && !data->bytes.empty() ? data->bytes.data() : nullptr;
}

void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer) {
    const __CFData* data = as<__CFData>(theData);
    if (!data || !buffer || range.location < 0 || range.length < 0 ||
        size_t(range.location) > data->bytes.size())
        return;
    const size_t count =
        std::min(size_t(range.length), data->bytes.size() - size_t(range.location));
    std::copy_n(data->bytes.begin() + range.location, count, buffer);
}
