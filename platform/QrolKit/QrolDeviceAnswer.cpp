#include "QrolDeviceAnswer.h"

#include "QrolFields.h"
#include "QrolStrings.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace qrol {

namespace {

using nlohmann::json;

constexpr size_t kMaxRecordsOfAKind = std::numeric_limits<UInt16>::max();

// The member of an object, or null when it is missing.
const json* member(const json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::optional<SInt16> readId(const json* value) {
    if (!value || !value->is_number_integer()) return std::nullopt;
    constexpr auto kMax = std::numeric_limits<SInt16>::max();
    // Read unsigned numbers as such: above the signed range they would wrap.
    if (value->is_number_unsigned()) {
        const auto id = value->get<json::number_unsigned_t>();
        return id <= kMax ? std::optional<SInt16>(static_cast<SInt16>(id)) : std::nullopt;
    }
    const auto id = value->get<json::number_integer_t>();
    if (id < std::numeric_limits<SInt16>::min() || id > kMax) return std::nullopt;
    return static_cast<SInt16>(id);
}

bool readText(const json* value, UInt8* field, size_t size) {
    if (!value || !value->is_string()) return false;
    const auto units = utf16FromUTF8(value->get_ref<const json::string_t&>());
    if (!units) return false;
    writeField(field, size, *units);
    return true;
}

bool readEntry(const json& item, QrolFaxRecord& record) {
    if (!item.is_object()) return false;
    const auto id = readId(member(item, "id"));
    if (!id) return false;
    record.Id = *id;
    return readText(member(item, "name"), record.name, sizeof record.name) &&
           readText(member(item, "number"), record.faxNumber, sizeof record.faxNumber);
}

bool readGroup(const json& item, QrolFaxGroupRecord& record) {
    if (!item.is_object()) return false;
    const auto id = readId(member(item, "id"));
    const json* members = member(item, "members");
    if (!id || !members || !members->is_array() ||
        !readText(member(item, "name"), record.name, sizeof record.name))
        return false;
    record.Id = *id;
    // Every member Id must be valid; only those the record has room for are kept.
    for (size_t i = 0; i < members->size(); ++i) {
        const auto memberId = readId(&(*members)[i]);
        if (!memberId) return false;
        if (i < kQrolFaxGroupMemberRoom) record.memberIds[i] = *memberId;
    }
    record.memberCount =
        static_cast<UInt16>(std::min<size_t>(members->size(), kQrolFaxGroupMemberRoom));
    return true;
}

template <class Record, class ReadRecord>
bool readRecords(const json& answer, const char* key, std::vector<Record>& records,
                 ReadRecord readRecord) {
    const json* items = member(answer, key);
    if (!items || !items->is_array() || items->size() > kMaxRecordsOfAKind) return false;
    records.reserve(items->size());
    for (const json& item : *items) {
        Record record;
        std::memset(&record, 0, sizeof record);
        if (!readRecord(item, record)) return false;
        records.push_back(record);
    }
    return true;
}

} // namespace

QrolResult readDeviceAnswer(std::string_view answer, DeviceRecords& records) {
    records = {};
    const json parsed = json::parse(answer, nullptr, /*allow_exceptions=*/false);
    DeviceRecords read;
    if (!parsed.is_object() || !readRecords(parsed, "entries", read.entries, readEntry) ||
        !readRecords(parsed, "groups", read.groups, readGroup))
        return kQrolErrDevice;
    records = std::move(read);
    return kQrolNoErr;
}

} // namespace qrol
