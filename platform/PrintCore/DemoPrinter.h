// The built-in demo fax printer: it needs no CUPS server, its PPD ships with the library and
// its jobs go into a spool folder.
#pragma once

#include "PrinterRecord.h"

#include <string>

inline constexpr char kDemoPrinterID[] = "NorvaleDemoFax";

PrinterPtr makeDemoPrinter();
// The demo printer's PPD file: NV_DEMO_PPD when set, else Printers/NorvaleDemoFax.ppd beside
// this library (the build tree), else the installed tree's PPD folder, found from this library's
// folder. Empty when none exists.
std::string demoPrinterPPDPath();
