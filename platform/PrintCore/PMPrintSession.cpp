// Print sessions: the ticket, the current printer with its open PPD, and the session data
// through which the dialog and its extensions reach them.
#include "PMCore.h"
#include "PMTicket.h"
#include "PPDSource.h"
#include "PrinterDirectory.h"
#include "ReferenceCount.h"

#include "CFText.h"

#include <CFData.h>
#include <CFDictionary.h>
#include <CFNumber.h>

#include <cstdint>
#include <new>

namespace {

const CFStringRef kTicketDataKey = CFSTR("PMPrintSettingsTicket");
const CFStringRef kPPDDataKey = CFSTR("kPMPPDReference");

} // namespace

struct OpaquePMPrintSession {
    int references = 1;
    PMTicketRef ticket = nullptr;
    PrinterPtr currentPrinter;
    ppd_file_t* ppd = nullptr; // the current printer's PPD, owned
    CFRef<CFMutableDictionaryRef> data;

    ~OpaquePMPrintSession() {
        if (ppd) ppdClose(ppd);
        if (ticket) PMTicketRelease(ticket);
    }
};

namespace {

// Stores the ticket reference as a pointer-sized number under "PMPrintSettingsTicket".
bool publishTicket(PMPrintSession session) {
    SInt64 reference = SInt64(reinterpret_cast<intptr_t>(session->ticket));
    CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt64Type, &reference));
    if (!number) return false;
    CFDictionarySetValue(session->data.get(), kTicketDataKey, number.get());
    return true;
}

// Stores the bytes of the PPD pointer under "kPMPPDReference", or removes the key.
void publishPPD(PMPrintSession session) {
    if (!session->ppd) {
        CFDictionaryRemoveValue(session->data.get(), kPPDDataKey);
        return;
    }
    CFRef<CFDataRef> bytes(
        CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(&session->ppd), sizeof session->ppd));
    CFDictionarySetValue(session->data.get(), kPPDDataKey, bytes.get());
}

void makeCurrent(PMPrintSession session, PrinterPtr printer) {
    ppd_file_t* ppd = openPrinterPPD(*printer);
    if (session->ppd) ppdClose(session->ppd);
    session->ppd = ppd;
    session->currentPrinter = std::move(printer);
    publishPPD(session);
    CFMutableDictionaryRef choices = nullptr;
    if (PMTicketGetPPDDict(session->ticket, kPMTopLevel, kPMTopLevel, &choices) == noErr)
        CFDictionaryRemoveAllValues(choices);
}

} // namespace

OSStatus PMCreateSession(PMPrintSession* printSession) {
    if (!printSession) return kPMInvalidParameter;
    auto* session = new (std::nothrow) OpaquePMPrintSession;
    if (!session) return kPMAllocationFailure;
    session->data.reset(CFDictionaryCreateMutable(nullptr, 0, &kCFTypeDictionaryKeyCallBacks,
                                                  &kCFTypeDictionaryValueCallBacks));
    OSStatus status = PMTicketCreate(nullptr, nullptr, &session->ticket);
    if (status == noErr && !publishTicket(session)) status = kPMAllocationFailure;
    PrinterPtr printer = copyDefaultPrinter();
    if (status == noErr && !printer) status = kPMInvalidPrinter;
    if (status != noErr) {
        delete session;
        return status;
    }
    makeCurrent(session, std::move(printer));
    *printSession = session;
    return noErr;
}

OSStatus PMRetain(PMPrintSession session) {
    return retainObject(session, kPMInvalidPrintSession);
}

OSStatus PMRelease(PMPrintSession session) {
    return releaseObject(session, kPMInvalidPrintSession);
}

OSStatus PMSessionGetDataFromSession(PMPrintSession session, CFStringRef key, CFTypeRef* data) {
    if (!session) return kPMInvalidPrintSession;
    if (!key || !data) return kPMInvalidParameter;
    *data = CFDictionaryGetValue(session->data.get(), key);
    return noErr;
}

OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* currentPrinter) {
    if (!session) return kPMInvalidPrintSession;
    if (!currentPrinter) return kPMInvalidParameter;
    *currentPrinter = session->currentPrinter.get();
    return noErr;
}

OSStatus PMSessionSetCurrentPrinter(PMPrintSession session, CFStringRef printerID) {
    if (!session) return kPMInvalidPrintSession;
    if (!printerID) return kPMInvalidParameter;
    PrinterPtr printer = copyPrinterWithID(utf8Text(printerID));
    if (!printer) return kPMInvalidPrinter;
    makeCurrent(session, std::move(printer));
    return noErr;
}

OSStatus PMSessionCreatePrinterList(PMPrintSession session, CFArrayRef* printerList,
                                    CFIndex* currentIndex, PMPrinter* currentPrinter) {
    if (!session) return kPMInvalidPrintSession;
    CFMutableArrayRef ids = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    CFIndex current = -1;
    for (const PrinterPtr& printer : copyAllPrinters()) {
        if (current < 0 && CFEqual(printer->id.get(), session->currentPrinter->id.get()))
            current = CFArrayGetCount(ids);
        CFArrayAppendValue(ids, printer->id.get());
    }
    if (printerList)
        *printerList = ids;
    else
        CFRelease(ids);
    if (currentIndex) *currentIndex = current;
    if (currentPrinter) *currentPrinter = session->currentPrinter.get();
    return noErr;
}

OSStatus PMSessionCopyDialogExtensionPaths(PMPrintSession session, CFArrayRef* extensionPaths) {
    if (!session) return kPMInvalidPrintSession;
    if (!extensionPaths) return kPMInvalidParameter;
    *extensionPaths = createDialogExtensionPaths(session->ppd);
    return noErr;
}
