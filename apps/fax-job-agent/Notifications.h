// What the agent reads of the server's answer to Get-Notifications.
#pragma once

#include <cups/cups.h>

#include <string>
#include <vector>

struct CupsEvent {
    int sequence = 0; // notify-sequence-number
    std::string name; // notify-subscribed-event: "job-created", "job-state-changed", ...
    int jobID = 0;    // notify-job-id; 0 for an event about no job
};

struct NotificationBatch {
    std::vector<CupsEvent> events;
    int pollSeconds = 60; // notify-get-interval: when the server wants to be asked again
};

// The events of the response, in its order, and the interval it asks for (kept within 1 s to
// 1 h; 60 s when it names none). Groups without a sequence number are skipped.
NotificationBatch readNotifications(ipp_t* response);
