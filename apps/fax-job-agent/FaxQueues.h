// Which CUPS queues are fax queues: those whose PPD names the fax pane's dialog extension
// (*APDialogExtension ending in the bundle's folder name), as the print dialog loads it.
#pragma once

#include <cups/cups.h>

#include <map>
#include <string>

class FaxQueues {
  public:
    // Fetches the queue's PPD once; later answers come from memory until forget().
    bool isFaxQueue(http_t* connection, const std::string& queue);
    // Queues may have been added, changed or removed: ask again.
    void forget() { known_.clear(); }

  private:
    std::map<std::string, bool> known_;
};

// True when the PPD file names the fax pane's dialog extension.
bool ppdNamesFaxPane(const char* ppdPath);
