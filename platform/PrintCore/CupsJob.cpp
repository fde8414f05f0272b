// Printing to a CUPS queue with the create-job interface of libcups.
#include "PrintJob.h"

#include "CupsServer.h"

#include <cups/cups.h>

namespace {

PrintResult failure(const PrintJob& job, const char* what) {
    ipp_status_t error = cupsLastError();
    std::string reason = cupsLastErrorString() ? cupsLastErrorString() : "unknown error";
    std::string kept =
        " The document was not printed; it is unchanged at \"" + job.documentPath + "\".";
    if (error == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return {kPMServerNotFound, "The print server cannot be reached (" + reason + ")." + kept};
    if (error == IPP_STATUS_ERROR_NOT_FOUND)
        return {kPMQueueNotFound, "The printer \"" + job.printerName + "\" is gone." + kept};
    return {kPMQueueJobFailed,
            "The printer \"" + job.printerName + "\" " + what + ": " + reason + "." + kept};
}

constexpr int kJobNotPrepared = -1;

// Sends Create-Job; the new job's ID, 0 when the server refused it, or kJobNotPrepared when the
// request could not be built (refused then names an option CUPS would not take).
int createJob(const PrintJob& job, std::string& refused) {
    const std::string resource = "/printers/" + job.printerID;
    ipp_t* request = newCupsRequest(IPP_OP_CREATE_JOB, resource);
    if (!ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                      job.title.c_str()) ||
        !addJobOptions(request, job.options, refused)) {
        ippDelete(request);
        return kJobNotPrepared;
    }
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, resource.c_str());
    ipp_attribute_t* id =
        response ? ippFindAttribute(response, "job-id", IPP_TAG_INTEGER) : nullptr;
    int jobID = id && cupsLastError() <= IPP_STATUS_OK_CONFLICTING ? ippGetInteger(id, 0) : 0;
    ippDelete(response);
    return jobID;
}

bool sendDocument(const PrintJob& job, int jobID) {
    const char* queue = job.printerID.c_str();
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, queue, jobID, job.title.c_str(), CUPS_FORMAT_AUTO,
                          1) != HTTP_STATUS_CONTINUE)
        return false;
    if (!job.document.empty() &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.document.data(), job.document.size()) !=
            HTTP_STATUS_CONTINUE) {
        cupsFinishDocument(CUPS_HTTP_DEFAULT, queue);
        return false;
    }
    return cupsFinishDocument(CUPS_HTTP_DEFAULT, queue) <= IPP_STATUS_OK_CONFLICTING;
}

} // namespace

PrintResult submitCupsJob(const PrintJob& job) {
    std::string refused;
    int jobID = createJob(job, refused);
    if (jobID == kJobNotPrepared && !refused.empty())
        return {kPMQueueJobFailed, refused + " The document was not printed."};
    if (jobID == kJobNotPrepared)
        return {kPMQueueJobFailed, "The job for \"" + job.printerName +
                                       "\" cannot be prepared; the document was not printed."};
    if (jobID == 0) return failure(job, "refused the job");
    if (!sendDocument(job, jobID)) {
        PrintResult result = failure(job, "did not take the document");
        // The job holds no complete document; cancelling it is all that can be done, and its
        // failure changes nothing for the user.
        cupsCancelJob2(CUPS_HTTP_DEFAULT, job.printerID.c_str(), jobID, 0);
        return result;
    }
    return {noErr, "Sent to \"" + job.printerName + "\" as job " + std::to_string(jobID) + "."};
}
