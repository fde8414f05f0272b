#include "DemoPrinter.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The device URI names a socket printer on this host, where the device simulator answers, so
// that the printer-address look-up of the fax pane finds 127.0.0.1.
constexpr char kDemoPrinterName[] = "Norvale Demo Fax";
constexpr char kDemoDeviceURI[] = "socket://127.0.0.1:9100";
constexpr char kDemoPPDName[] = "NorvaleDemoFax.ppd";

std::filesystem::path libraryDirectory() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&demoPrinterPPDPath), &info) || !info.dli_fname) return {};
    std::error_code error;
    std::filesystem::path library = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::filesystem::path() : library.parent_path();
}

} // namespace

PrinterPtr makeDemoPrinter() {
    return makePrinter(true, kDemoPrinterID, kDemoPrinterName, kDemoDeviceURI);
}

std::string demoPrinterPPDPath() {
    if (const char* configured = std::getenv("NV_DEMO_PPD"); configured && *configured)
        return configured;
    const std::filesystem::path library = libraryDirectory();
    if (library.empty()) return {};
    // The build tree's copy beside the library, else the installed tree's PPD folder.
    for (const std::filesystem::path& candidate :
         {library / "Printers" / kDemoPPDName,
          (library / NV_PPD_DIR_FROM_LIBRARY / kDemoPPDName).lexically_normal()}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
    }
    return {};
}
