#include "QrolDeviceAnswer.h"

#include "QrolTextFields.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace {

using nlohmann::json;

constexpr size_t kMaxRecordsOfAKind = std::numeric_limits<UInt16>::max();

// The member of an object, or null when it is missing.
const json* Member(const json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

std::optional<SInt16> ReadId(const json* value) {
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

bool ReadText(const json* value, UInt8* field, size_t size) {
    if (!value || !value->is_string()) return false;
    const auto units = UTF16FromUTF8(value->get_ref<const json::string_t&>());
    if (!units) return false;
    StoreUTF16LEField(*units, field, size);
    return true;
}

bool ReadEntry(const json& item, QrolFaxRecord& record) {
    if (!item.is_object()) return false;
    const auto id = ReadId(Member(item, "id"));
    if (!id) return false;
    record.Id = *id;
    return ReadText(Member(item, "name"), record.name, sizeof record.name) &&
           ReadText(Member(item, "number"), record.faxNumber, sizeof record.faxNumber);
}

bool ReadGroup(const json& item, QrolFaxGroupRecord& record) {
    if (!item.is_object()) return false;
    const auto id = ReadId(Member(item, "id"));
    const json* members = Member(item, "members");
    if (!id || !members || !members->is_array() ||
        !ReadText(Member(item, "name"), record.name, sizeof record.name))
        return false;
    record.Id = *id;
    // Every member Id must be valid; only those the record has room for are kept.
    for (size_t i = 0; i < members->size(); ++i) {
        const auto member = ReadId(&(*members)[i]);
        if (!member) return false;
        if (i < kQrolFaxGroupMemberRoom) record.memberIds[i] = *member;
    }
    record.memberCount =
        static_cast<UInt16>(std::min<size_t>(members->size(), kQrolFaxGroupMemberRoom));
    return true;
}

template <class Record, class ReadRecord>
bool ReadRecords(const json& answer, const char* key, std::vector<Record>& records,
                 ReadRecord readRecord) {
    const json* items = Member(answer, key);
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

QrolResult ReadDeviceAddressAnswer(std::string_view answer, QrolDeviceRecords& records) {
    records = {};
    const json parsed = json::parse(answer, nullptr, /*allow_exceptions=*/false);
    QrolDeviceRecords read;
    if (!parsed.is_object() || !ReadRecords(parsed, "entries", read.entries, ReadEntry) ||
        !ReadRecords(parsed, "groups", read.groups, ReadGroup))
        return kQrolErrDevice;
    records = std::move(read);
    return kQrolNoErr;
}
