// What the held-job dialog and the fax job agent read of a CUPS job.
#pragma once

#include <cups/cups.h>

#include <string>
#include <vector>

struct CupsJobRecord {
    int id = 0;
    std::string queue; // the last part of job-printer-uri
    std::string title; // job-name
    std::string owner; // job-originating-user-name
    ipp_jstate_t state = IPP_JSTATE_PENDING;

    bool isHeld() const { return state == IPP_JSTATE_HELD; }
    bool isFinished() const { return state >= IPP_JSTATE_STOPPED; }
};

// The attributes a record is read from, for requested-attributes.
extern const char* const kJobRecordAttributes[5];

// Every job of a response (Get-Jobs, Get-Job-Attributes): each group of job attributes with a
// job-id above zero, in the order the server gave them. Values of the wrong type or count count
// as absent.
std::vector<CupsJobRecord> readJobRecords(ipp_t* response);
