// Feeds arbitrary bytes to the reader of the device's address answers: it must refuse them or
// read them without crashing, and every record it gives must keep its text fields terminated
// and its member count within its room; a refused answer gives no records.
#include <QrolDeviceAnswer.h>
#include <QrolFields.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qrol::DeviceRecords records;
    const QrolResult result = qrol::readDeviceAnswer(
        std::string_view(reinterpret_cast<const char*>(data), size), records);
    if (result != kQrolNoErr) {
        check(result == kQrolErrDevice && records.entries.empty() && records.groups.empty());
        return 0;
    }
    for (const QrolFaxRecord& entry : records.entries) {
        check(qrol::readField(entry.name, sizeof entry.name).has_value());
        check(qrol::readField(entry.faxNumber, sizeof entry.faxNumber).has_value());
    }
    for (const QrolFaxGroupRecord& group : records.groups) {
        check(qrol::readField(group.name, sizeof group.name).has_value());
        check(group.memberCount <= kQrolFaxGroupMemberRoom);
    }
    return 0;
}
