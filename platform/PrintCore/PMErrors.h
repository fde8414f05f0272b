// Status codes of the printing system, with the values the Mac uses for them.
#pragma once

#include <MacTypes.h>

enum : OSStatus {
    kPMNoError = noErr,
    kPMInvalidParameter = paramErr,      // a required argument is missing or invalid
    kPMAllocationFailure = memFullErr,   // out of memory
    kPMGeneralError = -30870,            // a failure with no better code
    kPMNoSuchEntry = -30874,             // the object holds no such entry (a printer's device URI)
    kPMInvalidPrintSession = -30879,     // the print session is missing or invalid
    kPMInvalidPrinter = -30880,          // the printer is missing, unknown or gone
    kPMStringConversionFailure = -30883, // a text does not fit or cannot be converted
    kPMInvalidKey = -30888,              // a key (or a model name) is not one of those allowed
    kPMInvalidTicket = -30891,           // the ticket is missing or invalid
    kPMInvalidType = -30893,             // a ticket item is not of the requested type
    kPMItemIsLocked = -9586,             // the ticket item is locked against changes
    kPMKeyNotFound = -9589,              // the ticket has no item under the key
    kPMServerNotFound = -9630,           // the print server cannot be reached
    kPMQueueNotFound = -9638,            // the server has no such print queue
    kPMQueueJobFailed = -9640,           // the server refused or failed the job
    kPMOpenFailed = -9781,               // a document or spool file cannot be opened
    kPMReadFailed = -9782,               // reading a document failed
    kPMWriteFailed = -9783,              // writing a spool file failed
};
