#include "AddressEntry.h"

CFDictionaryRef AsAddressEntry(CFTypeRef element) {
    if (!element || CFGetTypeID(element) != CFDictionaryGetTypeID()) return nullptr;
    auto entry = static_cast<CFDictionaryRef>(element);
    CFTypeRef number = CFDictionaryGetValue(entry, kAddressNumberKey);
    if (!number || CFGetTypeID(number) != CFStringGetTypeID()) return nullptr;
    return entry;
}

bool IsGroupEntry(CFDictionaryRef entry) {
    CFTypeRef number = CFDictionaryGetValue(entry, kAddressNumberKey);
    return number && CFEqual(number, kAddressGroupNumber);
}
