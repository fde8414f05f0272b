// Small helpers shared by the CoreFoundation tests.
#pragma once

#include <CFRef.h>
#include <CoreFoundation.h>

#include <string>

inline CFRef<CFStringRef> makeString(const char* utf8) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
}

// The UTF-8 text of a string; "<null>" for null, so that failures read clearly.
inline std::string text(CFTypeRef string) {
    if (!string) return "<null>";
    if (CFGetTypeID(string) != CFStringGetTypeID()) return "<not a string>";
    auto ref = static_cast<CFStringRef>(string);
    std::string out(
        size_t(CFStringGetMaximumSizeForEncoding(CFStringGetLength(ref), kCFStringEncodingUTF8)) +
            1,
        '\0');
    if (!CFStringGetCString(ref, out.data(), CFIndex(out.size()), kCFStringEncodingUTF8))
        return "<unconvertible>";
    out.resize(out.find('\0'));
    return out;
}
