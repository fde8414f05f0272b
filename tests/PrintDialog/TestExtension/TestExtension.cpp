// A print dialog extension for the dialog's tests. It logs every call of the dialog, shows a
// label in its pane, writes one ticket item and one PPD choice when asked to save, and can
// hold the Print command back.
#include <PMPrintingDialogExtensions.h>

#include <CFNumber.h>
#include <CFRef.h>
#include <CarbonEvents.h>
#include <HIToolboxQt.h>
#include <MacErrors.h>
#include <PMTicket.h>

#include <QLabel>
#include <QVBoxLayout>

#include <string>

namespace {

std::string callLog;
bool holdPrint = false;

void logCall(const std::string& call) {
    callLog += (callLog.empty() ? "" : " ") + call;
}

struct Context {
    EventHandlerRef printHandler = nullptr;
};

OSStatus handlePrint(EventHandlerCallRef, EventRef event, void*) {
    HICommand command = {};
    GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                      nullptr, &command);
    if (!holdPrint || command.commandID != kHICommandOK) return eventNotHandledErr;
    logCall("HeldPrint");
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
    ULONG count;
};

OSStatus retain(PMPlugInHeaderInterface* object) {
    ++reinterpret_cast<Extension*>(object)->count;
    return noErr;
}

OSStatus release(PMPlugInHeaderInterface** objectPointer) {
    auto* extension = reinterpret_cast<Extension*>(*objectPointer);
    *objectPointer = nullptr;
    if (extension && --extension->count == 0) {
        logCall("Release");
        delete extension;
    }
    return noErr;
}

OSStatus getAPIVersion(PMPlugInHeaderInterface*, PMPlugInAPIVersion* version) {
    *version = {1, 0, 1, 0};
    return noErr;
}

OSStatus prologue(PMPDEContext* context, OSType* creator, CFStringRef* kind, CFStringRef* title,
                  UInt32* maxH, UInt32* maxV) {
    logCall("Prologue");
    *context = reinterpret_cast<PMPDEContext>(new Context());
    *creator = FOUR_CHAR_CODE("test");
    *kind = CFSTR("com.example.test.kind");
    *title = CFStringCreateWithCString(nullptr, "Test Pane", kCFStringEncodingUTF8);
    *maxH = 80;
    *maxV = 60;
    return noErr;
}

OSStatus initialize(PMPDEContext context, PMPDEFlags*, PMPDERef, ControlRef pane, PMPrintSession) {
    logCall("Initialize");
    if (QWidget* widget = HIControlGetWidget(pane)) {
        auto* layout = new QVBoxLayout(widget);
        layout->addWidget(new QLabel("Test pane"));
    }
    static const EventTypeSpec command = {kEventClassCommand, kEventCommandProcess};
    return InstallEventHandler(GetWindowEventTarget(GetControlOwner(pane)), handlePrint, 1,
                               &command, nullptr,
                               &reinterpret_cast<Context*>(context)->printHandler);
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
    logCall("GetSummaryText");
    const void* title[] = {CFSTR("Test Setting")};
    const void* value[] = {CFSTR("42")};
    *titles = CFArrayCreate(nullptr, title, 1, &kCFTypeArrayCallBacks);
    *values = CFArrayCreate(nullptr, value, 1, &kCFTypeArrayCallBacks);
    return noErr;
}

OSStatus open(PMPDEContext) {
    logCall("Open");
    return noErr;
}

OSStatus close(PMPDEContext) {
    logCall("Close");
    return noErr;
}

OSStatus terminate(PMPDEContext context, OSStatus status) {
    logCall("Terminate(" + std::to_string(status) + ")");
    auto* ours = reinterpret_cast<Context*>(context);
    if (ours->printHandler) RemoveEventHandler(ours->printHandler);
    delete ours;
    return noErr;
}

const PlugInIntfVTable table = {{retain, release, getAPIVersion},
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
    ULONG count;
};

ULONG addRef(void* object) {
    return ++static_cast<Factory*>(object)->count;
}

ULONG releaseFactory(void* object) {
    auto* factory = static_cast<Factory*>(object);
    const ULONG count = --factory->count;
    if (count == 0) delete factory;
    return count;
}

HRESULT queryInterface(void* object, REFIID iid, LPVOID* out) {
    CFRef<CFUUIDRef> requested(CFUUIDCreateFromUUIDBytes(nullptr, iid));
    CFRef<CFUUIDRef> extension(CFUUIDCreateFromString(nullptr, CFSTR(kDialogExtensionIntfIDStr)));
    if (CFEqual(requested.get(), extension.get())) {
        *out = new Extension{&table, 1};
        return S_OK;
    }
    if (CFEqual(requested.get(), IUnknownUUID)) {
        addRef(object);
        *out = object;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

const IUnknownVTbl factoryTable = {nullptr, queryInterface, addRef, releaseFactory};

} // namespace

extern "C" void* TestExtensionFactory(CFAllocatorRef, CFUUIDRef type) {
    CFRef<CFUUIDRef> printerModule(CFUUIDCreateFromString(nullptr, CFSTR(kPrinterModuleTypeIDStr)));
    if (!CFEqual(type, printerModule.get())) return nullptr;
    return new Factory{&factoryTable, 1};
}

// For the tests: the calls so far, and whether Print is held back.
extern "C" const char* TestExtensionLog() {
    return callLog.c_str();
}
extern "C" void TestExtensionClearLog() {
    callLog.clear();
}
extern "C" void TestExtensionHoldPrint(bool hold) {
    holdPrint = hold;
}
