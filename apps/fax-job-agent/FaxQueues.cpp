#include "FaxQueues.h"

#include <cups/ppd.h>

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
    char path[1024] = "";
    time_t modified = 0;
    const http_status_t status =
        cupsGetPPD3(connection, queue.c_str(), &modified, path, sizeof path);
    if (status == HTTP_STATUS_OK) {
        const bool fax = ppdNamesFaxPane(path);
        unlink(path);
        return known_[queue] = fax;
    }
    // A queue without a PPD is no fax queue; any other failure is asked about again later.
    if (status == HTTP_STATUS_NOT_FOUND) known_[queue] = false;
    return false;
}
