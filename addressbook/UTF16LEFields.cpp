// Where the platform cannot convert to UTF-16LE directly, the text goes through big-endian
// UTF-16 in a scratch buffer whose units are then byte-swapped.
#include "UTF16LEFields.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool directConversionAvailable() {
    return CFStringIsEncodingAvailable(kCFStringEncodingUTF16LE);
}

void swapUnits(UInt8* bytes, UInt32 size) {
    for (UInt32 unit = 0; unit < size / 2; ++unit) {
        const UInt8 first = bytes[2 * unit];
        bytes[2 * unit] = bytes[2 * unit + 1];
        bytes[2 * unit + 1] = first;
    }
}

} // namespace

SInt32 UniCharLength(const UInt8* field, UInt32 size) {
    if (!field) return -1;
    for (UInt32 offset = 0; size > 0 && offset < size - 1; offset += 2)
        if (field[offset] == 0 && field[offset + 1] == 0) return SInt32(offset / 2);
    return -1;
}

bool CFStringGetUTF16LECString(CFStringRef string, UInt8* field, SInt32 size) {
    if (!field || size <= 0) return false;
    if (directConversionAvailable())
        return CFStringGetCString(string, reinterpret_cast<char*>(field), size,
                                  kCFStringEncodingUTF16LE);
    auto* scratch = static_cast<UInt8*>(std::calloc(size_t(size), 1));
    if (!scratch) {
        std::fputs("CFStringGetUTF16LECString : calloc failed!", stderr);
        return false;
    }
    const bool fitted = CFStringGetCString(string, reinterpret_cast<char*>(scratch), size,
                                           kCFStringEncodingUTF16BE);
    swapUnits(scratch, UInt32(size));
    std::memcpy(field, scratch, size_t(size));
    std::free(scratch);
    return fitted;
}

CFStringRef CreateCFStringFromUTF16LEString(const UInt8* field, UInt32 size) {
    const SInt32 length = UniCharLength(field, size);
    if (length <= 0) return nullptr;
    const CFIndex byteCount = CFIndex(length) * 2;
    if (directConversionAvailable())
        return CFStringCreateWithBytes(nullptr, field, byteCount, kCFStringEncodingUTF16LE, false);
    auto* scratch = static_cast<UInt8*>(std::calloc(size, 1));
    if (!scratch) {
        std::fputs("CreateCFStringFromUTF16LEString : calloc failed!", stderr);
        return nullptr;
    }
    std::memcpy(scratch, field, size);
    swapUnits(scratch, size);
    CFStringRef string =
        CFStringCreateWithBytes(nullptr, scratch, byteCount, kCFStringEncodingUTF16BE, false);
    std::free(scratch);
    return string;
}
