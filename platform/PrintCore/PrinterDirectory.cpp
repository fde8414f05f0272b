#include "PrinterDirectory.h"

#include "DemoPrinter.h"

#include <cups/cups.h>

namespace {

PrinterPtr printerFromDestination(const cups_dest_t& destination) {
    const char* info = cupsGetOption("printer-info", destination.num_options, destination.options);
    const char* uri = cupsGetOption("device-uri", destination.num_options, destination.options);
    if (!uri)
        uri = cupsGetOption("printer-uri-supported", destination.num_options, destination.options);
    return makePrinter(false, destination.name, info, uri);
}

// The named CUPS destination, or the default one for a null name; null when there is none.
PrinterPtr copyCupsPrinter(const char* name) {
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name, nullptr);
    if (!destination) return {};
    PrinterPtr printer = printerFromDestination(*destination);
    cupsFreeDests(1, destination);
    return printer;
}

} // namespace

std::vector<PrinterPtr> copyAllPrinters() {
    std::vector<PrinterPtr> printers;
    cups_dest_t* destinations = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinations);
    for (int index = 0; index < count; ++index) {
        const cups_dest_t& destination = destinations[index];
        if (destination.instance || kDemoPrinterID == std::string(destination.name)) continue;
        if (PrinterPtr printer = printerFromDestination(destination))
            printers.push_back(std::move(printer));
    }
    cupsFreeDests(count, destinations);
    if (PrinterPtr demo = makeDemoPrinter()) printers.push_back(std::move(demo));
    return printers;
}

PrinterPtr copyPrinterWithID(const std::string& id) {
    if (id == kDemoPrinterID) return makeDemoPrinter();
    return copyCupsPrinter(id.c_str());
}

PrinterPtr copyDefaultPrinter() {
    if (PrinterPtr printer = copyCupsPrinter(nullptr)) return printer;
    return makeDemoPrinter();
}
