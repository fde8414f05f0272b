#include "FaxRecipientTicket.h"

#include <AddressEntry.h>
#include <PlugInIdentity.h>

#include <CFDictionary.h>
#include <CFRef.h>

#define kFaxTicketPrefix "com.norvale.m.corvexa.printsettings."

namespace {

// The key followed by the recipient number, as "%@%d" forms it.
CFRef<CFStringRef> NumberedKey(CFStringRef key, CFIndex number) {
    return CFRef<CFStringRef>(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@%d"), key, int(number)));
}

OSStatus SetString(PMTicketRef ticket, CFStringRef key, CFStringRef value, Boolean locked) {
    if (!key || !value) return memFullErr;
    return PMTicketSetCFString(ticket, GetAppClientID(), key, value, locked);
}

} // namespace

OSStatus SetRecipientsToTicket(PMTicketRef ticket, CFArrayRef recipients, Boolean locked) {
    const CFIndex count = recipients ? CFArrayGetCount(recipients) : 0;
    if (count == 0) return noErr;
    const CFRef<CFStringRef> countText(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%d"), int(count)));
    OSStatus status =
        SetString(ticket, CFSTR(kFaxTicketPrefix "SFaxDestinationNumber"), countText.get(), locked);
    for (CFIndex n = 1; n <= count; ++n) {
        const auto* entry = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(recipients, n - 1));
        if (!entry) continue;
        const struct {
            CFStringRef entryKey;
            CFStringRef ticketKey;
        } fields[] = {{kAddressNameKey, CFSTR(kFaxTicketPrefix "SFaxDestinationName")},
                      {kAddressNumberKey, CFSTR(kFaxTicketPrefix "SFaxDestinationPhoneNumber")}};
        for (const auto& field : fields)
            if (const void* value = CFDictionaryGetValue(entry, field.entryKey))
                status = SetString(ticket, NumberedKey(field.ticketKey, n).get(),
                                   static_cast<CFStringRef>(value), locked);
    }
    return status;
}
