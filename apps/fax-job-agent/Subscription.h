// The agent's CUPS subscription to job events on every queue of the server, read by pulling
// (notify-pull-method ippget, Get-Notifications) and kept alive by renewing its lease.
#pragma once

#include "Notifications.h"

#include <CupsServer.h>

#include <optional>
#include <string>

class Subscription {
  public:
    static constexpr int kLeaseSeconds = 3600; // renewed well before it lapses

    // Create-Printer-Subscription on the server; false, with the server's reason, when refused.
    bool create(http_t* connection, std::string& whyNot);
    // Renew-Subscription for another lease.
    bool renew(http_t* connection);
    // The events since the last call; nothing when the server cannot be reached or no longer
    // has the subscription (it lapsed, or the server lost it): subscribe again then.
    std::optional<NotificationBatch> fetch(http_t* connection);
    // Cancel-Subscription, so the server forgets it at once; forgets it here too.
    void cancel(http_t* connection);

    bool exists() const { return id_ > 0; }

  private:
    int id_ = 0;
    int nextSequence_ = 1;
};
