#include "PrintJob.h"

#include "CFText.h"

#include <CFRef.h>

#include <strings.h>

namespace {

void addEntry(const void* key, const void* value, void* context) {
    (*static_cast<JobOptions*>(context))[utf8Text(key)] = utf8Text(value);
}

// libcups guesses the type of an option it does not know: "true" and "false" become booleans
// and a value in braces a collection. Such values go as plain names, so that they reach the
// printer as the ticket holds them.
ipp_attribute_t* addJobOption(ipp_t* request, const std::string& name, const std::string& value) {
    const char* text = value.c_str();
    if (strcasecmp(text, "true") == 0 || strcasecmp(text, "false") == 0 || text[0] == '{')
        return ippAddString(request, IPP_TAG_JOB, IPP_TAG_NAME, name.c_str(), nullptr, text);
    return cupsEncodeOption(request, IPP_TAG_JOB, name.c_str(), text);
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

bool addJobOptions(ipp_t* request, const JobOptions& options, std::string& refused) {
    for (const auto& [name, value] : options) {
        ipp_attribute_t* added = addJobOption(request, name, value);
        // ippValidateAttribute checks what the server would: lengths, UTF-8, control characters.
        if (!added || !ippValidateAttribute(added)) {
            const char* reason = cupsLastErrorString();
            refused = "The setting \"" + name + "\" cannot be sent to the printer (" +
                      (added && reason && *reason ? reason : "it cannot be encoded") + ").";
            return false;
        }
    }
    return true;
}
