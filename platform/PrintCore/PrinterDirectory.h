// Finding printers: the CUPS destinations plus the built-in demo fax printer. A CUPS server
// that is down or has no printers just gives no CUPS printers.
#pragma once

#include "PrinterRecord.h"

#include <string>
#include <vector>

// Every printer: the CUPS destinations (instances left out), then the demo printer.
std::vector<PrinterPtr> copyAllPrinters();
// The printer with the ID, or null.
PrinterPtr copyPrinterWithID(const std::string& id);
// The default CUPS destination, else the demo printer.
PrinterPtr copyDefaultPrinter();
