#include "PPDSource.h"

#include "DemoPrinter.h"

#include <CFRef.h>
#include <CFString.h>

#include <cups/cups.h>

#include <ctime>
#include <unistd.h>

namespace {

ppd_file_t* fetchCupsPPD(const std::string& queue) {
    char path[1024] = "";
    time_t modificationTime = 0;
    if (cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.c_str(), &modificationTime, path, sizeof path) !=
        HTTP_STATUS_OK)
        return nullptr;
    ppd_file_t* ppd = ppdOpenFile(path);
    unlink(path);
    return ppd;
}

} // namespace

ppd_file_t* openPrinterPPD(const OpaquePMPrinter& printer) {
    if (!printer.isDemo) return fetchCupsPPD(printer.queue);
    std::string path = demoPrinterPPDPath();
    return path.empty() ? nullptr : ppdOpenFile(path.c_str());
}

CFArrayRef createDialogExtensionPaths(ppd_file_t* ppd) {
    CFMutableArrayRef paths = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    if (!ppd) return paths;
    constexpr char kKeyword[] = "APDialogExtension";
    for (ppd_attr_t* attribute = ppdFindAttr(ppd, kKeyword, nullptr); attribute;
         attribute = ppdFindNextAttr(ppd, kKeyword, nullptr)) {
        if (!attribute->value) continue;
        CFRef<CFStringRef> path(
            CFStringCreateWithCString(nullptr, attribute->value, kCFStringEncodingUTF8));
        if (path) CFArrayAppendValue(paths, path.get());
    }
    return paths;
}
