#include "CupsJobRecord.h"

#include <cstring>

const char* const kJobRecordAttributes[5] = {"job-id", "job-printer-uri", "job-name",
                                             "job-originating-user-name", "job-state"};

namespace {

std::string text(ipp_attribute_t* attribute) {
    const char* value = ippGetString(attribute, 0, nullptr);
    return value ? value : "";
}

void readAttribute(ipp_attribute_t* attribute, CupsJobRecord& job) {
    const char* name = ippGetName(attribute);
    if (!name || ippGetCount(attribute) != 1) return;
    const ipp_tag_t type = ippGetValueTag(attribute);
    if (type == IPP_TAG_INTEGER && std::strcmp(name, "job-id") == 0) {
        job.id = ippGetInteger(attribute, 0);
    } else if (type == IPP_TAG_ENUM && std::strcmp(name, "job-state") == 0) {
        job.state = ipp_jstate_t(ippGetInteger(attribute, 0));
    } else if (type == IPP_TAG_URI && std::strcmp(name, "job-printer-uri") == 0) {
        const std::string uri = text(attribute);
        job.queue = uri.substr(uri.find_last_of('/') + 1);
    } else if (type == IPP_TAG_NAME || type == IPP_TAG_NAMELANG) {
        if (std::strcmp(name, "job-name") == 0) job.title = text(attribute);
        if (std::strcmp(name, "job-originating-user-name") == 0) job.owner = text(attribute);
    }
}

} // namespace

std::vector<CupsJobRecord> readJobRecords(ipp_t* response) {
    std::vector<CupsJobRecord> jobs;
    CupsJobRecord job;
    auto finishJob = [&] {
        if (job.id > 0) jobs.push_back(job);
        job = {};
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        // A nameless separator or another group ends the job's attributes.
        if (ippGetGroupTag(attribute) != IPP_TAG_JOB || !ippGetName(attribute)) {
            finishJob();
            continue;
        }
        readAttribute(attribute, job);
    }
    finishJob();
    return jobs;
}
