#include "CupsServer.h"

namespace {

constexpr int kConnectMilliseconds = 5000;
constexpr double kAnswerSeconds = 10;

// A server that asks for a password is refused: libcups would otherwise ask for it on the
// terminal, where nobody answers a dialog or an agent.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

} // namespace

CupsConnection connectToCupsServer() {
    cupsSetPasswordCB2(noPassword, nullptr);
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kConnectMilliseconds, nullptr);
    // Without a callback, a read or write that outlasts the time-out fails.
    if (http) httpSetTimeout(http, kAnswerSeconds, nullptr, nullptr);
    return CupsConnection(http);
}

ipp_t* newCupsRequest(ipp_op_t operation, const std::string& resource) {
    ipp_t* request = ippNewRequest(operation);
    char uri[HTTP_MAX_URI];
    httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                    resource.c_str());
    const bool isJob = resource.starts_with("/jobs/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, isJob ? "job-uri" : "printer-uri",
                 nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

CupsAnswer sendCupsRequest(http_t* connection, ipp_t* request, const std::string& resource) {
    CupsConnection own;
    if (!connection) own = connectToCupsServer();
    http_t* http = connection ? connection : own.get();
    CupsAnswer answer;
    if (!http) {
        ippDelete(request);
        answer.reason = "the print server cannot be reached";
        return answer;
    }
    answer.response.reset(cupsDoRequest(http, request, resource.c_str()));
    answer.status = cupsLastError();
    const char* reason = cupsLastErrorString();
    answer.reason = reason && *reason ? reason : ippErrorString(answer.status);
    return answer;
}
