// The device's answer to an address request, read into device records. The answer is a JSON
// object:
//   {"entries": [{"id": 1, "name": "Ada", "number": "0123"}, ...],
//    "groups":  [{"id": 100, "name": "Team", "members": [1, 2]}, ...]}
// Ids are 16-bit signed. A name or number longer than its record field is cut between
// characters; a group keeps its first kQrolFaxGroupMemberRoom members.
#pragma once

#include "QrolKit.h"

#include <string_view>
#include <vector>

namespace qrol {

struct DeviceRecords {
    std::vector<QrolFaxRecord> entries;
    std::vector<QrolFaxGroupRecord> groups;
};

// kQrolNoErr and the records; kQrolErrDevice and no records when the answer is not such an
// object (no JSON, a missing field, a wrong type, an Id out of range, more than 65535 records
// of a kind).
QrolResult readDeviceAnswer(std::string_view answer, DeviceRecords& records);

} // namespace qrol
