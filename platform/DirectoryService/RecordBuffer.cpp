#include "Private/RecordBuffer.h"

#include <cstring>

namespace directory {

namespace {

constexpr UInt32 kNodeNamesTag = FOUR_CHAR_CODE("node");
constexpr UInt32 kRecordsTag = FOUR_CHAR_CODE("recs");
constexpr size_t kHeaderSize = 2 * sizeof(UInt32);

void putNumber(std::string& bytes, size_t number) {
    const auto value = UInt32(number);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void putString(std::string& bytes, const std::string& text) {
    putNumber(bytes, text.size());
    bytes += text;
}

void putStrings(std::string& bytes, const std::vector<std::string>& strings) {
    putNumber(bytes, strings.size());
    for (const std::string& text : strings)
        putString(bytes, text);
}

std::string encode(const Record& record) {
    std::string bytes;
    putString(bytes, record.name);
    putString(bytes, record.type);
    putNumber(bytes, record.attributes.size());
    for (const Attribute& attribute : record.attributes) {
        putString(bytes, attribute.type);
        putStrings(bytes, attribute.values);
    }
    return bytes;
}

// Reads numbers and strings from bytes, failing at the first one that would overrun them.
class Reader {
  public:
    Reader(const char* data, size_t size) : data_(data), size_(size) {}

    bool number(UInt32& value) {
        if (size_ - position_ < sizeof value) return false;
        std::memcpy(&value, data_ + position_, sizeof value);
        position_ += sizeof value;
        return true;
    }
    bool string(std::string& text) {
        UInt32 length = 0;
        if (!number(length) || size_ - position_ < length) return false;
        text.assign(data_ + position_, length);
        position_ += length;
        return true;
    }
    bool strings(std::vector<std::string>& list) {
        UInt32 count = 0;
        if (!number(count)) return false;
        list.resize(0);
        for (std::string text; count > 0; --count) {
            if (!string(text)) return false;
            list.push_back(text);
        }
        return true;
    }
    // The bytes of the index-th (1-based) entry of a buffer holding entries of the kind.
    tDirStatus entry(UInt32 kind, UInt32 index, std::string& bytes) {
        UInt32 tag = 0, count = 0;
        if (!number(tag) || tag != kind || !number(count)) return eDSInvalidBuffFormat;
        if (index < 1) return eDSInvalidIndex;
        if (index > count) return eDSIndexOutOfRange;
        for (UInt32 at = 1; at <= index; ++at)
            if (!string(bytes)) return eDSCorruptBuffer;
        return eDSNoErr;
    }

  private:
    const char* data_;
    size_t size_;
    size_t position_ = 0;
};

// Writes the entries that fit into the buffer; the number written.
size_t writeEntries(tDataBufferPtr buffer, UInt32 kind, const std::vector<std::string>& entries) {
    std::string bytes;
    putNumber(bytes, kind);
    putNumber(bytes, 0);
    size_t written = 0;
    for (const std::string& entry : entries) {
        if (bytes.size() + sizeof(UInt32) + entry.size() > buffer->fBufferSize) break;
        putString(bytes, entry);
        ++written;
    }
    if (bytes.size() > buffer->fBufferSize) return 0;
    const auto count = UInt32(written);
    std::memcpy(bytes.data() + sizeof(UInt32), &count, sizeof count);
    std::memcpy(buffer->fBufferData, bytes.data(), bytes.size());
    buffer->fBufferLength = UInt32(bytes.size());
    return written;
}

Reader readerOf(const tDataBuffer* buffer) {
    return Reader(buffer->fBufferData, std::min(buffer->fBufferLength, buffer->fBufferSize));
}

} // namespace

bool writeNodeNames(tDataBufferPtr buffer, const std::vector<std::vector<std::string>>& names) {
    std::vector<std::string> entries;
    for (const auto& name : names) {
        std::string bytes;
        putStrings(bytes, name);
        entries.push_back(bytes);
    }
    return buffer->fBufferSize >= kHeaderSize &&
           writeEntries(buffer, kNodeNamesTag, entries) == entries.size();
}

tDirStatus readNodeName(const tDataBuffer* buffer, UInt32 index, std::vector<std::string>& name) {
    std::string bytes;
    if (tDirStatus status = readerOf(buffer).entry(kNodeNamesTag, index, bytes)) return status;
    Reader reader(bytes.data(), bytes.size());
    return reader.strings(name) ? eDSNoErr : eDSCorruptBuffer;
}

size_t writeRecords(tDataBufferPtr buffer, const std::vector<Record>& records) {
    if (buffer->fBufferSize < kHeaderSize) return 0;
    std::vector<std::string> entries;
    for (const Record& record : records)
        entries.push_back(encode(record));
    return writeEntries(buffer, kRecordsTag, entries);
}

tDirStatus readRecord(const tDataBuffer* buffer, UInt32 index, Record& record) {
    std::string bytes;
    if (tDirStatus status = readerOf(buffer).entry(kRecordsTag, index, bytes)) return status;
    Reader reader(bytes.data(), bytes.size());
    UInt32 attributeCount = 0;
    if (!reader.string(record.name) || !reader.string(record.type) ||
        !reader.number(attributeCount))
        return eDSCorruptBuffer;
    record.attributes.clear();
    for (; attributeCount > 0; --attributeCount) {
        Attribute attribute;
        if (!reader.string(attribute.type) || !reader.strings(attribute.values))
            return eDSCorruptBuffer;
        record.attributes.push_back(std::move(attribute));
    }
    return eDSNoErr;
}

} // namespace directory
