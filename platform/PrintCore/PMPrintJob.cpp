// Printing a document with the session's ticket on its current printer.
#include "PMCore.h"
#include "PrintJob.h"
#include "PrinterRecord.h"

#include "CFText.h"

#include <CFNumber.h>

#include <cstdint>
#include <filesystem>

PMTicketRef sessionTicket(PMPrintSession session) {
    CFTypeRef data = nullptr;
    SInt64 reference = 0;
    if (PMSessionGetDataFromSession(session, CFSTR("PMPrintSettingsTicket"), &data) != noErr ||
        !data || !CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference))
        return nullptr;
    return reinterpret_cast<PMTicketRef>(intptr_t(reference));
}

namespace {

std::string documentPath(CFURLRef fileURL) {
    if (!fileURL) return {};
    CFRef<CFStringRef> path(CFURLCopyFileSystemPath(fileURL, kCFURLPOSIXPathStyle));
    return utf8Text(path.get());
}

PrintResult print(PMPrintSession session, CFURLRef fileURL, CFStringRef jobTitle) {
    PMPrinter printer = nullptr;
    if (!session) return {kPMInvalidPrintSession, "There is no print session."};
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr || !printer)
        return {kPMInvalidPrinter, "No printer is chosen."};
    PrintJob job;
    job.documentPath = documentPath(fileURL);
    if (job.documentPath.empty()) return {kPMInvalidParameter, "No document was given."};
    if (PrintResult read = readDocument(job.documentPath, job.document); read.status != noErr)
        return read;
    job.printerID = printer->queue;
    job.printerName = utf8Text(printer->name.get());
    job.title = utf8Text(jobTitle);
    if (job.title.empty()) job.title = std::filesystem::path(job.documentPath).filename().string();
    job.options = collectJobOptions(sessionTicket(session));
    return printer->isDemo ? spoolDemoJob(job) : submitCupsJob(job);
}

} // namespace

OSStatus PMSessionPrintWithFile(PMPrintSession session, CFURLRef fileURL, CFStringRef jobTitle,
                                CFStringRef* outcome) {
    PrintResult result = print(session, fileURL, jobTitle);
    if (outcome) *outcome = makeCFString(result.message).release();
    return result.status;
}
