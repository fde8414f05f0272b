// Sessions, nodes, data buffers and lists, and the readers of search results.
#include "DirectoryService.h"

#include "Private/DirectoryState.h"
#include "Private/RecordBuffer.h"

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <cstring>

using directory::state;

namespace directory {

State& state() {
    static State instance;
    return instance;
}

void* allocateWithNode(size_t headerSize, size_t nodeOffset, const std::string& bytes) {
    const size_t dataOffset = nodeOffset + offsetof(tDataNode, fBufferData);
    void* block = std::calloc(1, std::max(headerSize, dataOffset + bytes.size() + 1));
    if (!block) return nullptr;
    auto* node = reinterpret_cast<tDataNode*>(static_cast<char*>(block) + nodeOffset);
    node->fBufferSize = UInt32(bytes.size() + 1);
    node->fBufferLength = UInt32(bytes.size());
    std::memcpy(node->fBufferData, bytes.data(), bytes.size());
    return block;
}

} // namespace directory

namespace {

// A node of a data list: the nodes are chained through the word in front of each.
struct ListNode {
    ListNode* next;
    tDataNode node;
};

ListNode* listNodeOf(tDataNodePtr node) {
    return node ? reinterpret_cast<ListNode*>(reinterpret_cast<char*>(node) -
                                              offsetof(ListNode, node))
                : nullptr;
}

bool serviceOpen(tDirReference reference) {
    return state().services.count(reference) != 0;
}

} // namespace

namespace directory {

std::vector<std::string> stringsOf(const tDataList* list) {
    std::vector<std::string> strings;
    if (!list) return strings;
    for (ListNode* item = listNodeOf(list->fDataListHead); item; item = item->next)
        strings.emplace_back(item->node.fBufferData, item->node.fBufferLength);
    return strings;
}

std::string stringOf(const tDataNode* node) {
    return node ? std::string(node->fBufferData, node->fBufferLength) : std::string();
}

tDataListPtr newList(const std::vector<std::string>& strings) {
    auto* list = static_cast<tDataListPtr>(std::calloc(1, sizeof(tDataList)));
    if (!list) return nullptr;
    ListNode* previous = nullptr;
    for (const std::string& text : strings) {
        auto* item = static_cast<ListNode*>(
            allocateWithNode(sizeof(ListNode), offsetof(ListNode, node), text));
        if (!item) {
            dsDataListDeallocate(0, list);
            std::free(list);
            return nullptr;
        }
        if (previous)
            previous->next = item;
        else
            list->fDataListHead = &item->node;
        previous = item;
        ++list->fDataNodeCount;
    }
    return list;
}

} // namespace directory

tDirStatus dsOpenDirService(tDirReference* outDirRef) {
    if (!outDirRef) return eDSNullParameter;
    std::lock_guard lock(state().mutex);
    *outDirRef = state().newReference();
    state().services.insert(*outDirRef);
    return eDSNoErr;
}

tDirStatus dsCloseDirService(tDirReference inDirRef) {
    std::lock_guard lock(state().mutex);
    return state().services.erase(inDirRef) ? eDSNoErr : eDSInvalidDirRef;
}

tDataBufferPtr dsDataBufferAllocate(tDirReference inDirRef, UInt32 inBufferSize) {
    {
        std::lock_guard lock(state().mutex);
        if (!serviceOpen(inDirRef)) return nullptr;
    }
    auto* buffer = static_cast<tDataBufferPtr>(
        std::calloc(1, offsetof(tDataBuffer, fBufferData) + std::max<UInt32>(inBufferSize, 1)));
    if (buffer) buffer->fBufferSize = inBufferSize;
    return buffer;
}

tDirStatus dsDataBufferDeAllocate(tDirReference, tDataBufferPtr inDataBufferPtr) {
    if (!inDataBufferPtr) return eDSNullDataBuff;
    std::free(inDataBufferPtr);
    return eDSNoErr;
}

tDataNodePtr dsDataNodeAllocateString(tDirReference inDirRef, const char* inCString) {
    {
        std::lock_guard lock(state().mutex);
        if (!serviceOpen(inDirRef) || !inCString) return nullptr;
    }
    return static_cast<tDataNodePtr>(directory::allocateWithNode(0, 0, inCString));
}

tDirStatus dsDataNodeDeAllocate(tDirReference, tDataNodePtr inDataNodePtr) {
    if (!inDataNodePtr) return eDSNullParameter;
    std::free(inDataNodePtr);
    return eDSNoErr;
}

tDataListPtr dsBuildListFromStrings(tDirReference inDirRef, const char* in1stCString, ...) {
    {
        std::lock_guard lock(state().mutex);
        if (!serviceOpen(inDirRef)) return nullptr;
    }
    std::vector<std::string> strings;
    va_list arguments;
    va_start(arguments, in1stCString);
    for (const char* text = in1stCString; text; text = va_arg(arguments, const char*))
        strings.emplace_back(text);
    va_end(arguments);
    return directory::newList(strings);
}

tDirStatus dsDataListDeallocate(tDirReference, tDataListPtr inDataList) {
    if (!inDataList) return eDSNullDataList;
    for (ListNode* item = listNodeOf(inDataList->fDataListHead); item;) {
        ListNode* next = item->next;
        std::free(item);
        item = next;
    }
    inDataList->fDataListHead = nullptr;
    inDataList->fDataNodeCount = 0;
    return eDSNoErr;
}

tDirStatus dsFindDirNodes(tDirReference inDirRef, tDataBufferPtr outDataBuff,
                          tDataListPtr inNodeNamePattern, tDirPatternMatch inPatternMatchType,
                          UInt32* outDirNodeCount, tContextData* ioContinueData) {
    std::lock_guard lock(state().mutex);
    if (!serviceOpen(inDirRef)) return eDSInvalidDirRef;
    if (!outDataBuff) return eDSNullDataBuff;
    if (!outDirNodeCount) return eDSNullParameter;
    if (inNodeNamePattern) return eDSUnSupportedMatchType;
    std::vector<std::string> name;
    if (inPatternMatchType == eDSLocalNodeNames)
        name = {"Local", "Default"};
    else if (inPatternMatchType == eDSSearchNodeName)
        name = {"Search"};
    else
        return eDSUnSupportedMatchType;
    if (!directory::writeNodeNames(outDataBuff, {name})) return eDSBufferTooSmall;
    *outDirNodeCount = 1;
    if (ioContinueData) *ioContinueData = nullptr;
    return eDSNoErr;
}

tDirStatus dsGetDirNodeName(tDirReference inDirRef, tDataBufferPtr inOutDataBuff,
                            UInt32 inDirNodeIndex, tDataListPtr* outDataList) {
    {
        std::lock_guard lock(state().mutex);
        if (!serviceOpen(inDirRef)) return eDSInvalidDirRef;
    }
    if (!inOutDataBuff) return eDSNullDataBuff;
    if (!outDataList) return eDSNullParameter;
    std::vector<std::string> name;
    if (tDirStatus status = directory::readNodeName(inOutDataBuff, inDirNodeIndex, name))
        return status;
    *outDataList = directory::newList(name);
    return *outDataList ? eDSNoErr : eDSAllocationFailed;
}

tDirStatus dsOpenDirNode(tDirReference inDirRef, tDataListPtr inDirNodeName,
                         tDirNodeReference* outDirNodeRef) {
    std::lock_guard lock(state().mutex);
    if (!serviceOpen(inDirRef)) return eDSInvalidDirRef;
    if (!inDirNodeName) return eDSNullDataList;
    if (!outDirNodeRef) return eDSNullParameter;
    const auto name = directory::stringsOf(inDirNodeName);
    if (name != std::vector<std::string>{"Local", "Default"} &&
        name != std::vector<std::string>{"Search"})
        return eDSNodeNotFound;
    *outDirNodeRef = state().newReference();
    state().nodes.insert(*outDirNodeRef);
    return eDSNoErr;
}

tDirStatus dsCloseDirNode(tDirNodeReference inNodeRef) {
    std::lock_guard lock(state().mutex);
    return state().nodes.erase(inNodeRef) ? eDSNoErr : eDSInvalidNodeRef;
}

tDirStatus dsGetRecordEntry(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                            UInt32 inRecordEntryIndex, tAttributeListRef* outAttributeListRef,
                            tRecordEntryPtr* outRecordEntryPtr) {
    std::lock_guard lock(state().mutex);
    if (!state().nodes.count(inNodeRef)) return eDSInvalidNodeRef;
    if (!inOutDataBuff) return eDSNullDataBuff;
    if (!outAttributeListRef || !outRecordEntryPtr) return eDSNullParameter;
    directory::Record record;
    if (tDirStatus status = directory::readRecord(inOutDataBuff, inRecordEntryIndex, record))
        return status;
    // The name and the type, each after its 16-bit length.
    std::string nameAndType;
    for (const std::string* text : {&record.name, &record.type}) {
        const auto length = UInt16(std::min<size_t>(text->size(), 0xFFFF));
        nameAndType.append(reinterpret_cast<const char*>(&length), sizeof length);
        nameAndType.append(*text, 0, length);
    }
    auto* entry = static_cast<tRecordEntryPtr>(directory::allocateWithNode(
        sizeof(tRecordEntry), offsetof(tRecordEntry, fRecordNameAndType), nameAndType));
    if (!entry) return eDSAllocationFailed;
    entry->fRecordAttributeCount = UInt32(record.attributes.size());
    *outAttributeListRef = state().newReference();
    state().attributeLists[*outAttributeListRef] = std::move(record.attributes);
    *outRecordEntryPtr = entry;
    return eDSNoErr;
}

tDirStatus dsGetAttributeEntry(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                               tAttributeListRef inAttributeListRef, UInt32 inAttributeInfoIndex,
                               tAttributeValueListRef* outAttributeValueListRef,
                               tAttributeEntryPtr* outAttributeInfoPtr) {
    std::lock_guard lock(state().mutex);
    if (!state().nodes.count(inNodeRef)) return eDSInvalidNodeRef;
    if (!inOutDataBuff) return eDSNullDataBuff;
    if (!outAttributeValueListRef || !outAttributeInfoPtr) return eDSNullParameter;
    const auto list = state().attributeLists.find(inAttributeListRef);
    if (list == state().attributeLists.end()) return eDSInvalidAttrListRef;
    if (inAttributeInfoIndex < 1) return eDSInvalidIndex;
    if (inAttributeInfoIndex > list->second.size()) return eDSIndexOutOfRange;
    const directory::Attribute& attribute = list->second[inAttributeInfoIndex - 1];
    auto* entry = static_cast<tAttributeEntryPtr>(directory::allocateWithNode(
        sizeof(tAttributeEntry), offsetof(tAttributeEntry, fAttributeSignature), attribute.type));
    if (!entry) return eDSAllocationFailed;
    entry->fAttributeValueCount = UInt32(attribute.values.size());
    for (const std::string& value : attribute.values) {
        entry->fAttributeDataSize += UInt32(value.size());
        entry->fAttributeValueMaxSize =
            std::max(entry->fAttributeValueMaxSize, UInt32(value.size()));
    }
    *outAttributeValueListRef = state().newReference();
    state().valueLists[*outAttributeValueListRef] = attribute.values;
    *outAttributeInfoPtr = entry;
    return eDSNoErr;
}

tDirStatus dsGetAttributeValue(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                               UInt32 inAttributeValueIndex,
                               tAttributeValueListRef inAttributeValueListRef,
                               tAttributeValueEntryPtr* outAttributeValue) {
    std::lock_guard lock(state().mutex);
    if (!state().nodes.count(inNodeRef)) return eDSInvalidNodeRef;
    if (!inOutDataBuff) return eDSNullDataBuff;
    if (!outAttributeValue) return eDSNullParameter;
    const auto list = state().valueLists.find(inAttributeValueListRef);
    if (list == state().valueLists.end()) return eDSInvalidAttrValueRef;
    if (inAttributeValueIndex < 1) return eDSInvalidIndex;
    if (inAttributeValueIndex > list->second.size()) return eDSIndexOutOfRange;
    auto* entry = static_cast<tAttributeValueEntryPtr>(directory::allocateWithNode(
        sizeof(tAttributeValueEntry), offsetof(tAttributeValueEntry, fAttributeValueData),
        list->second[inAttributeValueIndex - 1]));
    if (!entry) return eDSAllocationFailed;
    entry->fAttributeValueID = inAttributeValueIndex;
    *outAttributeValue = entry;
    return eDSNoErr;
}

tDirStatus dsCloseAttributeList(tAttributeListRef inAttributeListRef) {
    std::lock_guard lock(state().mutex);
    return state().attributeLists.erase(inAttributeListRef) ? eDSNoErr : eDSInvalidAttrListRef;
}

tDirStatus dsCloseAttributeValueList(tAttributeValueListRef inAttributeValueListRef) {
    std::lock_guard lock(state().mutex);
    return state().valueLists.erase(inAttributeValueListRef) ? eDSNoErr : eDSInvalidAttrValueRef;
}

tDirStatus dsDeallocRecordEntry(tDirReference, tRecordEntryPtr inRecEntry) {
    if (!inRecEntry) return eDSNullParameter;
    std::free(inRecEntry);
    return eDSNoErr;
}

tDirStatus dsDeallocAttributeEntry(tDirReference, tAttributeEntryPtr inAttrEntry) {
    if (!inAttrEntry) return eDSNullParameter;
    std::free(inAttrEntry);
    return eDSNoErr;
}

tDirStatus dsDeallocAttributeValueEntry(tDirReference, tAttributeValueEntryPtr inAttrValueEntry) {
    if (!inAttrValueEntry) return eDSNullParameter;
    std::free(inAttrValueEntry);
    return eDSNoErr;
}
