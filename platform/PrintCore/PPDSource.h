// A printer's PPD: opening it, and reading the dialog extensions it names.
#pragma once

#include "PrinterRecord.h"

#include <CFArray.h>

#include <cups/ppd.h>

// The printer's PPD opened with libcups (the demo printer's file, or a CUPS printer's PPD
// fetched into a temporary file that is removed once read); null when the printer has none or
// it cannot be read. The caller closes it with ppdClose.
ppd_file_t* openPrinterPPD(const OpaquePMPrinter& printer);
// A new array of the *APDialogExtension values of the PPD (strings, in file order); empty for
// a null PPD.
CFArrayRef createDialogExtensionPaths(ppd_file_t* ppd);
