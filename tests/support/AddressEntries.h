// Address entries ({"NAME": name, "PHNM": number}) as the windows list them, made and read back
// by tests.
#pragma once

#include <CFArray.h>
#include <CFDictionary.h>
#include <CFRef.h>
#include <CFString.h>

#include <string>
#include <vector>

struct AddressText {
    std::string name;
    std::string number;
    bool operator==(const AddressText&) const = default;
};

// A new array of one entry per text, in order.
inline CFRef<CFArrayRef> CreateAddressEntries(const std::vector<AddressText>& texts) {
    CFRef<CFMutableArrayRef> array(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    for (const AddressText& each : texts) {
        const CFRef<CFStringRef> values[] = {
            CFRef<CFStringRef>(
                CFStringCreateWithCString(nullptr, each.name.c_str(), kCFStringEncodingUTF8)),
            CFRef<CFStringRef>(
                CFStringCreateWithCString(nullptr, each.number.c_str(), kCFStringEncodingUTF8))};
        const void* keys[] = {CFSTR("NAME"), CFSTR("PHNM")};
        const void* strings[] = {values[0].get(), values[1].get()};
        CFRef<CFDictionaryRef> entry(CFDictionaryCreate(nullptr, keys, strings, 2,
                                                        &kCFTypeDictionaryKeyCallBacks,
                                                        &kCFTypeDictionaryValueCallBacks));
        CFArrayAppendValue(array.get(), entry.get());
    }
    return CFRef<CFArrayRef>(array.release());
}

// The entries' texts in order; "<none>" for a missing or unreadable one.
inline std::vector<AddressText> AddressTextsOf(CFArrayRef entries) {
    auto text = [](CFDictionaryRef entry, CFStringRef key) -> std::string {
        char buffer[256] = {};
        const auto* string = static_cast<CFStringRef>(CFDictionaryGetValue(entry, key));
        return string && CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8)
                   ? buffer
                   : "<none>";
    };
    std::vector<AddressText> texts;
    for (CFIndex i = 0; entries && i < CFArrayGetCount(entries); ++i) {
        const auto* entry = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(entries, i));
        texts.push_back({text(entry, CFSTR("NAME")), text(entry, CFSTR("PHNM"))});
    }
    return texts;
}
