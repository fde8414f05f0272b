#include "HeldJob.h"

#include "CupsServer.h"

namespace {

std::string jobResource(int jobID) {
    return "/jobs/" + std::to_string(jobID);
}

std::string named(const CupsJobRecord& job) {
    return "The fax job \"" + job.title + "\"";
}

PrintResult failure(const CupsAnswer& answer, const std::string& what) {
    if (answer.status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        return {kPMServerNotFound,
                "The print server cannot be reached (" + answer.reason + "). " + what};
    if (answer.status == IPP_STATUS_ERROR_NOT_FOUND)
        return {kPMQueueNotFound, "The print server no longer has the job. " + what};
    return {kPMQueueJobFailed, "The print server refused: " + answer.reason + ". " + what};
}

CupsAnswer sendJobRequest(http_t* connection, ipp_op_t operation, int jobID) {
    return sendCupsRequest(connection, newCupsRequest(operation, jobResource(jobID)), "/jobs/");
}

} // namespace

PrintResult readCupsJob(int jobID, CupsJobRecord& job) {
    ipp_t* request = newCupsRequest(IPP_OP_GET_JOB_ATTRIBUTES, jobResource(jobID));
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(kJobRecordAttributes), nullptr, kJobRecordAttributes);
    CupsAnswer answer = sendCupsRequest(nullptr, request, "/jobs/");
    std::vector<CupsJobRecord> jobs =
        answer.succeeded() ? readJobRecords(answer.response.get()) : std::vector<CupsJobRecord>{};
    // Only the session user's own jobs are acted on.
    if (jobs.empty() || jobs.front().id != jobID || jobs.front().owner != cupsUser()) {
        if (answer.succeeded() || answer.status == IPP_STATUS_ERROR_NOT_FOUND)
            return {kPMQueueNotFound,
                    "The print server has no job " + std::to_string(jobID) + " of yours."};
        return failure(answer, "The job cannot be read.");
    }
    job = jobs.front();
    return {noErr, {}};
}

PrintResult setOptionsAndRelease(const CupsJobRecord& job, const JobOptions& options) {
    const std::string stillHeld = named(job) + " is still held; nothing was sent.";
    ipp_t* request = newCupsRequest(IPP_OP_SET_JOB_ATTRIBUTES, jobResource(job.id));
    std::string refused;
    if (!addJobOptions(request, options, refused)) {
        ippDelete(request);
        return {kPMQueueJobFailed, refused + " " + stillHeld};
    }
    CupsConnection connection = connectToCupsServer();
    CupsAnswer answer = sendCupsRequest(connection.get(), request, "/jobs/");
    if (!answer.succeeded()) return failure(answer, stillHeld);
    answer = sendJobRequest(connection.get(), IPP_OP_RELEASE_JOB, job.id);
    if (!answer.succeeded())
        return failure(answer, named(job) + " has its fax settings but was not released.");
    return {noErr, named(job) + " is on its way to \"" + job.queue + "\" (job " +
                       std::to_string(job.id) + ")."};
}

PrintResult cancelCupsJob(const CupsJobRecord& job) {
    CupsAnswer answer = sendJobRequest(nullptr, IPP_OP_CANCEL_JOB, job.id);
    if (!answer.succeeded()) return failure(answer, named(job) + " may not be cancelled.");
    return {noErr, named(job) + " was cancelled; nothing was sent."};
}

PrintResult releaseHeldJob(PMPrintSession session, const CupsJobRecord& job) {
    PMTicketRef ticket = session ? sessionTicket(session) : nullptr;
    if (!ticket) return {kPMInvalidPrintSession, "There is no print session."};
    return setOptionsAndRelease(job, collectJobOptions(ticket));
}
