#include "SessionAccessors.h"

#include <CFData.h>
#include <CFNumber.h>

OSStatus GetTicketFromSession(PMPrintSession session, CFStringRef key, PMTicketRef* ticket) {
    CFTypeRef data = nullptr;
    if (!ticket || PMSessionGetDataFromSession(session, key, &data) != noErr || !data ||
        CFGetTypeID(data) != CFNumberGetTypeID())
        return kPMInvalidTicket;
    // The number holds a pointer, so it is read at pointer width.
    SInt64 reference = 0;
    if (!CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference))
        return kPMInvalidTicket;
    *ticket = reinterpret_cast<PMTicketRef>(static_cast<intptr_t>(reference));
    return noErr;
}

OSStatus GetPPDRefFromSession(PMPrintSession session, ppd_file_t** ppd) {
    if (!ppd) return paramErr;
    *ppd = nullptr;
    CFTypeRef data = nullptr;
    const OSStatus status = PMSessionGetDataFromSession(session, CFSTR("kPMPPDReference"), &data);
    if (status != noErr || !data || CFGetTypeID(data) != CFDataGetTypeID()) return status;
    const auto bytes = static_cast<CFDataRef>(data);
    if (CFDataGetLength(bytes) < CFIndex(sizeof(ppd_file_t*))) return status;
    CFDataGetBytes(bytes, CFRangeMake(0, sizeof(ppd_file_t*)), reinterpret_cast<UInt8*>(ppd));
    return status;
}

OSStatus SetPrinterString(PMPrintSession session, CFMutableStringRef printerString) {
    enum : OSStatus { kPrinterStringFailed = 1 };
    if (!printerString) return kPrinterStringFailed;
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr || !printer)
        return kPrinterStringFailed;
    CFStringRef printerID = PMPrinterGetID(printer);
    if (!printerID) return kPrinterStringFailed;
    CFStringAppend(printerString, printerID);
    return noErr;
}

void ReleasePrinterString(CFStringRef printerString) {
    if (printerString) CFRelease(printerString);
}

Boolean CreateKeyWithCurrentPrinter(CFStringRef preferenceKey, CFStringRef printerString,
                                    CFMutableStringRef output) {
    if (!preferenceKey || !printerString || !output) return false;
    CFStringAppend(output, printerString);
    CFStringAppend(output, preferenceKey);
    return true;
}
