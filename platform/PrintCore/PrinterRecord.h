// The object behind PMPrinter, shared by the session, printer and printing code.
#pragma once

#include "PMCore.h"

#include <CFRef.h>

#include <memory>
#include <string>

struct OpaquePMPrinter {
    int references = 1;
    bool isDemo = false;
    std::string queue; // the ID as UTF-8: the CUPS queue name or the demo printer's ID
    CFRef<CFStringRef> id;
    CFRef<CFStringRef> name;
    CFRef<CFURLRef> deviceURI; // null when the printer has none
};

struct PrinterReleaser {
    void operator()(PMPrinter printer) const { PMRelease(printer); }
};
// Owns one reference to a printer.
using PrinterPtr = std::unique_ptr<OpaquePMPrinter, PrinterReleaser>;

// A new printer; name falls back to the queue and deviceURI may be null.
PrinterPtr makePrinter(bool isDemo, const char* queue, const char* name, const char* deviceURI);
