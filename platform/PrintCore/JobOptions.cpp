#include "PrintJob.h"

#include "CFText.h"

#include <CFRef.h>

namespace {

void addEntry(const void* key, const void* value, void* context) {
    (*static_cast<JobOptions*>(context))[utf8Text(key)] = utf8Text(value);
}

} // namespace

JobOptions collectJobOptions(PMTicketRef ticket) {
    JobOptions options;
    CFRef<CFDictionaryRef> items(PMTicketCreateDict(ticket));
    if (items) CFDictionaryApplyFunction(items.get(), addEntry, &options);
    CFMutableDictionaryRef choices = nullptr;
    if (PMTicketGetPPDDict(ticket, kPMTopLevel, kPMTopLevel, &choices) == noErr)
        CFDictionaryApplyFunction(choices, addEntry, &options);
    return options;
}
