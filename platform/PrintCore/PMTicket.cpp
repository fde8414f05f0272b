// Tickets: items keyed by their key string, kept with value, locked flag and writing client.
#include "PMTicket.h"
#include "ReferenceCount.h"

#include <CFRef.h>

#include <new>
#include <vector>

namespace {

struct TicketItem {
    CFRef<CFStringRef> key;
    CFRef<CFStringRef> value;
    CFRef<CFStringRef> client;
    bool locked = false;
};

} // namespace

struct OpaquePMTicketRef {
    int references = 1;
    std::vector<TicketItem> itemStore; // in the order the keys were first written
    CFRef<CFMutableDictionaryRef> ppdChoices;
};

namespace {

// The item stored under key, or null.
TicketItem* findItem(PMTicketRef ticket, CFStringRef key) {
    for (TicketItem& item : ticket->itemStore)
        if (CFEqual(item.key.get(), key)) return &item;
    return nullptr;
}

// The item that a query about key answers from, with the status of the query: kPMInvalidTicket,
// kPMInvalidParameter (no key or no place for the answer) or kPMKeyNotFound when there is none.
OSStatus lookUp(PMTicketRef ticket, CFStringRef key, const void* answer, const TicketItem** item) {
    if (!ticket) return kPMInvalidTicket;
    if (!key || !answer) return kPMInvalidParameter;
    *item = findItem(ticket, key);
    return *item ? kPMNoError : kPMKeyNotFound;
}

OSStatus storeItem(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                   CFRef<CFStringRef> value, Boolean locked) {
    if (!ticket) return kPMInvalidTicket;
    if (!key || !value) return kPMInvalidParameter;
    TicketItem* item = findItem(ticket, key);
    if (item && item->locked) return kPMItemIsLocked;
    if (!item) {
        ticket->itemStore.push_back({});
        item = &ticket->itemStore.back();
        item->key.reset(CFStringCreateCopy(nullptr, key));
    }
    item->value = std::move(value);
    item->client = CFRef<CFStringRef>::retained(clientID);
    item->locked = locked;
    return noErr;
}

} // namespace

OSStatus PMTicketCreate(CFAllocatorRef, CFStringRef, PMTicketRef* newTicket) {
    if (!newTicket) return kPMInvalidParameter;
    auto* ticket = new (std::nothrow) OpaquePMTicketRef;
    if (!ticket) return kPMAllocationFailure;
    ticket->ppdChoices.reset(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                                       &kCFTypeDictionaryValueCallBacks));
    *newTicket = ticket;
    return noErr;
}

OSStatus PMTicketRelease(PMTicketRef ticket) {
    return releaseObject(ticket, kPMInvalidTicket);
}

OSStatus PMTicketSetCString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                            const char* value, Boolean locked) {
    if (!value) return ticket ? kPMInvalidParameter : kPMInvalidTicket;
    CFRef<CFStringRef> text(CFStringCreateWithCString(nullptr, value, kCFStringEncodingUTF8));
    if (!text) return ticket ? kPMStringConversionFailure : kPMInvalidTicket;
    return storeItem(ticket, clientID, key, std::move(text), locked);
}

OSStatus PMTicketSetCFString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                             CFStringRef item, Boolean locked) {
    return storeItem(ticket, clientID, key, CFRef<CFStringRef>(CFStringCreateCopy(nullptr, item)),
                     locked);
}

OSStatus PMTicketGetCString(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                            CFStringRef key, UInt32 bufferSize, CFStringEncoding encoding,
                            char* value) {
    if (ticket && (bufferSize == 0 || nodeIndex1 != kPMTopLevel || nodeIndex2 != kPMTopLevel))
        return kPMInvalidParameter;
    const TicketItem* item = nullptr;
    if (OSStatus status = lookUp(ticket, key, value, &item); status != noErr) return status;
    if (!CFStringGetCString(item->value.get(), value, CFIndex(bufferSize), encoding))
        return kPMStringConversionFailure;
    return noErr;
}

OSStatus PMTicketGetPPDDict(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                            CFMutableDictionaryRef* dict) {
    if (!ticket) return kPMInvalidTicket;
    if (!dict || nodeIndex1 != kPMTopLevel || nodeIndex2 != kPMTopLevel) return kPMInvalidParameter;
    *dict = ticket->ppdChoices.get();
    return noErr;
}

CFDictionaryRef PMTicketCreateDict(PMTicketRef ticket) {
    if (!ticket) return nullptr;
    CFMutableDictionaryRef values = CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    for (const TicketItem& item : ticket->itemStore)
        CFDictionarySetValue(values, item.key.get(), item.value.get());
    return values;
}
