// A print dialog extension for the dialog's tests. It logs every call of the dialog and writes
// one ticket item and one PPD choice when asked to save.
#include <PMPrintingDialogExtensions.h>

#include <CFNumber.h>
#include <CFRef.h>
#include <MacErrors.h>
#include <PMTicket.h>

#include <string>

namespace {

std::string callLog;

OSStatus logCall(const std::string& call) {
    callLog += (callLog.empty() ? "" : " ") + call;
    return noErr;
}

PMTicketRef ticketOf(PMPrintSession session) {
    CFTypeRef data = nullptr;
    PMSessionGetDataFromSession(session, CFSTR("PMPrintSettingsTicket"), &data);
    SInt64 reference = 0;
    if (!data || !CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference))
        return nullptr;
    return reinterpret_cast<PMTicketRef>(reference);
}

struct Extension {
    const PlugInIntfVTable* vtable;
};

OSStatus release(PMPlugInHeaderInterface** objectPointer) {
    delete reinterpret_cast<Extension*>(*objectPointer);
    *objectPointer = nullptr;
    return logCall("Release");
}

OSStatus prologue(PMPDEContext* context, OSType* creator, CFStringRef* kind, CFStringRef* title,
                  UInt32* maxH, UInt32* maxV) {
    *context = reinterpret_cast<PMPDEContext>(&callLog);
    *creator = FOUR_CHAR_CODE("test");
    *kind = CFSTR("com.example.test.kind");
    *title = CFStringCreateWithCString(nullptr, "Test Pane", kCFStringEncodingUTF8);
    *maxH = 80;
    *maxV = 60;
    return logCall("Prologue");
}

OSStatus initialize(PMPDEContext, PMPDEFlags*, PMPDERef, ControlRef, PMPrintSession) {
    return logCall("Initialize");
}

OSStatus sync(PMPDEContext, PMPrintSession session, Boolean direction) {
    logCall(direction ? "Sync(1)" : "Sync(0)");
    if (direction == kSyncDirectionSetUserInterface) return noErr;
    PMTicketRef ticket = ticketOf(session);
    CFMutableDictionaryRef choices = nullptr;
    if (!ticket || PMTicketGetPPDDict(ticket, kPMTopLevel, kPMTopLevel, &choices) != noErr)
        return kPMInvalidTicket;
    CFDictionarySetValue(choices, CFSTR("NVFaxImageQuality"), CFSTR("SuperFine"));
    return PMTicketSetCString(ticket, CFSTR("com.example.test"), CFSTR("com.example.test.Value"),
                              "42", false);
}

OSStatus getSummaryText(PMPDEContext, CFArrayRef* titles, CFArrayRef* values) {
    const void* title[] = {CFSTR("Test Setting")};
    const void* value[] = {CFSTR("42")};
    *titles = CFArrayCreate(nullptr, title, 1, &kCFTypeArrayCallBacks);
    *values = CFArrayCreate(nullptr, value, 1, &kCFTypeArrayCallBacks);
    return logCall("GetSummaryText");
}

OSStatus open(PMPDEContext) {
    return logCall("Open");
}

OSStatus close(PMPDEContext) {
    return logCall("Close");
}

OSStatus terminate(PMPDEContext, OSStatus status) {
    return logCall("Terminate(" + std::to_string(status) + ")");
}

// The dialog calls only Release of the header.
const PlugInIntfVTable table = {{nullptr, release, nullptr},
                                prologue,
                                initialize,
                                sync,
                                getSummaryText,
                                open,
                                close,
                                terminate};

// The factory object: an IUnknown whose QueryInterface hands out the extension interface.
struct Factory {
    const IUnknownVTbl* vtable;
};

ULONG releaseFactory(void* object) {
    delete static_cast<Factory*>(object);
    return 0;
}

HRESULT queryInterface(void*, REFIID iid, LPVOID* out) {
    CFRef<CFUUIDRef> requested(CFUUIDCreateFromUUIDBytes(nullptr, iid));
    CFRef<CFUUIDRef> extension(CFUUIDCreateFromString(nullptr, CFSTR(kDialogExtensionIntfIDStr)));
    *out = CFEqual(requested.get(), extension.get()) ? new Extension{&table} : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
}

const IUnknownVTbl factoryTable = {nullptr, queryInterface, nullptr, releaseFactory};

} // namespace

extern "C" void* TestExtensionFactory(CFAllocatorRef, CFUUIDRef type) {
    CFRef<CFUUIDRef> printerModule(CFUUIDCreateFromString(nullptr, CFSTR(kPrinterModuleTypeIDStr)));
    return CFEqual(type, printerModule.get()) ? new Factory{&factoryTable} : nullptr;
}

// For the tests: the calls since the last time they were taken.
extern "C" const char* TestExtensionTakeLog() {
    static std::string taken;
    taken = std::move(callLog);
    callLog.clear();
    return taken.c_str();
}
