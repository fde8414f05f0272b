#include "CFText.h"

#include <vector>

std::string utf8Text(CFTypeRef value) {
    if (!value) return {};
    if (CFGetTypeID(value) != CFStringGetTypeID()) {
        CFRef<CFStringRef> description(CFCopyDescription(value));
        return description ? utf8Text(description.get()) : std::string();
    }
    auto string = static_cast<CFStringRef>(value);
    std::vector<char> buffer(size_t(CFStringGetMaximumSizeForEncoding(CFStringGetLength(string),
                                                                      kCFStringEncodingUTF8)) +
                             1);
    if (!CFStringGetCString(string, buffer.data(), CFIndex(buffer.size()), kCFStringEncodingUTF8))
        return {};
    return buffer.data();
}

CFRef<CFStringRef> makeCFString(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}
