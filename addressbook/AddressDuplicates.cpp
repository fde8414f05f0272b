#include "AddressDuplicates.h"

#include <CFString.h>

namespace {

bool isDictionary(const void* value) {
    return value && CFGetTypeID(value) == CFDictionaryGetTypeID();
}

} // namespace

bool CheckDuplication(CFArrayRef list, CFDictionaryRef entry) {
    if (!isDictionary(entry)) return false;
    CFTypeRef name = CFDictionaryGetValue(entry, CFSTR("NAME"));
    CFTypeRef number = CFDictionaryGetValue(entry, CFSTR("PHNM"));
    if (!name || !number) return false;
    for (CFIndex index = 0; index < CFArrayGetCount(list); ++index) {
        const void* element = CFArrayGetValueAtIndex(list, index);
        if (!isDictionary(element)) continue;
        auto other = static_cast<CFDictionaryRef>(element);
        CFTypeRef otherName = CFDictionaryGetValue(other, CFSTR("NAME"));
        CFTypeRef otherNumber = CFDictionaryGetValue(other, CFSTR("PHNM"));
        if (otherName && otherNumber && CFEqual(otherName, name) && CFEqual(otherNumber, number))
            return true;
    }
    return false;
}
