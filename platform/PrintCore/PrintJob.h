// A print job on its way from the session to a printer, and the outcome that comes back.
#pragma once

#include "PMCore.h"
#include "PMTicket.h"

#include <cups/cups.h>

#include <map>
#include <string>
#include <vector>

// Option name to value, sorted by name.
using JobOptions = std::map<std::string, std::string>;

struct PrintJob {
    std::string printerID;   // CUPS queue name or the demo printer's ID
    std::string printerName; // as the user knows it
    std::string title;
    std::string documentPath;
    std::vector<char> document; // the whole document, read before anything is sent
    JobOptions options;
};

struct PrintResult {
    OSStatus status;
    std::string message; // a sentence for the user
};

// The print settings ticket that the session offers its extensions; null when it has none.
PMTicketRef sessionTicket(PMPrintSession session);
// Every ticket item (key and text value) and every PPD choice of the ticket; a PPD choice wins
// over a ticket item of the same name.
JobOptions collectJobOptions(PMTicketRef ticket);
// Adds every option to the request as a job attribute. False, with a sentence naming the option,
// when one is a value that CUPS would refuse (too long, control characters, not UTF-8): a value
// is never cut short.
bool addJobOptions(ipp_t* request, const JobOptions& options, std::string& refused);
// Reads the whole file; kPMOpenFailed or kPMReadFailed with the reason when it cannot.
PrintResult readDocument(const std::string& path, std::vector<char>& bytes);
// Creates a CUPS job on the queue and sends the document with the options.
PrintResult submitCupsJob(const PrintJob& job);
// Writes the document and its option record into the demo spool folder.
PrintResult spoolDemoJob(const PrintJob& job);
