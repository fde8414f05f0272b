#include "Subscription.h"

namespace {

// Every event that can change which held jobs there are: new jobs, state changes (held,
// released, cancelled), moves, and queues that come and go.
const char* const kEvents[] = {"job-created",   "job-state-changed", "job-config-changed",
                               "printer-added", "printer-deleted",   "printer-modified"};

} // namespace

bool Subscription::create(http_t* connection, std::string& whyNot) {
    ipp_t* request = newCupsRequest(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS, "/");
    ippAddString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr,
                 "ippget");
    ippAddStrings(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events",
                  int(std::size(kEvents)), nullptr, kEvents);
    ippAddInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration",
                  kLeaseSeconds);
    CupsAnswer answer = sendCupsRequest(connection, request, "/");
    ipp_attribute_t* id =
        answer.response
            ? ippFindAttribute(answer.response.get(), "notify-subscription-id", IPP_TAG_INTEGER)
            : nullptr;
    if (!answer.succeeded() || !id) {
        whyNot = answer.succeeded() ? "the print server named no subscription" : answer.reason;
        return false;
    }
    id_ = ippGetInteger(id, 0);
    nextSequence_ = 1;
    return true;
}

bool Subscription::renew(http_t* connection) {
    ipp_t* request = newCupsRequest(IPP_OP_RENEW_SUBSCRIPTION, "/");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", id_);
    ippAddInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration",
                  kLeaseSeconds);
    return sendCupsRequest(connection, request, "/").succeeded();
}

std::optional<NotificationBatch> Subscription::fetch(http_t* connection) {
    ipp_t* request = newCupsRequest(IPP_OP_GET_NOTIFICATIONS, "/");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids", id_);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-sequence-numbers",
                  nextSequence_);
    CupsAnswer answer = sendCupsRequest(connection, request, "/");
    if (!answer.succeeded() || !answer.response) {
        id_ = 0;
        return std::nullopt;
    }
    NotificationBatch batch = readNotifications(answer.response.get());
    for (const CupsEvent& event : batch.events)
        nextSequence_ = std::max(nextSequence_, event.sequence + 1);
    return batch;
}

void Subscription::cancel(http_t* connection) {
    if (!exists()) return;
    ipp_t* request = newCupsRequest(IPP_OP_CANCEL_SUBSCRIPTION, "/");
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", id_);
    sendCupsRequest(connection, request, "/");
    id_ = 0;
}
