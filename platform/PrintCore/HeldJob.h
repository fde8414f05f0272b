// A job that CUPS holds until its fax settings are added: a document that some application
// printed to a fax queue whose jobs are held (job-hold-until-default=indefinite). The print
// dialog finishes such a job instead of printing a document of its own.
#pragma once

#include "CupsJobRecord.h"
#include "PMCore.h"
#include "PrintJob.h"

// Reads the job as the server has it now. kPMQueueNotFound when the server has no such job
// (or it belongs to another user), kPMServerNotFound when the server cannot be reached.
PrintResult readCupsJob(int jobID, CupsJobRecord& job);

// Sets every option as an attribute of the held job (Set-Job-Attributes), then releases it
// (Release-Job), so that it prints exactly as a job printed with those options. When an option
// is one CUPS would refuse, or the server refuses the attributes, the job stays held as it was.
PrintResult setOptionsAndRelease(const CupsJobRecord& job, const JobOptions& options);
// The same with every ticket item and PPD choice of the session's ticket.
PrintResult releaseHeldJob(PMPrintSession session, const CupsJobRecord& job);

// Cancels the job (Cancel-Job): it prints nothing.
PrintResult cancelCupsJob(const CupsJobRecord& job);
