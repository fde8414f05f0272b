// Display length, UTF-16 conversion and cut copies of text-field text.
#include "DisplayText.h"

#include <CFRef.h>

#include <algorithm>

namespace {

CFRef<CFStringRef> makeFromUTF8(const char* text) {
    return CFRef<CFStringRef>(text ? CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8)
                                   : nullptr);
}

} // namespace

int GetControlLength(const char* text) {
    const CFRef<CFStringRef> string = makeFromUTF8(text);
    if (!string) return 0;
    const CFIndex units = CFStringGetLength(string.get());
    int length = 0;
    for (CFIndex index = 0; index < units; ++index)
        length += CFStringGetCharacterAtIndex(string.get(), index) <= 0x00FF ? 1 : 2;
    return length;
}

bool ConvertUTF8ToUnicode(const char* text, UniChar* unicode) {
    if (text && *text == '\0') return true;
    if (!unicode) return false;
    const CFRef<CFStringRef> string = makeFromUTF8(text);
    if (!string) return false;
    const CFIndex units = CFStringGetLength(string.get());
    CFStringGetCharacters(string.get(), CFRangeMake(0, units), unicode);
    unicode[units] = 0;
    return true;
}

CFStringRef CFStringCreateWithCopyCut(CFStringRef string, CFIndex n) {
    if (!string) return nullptr;
    const CFIndex kept = std::clamp<CFIndex>(n, 0, CFStringGetLength(string));
    return CFStringCreateWithSubstring(nullptr, string, CFRangeMake(0, kept));
}
