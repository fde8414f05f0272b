// Looking up PPD choice items by key pair and recording a chosen one in the ticket.
#include "PPDChoiceItems.h"

namespace {

// Element 0 and 1 of the item when it is an array holding two strings there.
bool keyPairOf(CFTypeRef item, CFStringRef& optionKeyword, CFStringRef& choiceKeyword) {
    if (CFGetTypeID(item) != CFArrayGetTypeID()) return false;
    const auto array = static_cast<CFArrayRef>(item);
    if (CFArrayGetCount(array) < 2) return false;
    optionKeyword = static_cast<CFStringRef>(CFArrayGetValueAtIndex(array, 0));
    choiceKeyword = static_cast<CFStringRef>(CFArrayGetValueAtIndex(array, 1));
    return CFGetTypeID(optionKeyword) == CFStringGetTypeID() &&
           CFGetTypeID(choiceKeyword) == CFStringGetTypeID();
}

} // namespace

CFIndex FindPPDKeyPairsMatch(CFArrayRef items, CFStringRef optionKeyword,
                             CFStringRef choiceKeyword) {
    if (!items || !optionKeyword || !choiceKeyword) return -1;
    const CFIndex count = CFArrayGetCount(items);
    for (CFIndex index = 0; index < count; ++index) {
        CFStringRef option = nullptr;
        CFStringRef choice = nullptr;
        if (keyPairOf(CFArrayGetValueAtIndex(items, index), option, choice) &&
            CFStringCompare(option, optionKeyword, 0) == kCFCompareEqualTo &&
            CFStringCompare(choice, choiceKeyword, 0) == kCFCompareEqualTo)
            return index;
    }
    return -1;
}

void SetValueToPPDDict(PMTicketRef ticket, CFArrayRef item) {
    CFStringRef option = nullptr;
    CFStringRef choice = nullptr;
    if (!keyPairOf(item, option, choice)) return;
    CFMutableDictionaryRef choices = nullptr;
    if (PMTicketGetPPDDict(ticket, kPMTopLevel, kPMTopLevel, &choices) != noErr || !choices) return;
    CFDictionarySetValue(choices, option, choice);
}
