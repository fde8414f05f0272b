#include "DemoPrinter.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

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
    std::vector<std::filesystem::path> candidates{std::filesystem::path(NV_INSTALLED_PPD_DIR) /
                                                  kDemoPPDName};
    if (std::filesystem::path library = libraryDirectory(); !library.empty())
        candidates.insert(candidates.begin(), library / "Printers" / kDemoPPDName);
    for (const std::filesystem::path& candidate : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) return candidate.string();
    }
    return {};
}
