// Requests to the CUPS server that the user's client configuration names (CUPS_SERVER,
// client.conf, else the local scheduler) over a connection of our own whose every wait is
// bounded, so that neither the dialog nor the fax job agent can hang on a server that stops
// answering.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using CupsConnection = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
    void operator()(ipp_t* message) const { ippDelete(message); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

// Connects within a few seconds; every later read or write gives up after a few seconds too.
// Null when the server cannot be reached.
CupsConnection connectToCupsServer();

// A new request for the object at the resource ("/", "/printers/NAME", "/jobs/ID"), with the
// operation attributes every request carries: its URI (printer-uri, or job-uri for a job) and
// the requesting user, cupsUser(): the name lp and every CUPS client of this user send, so the
// one whose jobs this process may act on.
ipp_t* newCupsRequest(ipp_op_t operation, const std::string& resource);

// What the server answered: its status and the reason it gives, with the response when one came.
struct CupsAnswer {
    IppMessage response;
    ipp_status_t status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    std::string reason;
    bool succeeded() const { return status <= IPP_STATUS_OK_CONFLICTING; }
};

// Sends the request (which it consumes) over the connection, or over a new one when it is
// null. An unreachable server answers IPP_STATUS_ERROR_SERVICE_UNAVAILABLE.
CupsAnswer sendCupsRequest(http_t* connection, ipp_t* request, const std::string& resource);
