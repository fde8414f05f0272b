// Printer objects and their accessors.
#include "PrinterDirectory.h"
#include "PrinterRecord.h"
#include "ReferenceCount.h"

#include "CFText.h"

#include <new>

PrinterPtr makePrinter(bool isDemo, const char* queue, const char* name, const char* deviceURI) {
    PrinterPtr printer(new (std::nothrow) OpaquePMPrinter);
    if (!printer || !queue) return {};
    printer->isDemo = isDemo;
    printer->queue = queue;
    printer->id = makeCFString(queue);
    printer->name = makeCFString(name && *name ? name : queue);
    if (deviceURI && *deviceURI) {
        CFRef<CFStringRef> uriText = makeCFString(deviceURI);
        printer->deviceURI.reset(CFURLCreateWithString(nullptr, uriText.get(), nullptr));
    }
    if (!printer->id) return {};
    if (!printer->name) printer->name = printer->id;
    return printer;
}

OSStatus PMRetain(PMPrinter printer) {
    return retainObject(printer, kPMInvalidPrinter);
}

OSStatus PMRelease(PMPrinter printer) {
    return releaseObject(printer, kPMInvalidPrinter);
}

PMPrinter PMPrinterCreateFromPrinterID(CFStringRef printerID) {
    if (!printerID) return nullptr;
    return copyPrinterWithID(utf8Text(printerID)).release();
}

CFStringRef PMPrinterGetID(PMPrinter printer) {
    return printer ? printer->id.get() : nullptr;
}

CFStringRef PMPrinterGetName(PMPrinter printer) {
    return printer ? printer->name.get() : nullptr;
}

OSStatus PMPrinterGetDeviceURI(PMPrinter printer, CFURLRef* deviceURI) {
    if (!printer) return kPMInvalidPrinter;
    if (!deviceURI) return kPMInvalidParameter;
    if (!printer->deviceURI) return kPMNoSuchEntry;
    *deviceURI = printer->deviceURI.get();
    return noErr;
}
