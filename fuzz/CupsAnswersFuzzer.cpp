// Feeds arbitrary bytes, read as an IPP message as libcups reads a print server's answer, to the
// readers of CUPS answers that the fax job agent and the held-job dialog rely on: the job
// records of Get-Jobs and Get-Job-Attributes and the events of Get-Notifications. A hostile or
// broken server must not crash them: every record has a job, every event a sequence number,
// and the polling interval stays within its bounds.
#include <CupsJobRecord.h>
#include <Notifications.h>

#include <cups/cups.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

struct Input {
    const uint8_t* data;
    size_t size;
    size_t offset = 0;
};

ssize_t readInput(void* context, ipp_uchar_t* buffer, size_t bytes) {
    auto* input = static_cast<Input*>(context);
    const size_t count = std::min(bytes, input->size - input->offset);
    std::memcpy(buffer, input->data + input->offset, count);
    input->offset += count;
    return ssize_t(count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input{data, size};
    ipp_t* answer = ippNew();
    if (ippReadIO(&input, readInput, 1, nullptr, answer) == IPP_STATE_DATA) {
        for (const CupsJobRecord& job : readJobRecords(answer))
            check(job.id > 0);
        const NotificationBatch batch = readNotifications(answer);
        check(batch.pollSeconds >= 1 && batch.pollSeconds <= 3600);
        for (const CupsEvent& event : batch.events)
            check(event.sequence > 0);
    }
    ippDelete(answer);
    return 0;
}
