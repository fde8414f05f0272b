#include "CFUUID.h"
#include "CFInternal.h"

#include <array>
#include <cstdio>
#include <map>
#include <mutex>

struct __CFUUID : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDUUID;
    explicit __CFUUID(const std::array<UInt8, 16>& bytes) : Object(kTypeID), bytes(bytes) {}

    bool equals(const Object& other) const override {
        return bytes == static_cast<const __CFUUID&>(other).bytes;
    }
    CFHashCode hash() const override {
        CFHashCode h = 0;
        for (UInt8 byte : bytes)
            h = h * 31 + byte;
        return h;
    }
    std::u16string describe() const override {
        char text[37];
        std::snprintf(text, sizeof text,
                      "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6],
                      bytes[7], bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13],
                      bytes[14], bytes[15]);
        return cf::fromUTF8(text);
    }

    const std::array<UInt8, 16> bytes;
};

CFUUIDRef CFUUIDCreateFromUUIDBytes(CFAllocatorRef, CFUUIDBytes b) {
    return new __CFUUID({b.byte0, b.byte1, b.byte2, b.byte3, b.byte4, b.byte5, b.byte6, b.byte7,
                         b.byte8, b.byte9, b.byte10, b.byte11, b.byte12, b.byte13, b.byte14,
                         b.byte15});
}

CFUUIDRef CFUUIDCreateFromString(CFAllocatorRef, CFStringRef uuidStr) {
    const std::u16string_view text = cf::chars(uuidStr);
    if (text.size() != 36) return nullptr;
    std::array<UInt8, 16> bytes{};
    size_t byte = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != u'-') return nullptr;
            continue;
        }
        const char16_t c = text[i];
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return nullptr;
        bytes[byte / 2] = UInt8(bytes[byte / 2] << 4 | digit);
        ++byte;
    }
    return new __CFUUID(bytes);
}

CFUUIDRef CFUUIDGetConstantUUIDWithBytes(CFAllocatorRef, UInt8 byte0, UInt8 byte1, UInt8 byte2,
                                         UInt8 byte3, UInt8 byte4, UInt8 byte5, UInt8 byte6,
                                         UInt8 byte7, UInt8 byte8, UInt8 byte9, UInt8 byte10,
                                         UInt8 byte11, UInt8 byte12, UInt8 byte13, UInt8 byte14,
                                         UInt8 byte15) {
    static std::mutex mutex;
    static auto* constants = new std::map<std::array<UInt8, 16>, __CFUUID*>();
    const std::array<UInt8, 16> bytes = {byte0,  byte1,  byte2,  byte3, byte4,  byte5,
                                         byte6,  byte7,  byte8,  byte9, byte10, byte11,
                                         byte12, byte13, byte14, byte15};
    std::lock_guard lock(mutex);
    auto& constant = (*constants)[bytes];
    if (!constant) {
        constant = new __CFUUID(bytes);
        constant->immortal = true;
    }
    return constant;
}

CFUUIDBytes CFUUIDGetUUIDBytes(CFUUIDRef uuid) {
    const __CFUUID* value = cf::as<__CFUUID>(uuid);
    if (!value) return CFUUIDBytes{};
    const auto& b = value->bytes;
    return {b[0], b[1], b[2],  b[3],  b[4],  b[5],  b[6],  b[7],
            b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]};
}
