#include "Notifications.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kShortestPoll = 1;
constexpr int kLongestPoll = 3600;

int integer(ipp_attribute_t* attribute) {
    return ippGetCount(attribute) == 1 && ippGetValueTag(attribute) == IPP_TAG_INTEGER
               ? ippGetInteger(attribute, 0)
               : 0;
}

} // namespace

NotificationBatch readNotifications(ipp_t* response) {
    NotificationBatch batch;
    CupsEvent event;
    auto finishEvent = [&] {
        if (event.sequence > 0) batch.events.push_back(event);
        event = {};
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        const char* name = ippGetName(attribute);
        const ipp_tag_t group = ippGetGroupTag(attribute);
        if (group == IPP_TAG_OPERATION && name && std::strcmp(name, "notify-get-interval") == 0)
            batch.pollSeconds = std::clamp(integer(attribute), kShortestPoll, kLongestPoll);
        if (group != IPP_TAG_EVENT_NOTIFICATION || !name) {
            finishEvent();
            continue;
        }
        if (std::strcmp(name, "notify-sequence-number") == 0) {
            event.sequence = integer(attribute);
        } else if (std::strcmp(name, "notify-job-id") == 0) {
            event.jobID = integer(attribute);
        } else if (std::strcmp(name, "notify-subscribed-event") == 0 &&
                   ippGetValueTag(attribute) == IPP_TAG_KEYWORD) {
            const char* value = ippGetString(attribute, 0, nullptr);
            event.name = value ? value : "";
        }
    }
    finishEvent();
    return batch;
}
