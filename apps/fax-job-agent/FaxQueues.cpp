#include "FaxQueues.h"

#include <cups/ppd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <unistd.h>

namespace {

// The bundle the print dialog loads for the fax pane, found by its folder name.
constexpr std::string_view kFaxPaneBundle = "NVSendraFax.plugin";

bool namesFaxPane(std::string_view path) {
    return path == kFaxPaneBundle ||
           (path.ends_with(kFaxPaneBundle) && path[path.size() - kFaxPaneBundle.size() - 1] == '/');
}

} // namespace

bool ppdNamesFaxPane(const char* ppdPath) {
    ppd_file_t* ppd = ppdOpenFile(ppdPath);
    if (!ppd) return false;
    bool named = false;
    for (ppd_attr_t* attribute = ppdFindAttr(ppd, "APDialogExtension", nullptr);
         attribute && !named; attribute = ppdFindNextAttr(ppd, "APDialogExtension", nullptr))
        named = attribute->value && namesFaxPane(attribute->value);
    ppdClose(ppd);
    return named;
}

bool FaxQueues::isFaxQueue(http_t* connection, const std::string& queue) {
    if (auto known = known_.find(queue); known != known_.end()) return known->second;
    // Fetched over the agent's own connection, whose waits are bounded.
    std::string path = std::filesystem::temp_directory_path() / "fax-job-agent-ppd-XXXXXX";
    const int file = mkstemp(path.data());
    if (file < 0) return false;
    const http_status_t status =
        cupsGetFd(connection, ("/printers/" + queue + ".ppd").c_str(), file);
    close(file);
    const bool fax = status == HTTP_STATUS_OK && ppdNamesFaxPane(path.c_str());
    unlink(path.c_str());
    // A queue without a PPD is no fax queue; any other failure is asked about again later.
    if (status == HTTP_STATUS_OK || status == HTTP_STATUS_NOT_FOUND) known_[queue] = fax;
    return fax;
}
