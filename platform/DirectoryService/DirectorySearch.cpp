// Attribute-value searches among the group records, and their continuation.
#include "DirectoryService.h"

#include "Private/DirectoryState.h"
#include "Private/RecordBuffer.h"

#include <algorithm>

using directory::state;

namespace {

bool contains(const std::vector<std::string>& strings, const std::string& text) {
    return std::find(strings.begin(), strings.end(), text) != strings.end();
}

bool matches(const directory::Record& record, const std::string& attributeType,
             const std::string& value) {
    return std::any_of(
        record.attributes.begin(), record.attributes.end(), [&](const auto& attribute) {
            return (attributeType == kDSAttributesAll || attribute.type == attributeType) &&
                   contains(attribute.values, value);
        });
}

// The record with only the requested attributes, their values left out when infoOnly.
directory::Record selected(directory::Record record, const std::vector<std::string>& requested,
                           bool infoOnly) {
    if (!contains(requested, kDSAttributesAll))
        std::erase_if(record.attributes,
                      [&](const auto& attribute) { return !contains(requested, attribute.type); });
    if (infoOnly)
        for (auto& attribute : record.attributes)
            attribute.values.clear();
    return record;
}

std::vector<directory::Record> search(const std::vector<std::string>& recordTypes,
                                      const std::string& attributeType, const std::string& value,
                                      const std::vector<std::string>& requested, bool infoOnly) {
    std::vector<directory::Record> found;
    if (!contains(recordTypes, kDSStdRecordTypeGroups)) return found;
    for (directory::Record& record : directory::readGroupRecords())
        if (matches(record, attributeType, value))
            found.push_back(selected(std::move(record), requested, infoOnly));
    return found;
}

} // namespace

tDirStatus dsDoAttributeValueSearchWithData(tDirNodeReference inNodeRef, tDataBufferPtr outDataBuff,
                                            tDataListPtr inRecTypeList, tDataNodePtr inAttrType,
                                            tDirPatternMatch inPattMatchType,
                                            tDataNodePtr inPatt2Match,
                                            tDataListPtr inAttrTypeRequestList,
                                            dsBool inAttrInfoOnly, UInt32* inOutMatchRecordCount,
                                            tContextData* ioContinueData) {
    std::lock_guard lock(state().mutex);
    if (!state().nodes.count(inNodeRef)) return eDSInvalidNodeRef;
    if (!outDataBuff) return eDSNullDataBuff;
    if (!inRecTypeList) return eDSNullRecTypeList;
    if (!inAttrType) return eDSNullAttributeType;
    if (!inPatt2Match) return eDSEmptyPattern2Match;
    if (!inAttrTypeRequestList || !inOutMatchRecordCount) return eDSNullParameter;
    if (inPattMatchType != eDSExact) return eDSUnSupportedMatchType;

    auto continuation = std::make_unique<directory::Continuation>();
    if (ioContinueData && *ioContinueData) {
        const auto carried = state().continuations.find(*ioContinueData);
        if (carried == state().continuations.end()) return eDSInvalidContinueData;
        continuation = std::move(carried->second);
        state().continuations.erase(carried);
    } else {
        continuation->rest =
            search(directory::stringsOf(inRecTypeList), directory::stringOf(inAttrType),
                   directory::stringOf(inPatt2Match), directory::stringsOf(inAttrTypeRequestList),
                   inAttrInfoOnly);
    }

    std::vector<directory::Record>& rest = continuation->rest;
    const size_t written = directory::writeRecords(outDataBuff, rest);
    if (written == 0 && !rest.empty()) {
        // The caller may try again with a larger buffer and the same continuation.
        if (ioContinueData && *ioContinueData)
            state().continuations[*ioContinueData] = std::move(continuation);
        return eDSBufferTooSmall;
    }
    *inOutMatchRecordCount = UInt32(written);
    rest.erase(rest.begin(), rest.begin() + ptrdiff_t(written));
    if (!ioContinueData) return eDSNoErr;
    *ioContinueData = nullptr;
    if (!rest.empty()) {
        *ioContinueData = continuation.get();
        state().continuations[*ioContinueData] = std::move(continuation);
    }
    return eDSNoErr;
}

tDirStatus dsReleaseContinueData(tDirNodeReference inNodeRef, tContextData inContinueData) {
    std::lock_guard lock(state().mutex);
    if (!state().nodes.count(inNodeRef)) return eDSInvalidNodeRef;
    return state().continuations.erase(inContinueData) ? eDSNoErr : eDSInvalidContinueData;
}
