#include "QrolEntryRules.h"

#include "QrolFields.h"

namespace qrol {

QrolResult checkNewEntry(const QrolMyFaxRecord& entry) {
    const auto name = readField(entry.name, sizeof entry.name);
    const auto number = readField(entry.faxNumber, sizeof entry.faxNumber);
    if (!name || !number || !readField(entry.company, sizeof entry.company) ||
        !readField(entry.memo, sizeof entry.memo))
        return kQrolErrParam;
    if (name->empty()) return kQrolErrNoName;
    if (number->empty()) return kQrolErrParam;
    return kQrolNoErr;
}

bool sameAddress(const QrolMyFaxRecord& a, const QrolMyFaxRecord& b) {
    return readField(a.name, sizeof a.name) == readField(b.name, sizeof b.name) &&
           readField(a.faxNumber, sizeof a.faxNumber) == readField(b.faxNumber, sizeof b.faxNumber);
}

} // namespace qrol
