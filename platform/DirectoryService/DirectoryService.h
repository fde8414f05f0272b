// Directory services: a session, its nodes and attribute-value searches among their records.
// This stand-in serves the group records of the system's group database (through NSS, so
// whatever the system's name service answers) from the local node "/Local/Default", also
// reached as the search node "/Search". A group record's attributes are its name
// ("dsAttrTypeStandard:RecordName"), its group ID ("dsAttrTypeStandard:PrimaryGroupID") and
// its members ("dsAttrTypeStandard:GroupMembership"): the names of its member list followed
// by the users whose primary group it is, so that membership is the same as the group
// database gives.
//
// Results come back in a caller's data buffer and are read with dsGetDirNodeName and
// dsGetRecordEntry; what does not fit is left in continuation data for the next call with the
// same arguments. Whoever allocates a buffer, node, list or entry frees it with the matching
// call; a list built here is emptied with dsDataListDeallocate and then freed with free().
// References are checked: a closed or unknown one gives the matching eDSInvalid... status.
#pragma once

#include <MacTypes.h>

extern "C" {

typedef SInt32 tDirStatus;
enum : tDirStatus {
    eDSNoErr = 0,
    eDSOpenFailed = -14000,
    eDSOpenNodeFailed = -14002,
    eDSNodeNotFound = -14008,
    eDSAllocationFailed = -14050,
    eDSCorruptBuffer = -14060,
    eDSInvalidIndex = -14061,
    eDSIndexOutOfRange = -14062,
    eDSInvalidDirRef = -14073,
    eDSInvalidNodeRef = -14074,
    eDSInvalidAttrListRef = -14076,
    eDSInvalidAttrValueRef = -14077,
    eDSInvalidContinueData = -14078,
    eDSInvalidBuffFormat = -14079,
    eDSNullParameter = -14200,
    eDSNullDataBuff = -14201,
    eDSNullRecTypeList = -14207,
    eDSNullAttributeType = -14211,
    eDSNullDataList = -14215,
    eDSEmptyPattern2Match = -14250,
    eDSBufferTooSmall = -14260,
    eDSUnSupportedMatchType = -14262,
};

typedef UInt32 tDirPatternMatch;
enum : tDirPatternMatch {
    eDSExact = 0x2001,
    eDSLocalNodeNames = 0x2200,
    eDSSearchNodeName = 0x2201,
};

#define kDSStdRecordTypeGroups "dsRecTypeStandard:Groups"
#define kDSAttributesAll "dsAttributesAll"
#define kDSNAttrRecordName "dsAttrTypeStandard:RecordName"
#define kDSNAttrPrimaryGroupID "dsAttrTypeStandard:PrimaryGroupID"
#define kDSNAttrGroupMembership "dsAttrTypeStandard:GroupMembership"

typedef UInt32 tDirReference;
typedef UInt32 tDirNodeReference;
typedef UInt32 tAttributeListRef;
typedef UInt32 tAttributeValueListRef;
typedef void* tContextData; // null when there is nothing more
typedef UInt32 dsBool;

// fBufferSize bytes of data, of which fBufferLength are used.
struct tDataBuffer {
    UInt32 fBufferSize;
    UInt32 fBufferLength;
    char fBufferData[1];
};
typedef tDataBuffer* tDataBufferPtr;
typedef tDataBuffer tDataNode;
typedef tDataNode* tDataNodePtr;

// A list of data nodes (a node name is the list of its path's components).
struct tDataList {
    UInt32 fDataNodeCount;
    tDataNodePtr fDataListHead; // private chain of the nodes
};
typedef tDataList* tDataListPtr;

struct tAccessControlEntry {
    UInt32 fGuestAccessFlags;
    UInt32 fDirMemberFlags;
    UInt32 fDirNodeMemberFlags;
    UInt32 fOwnerFlags;
    UInt32 fAdministratorFlags;
};

struct tRecordEntry {
    UInt32 fReserved1;
    tAccessControlEntry fReserved2;
    UInt32 fRecordAttributeCount;
    tDataNode fRecordNameAndType; // 16-bit length and name, 16-bit length and type
};
typedef tRecordEntry* tRecordEntryPtr;

struct tAttributeEntry {
    UInt32 fReserved1;
    tAccessControlEntry fReserved2;
    UInt32 fAttributeValueCount;
    UInt32 fAttributeDataSize;
    UInt32 fAttributeValueMaxSize;
    tDataNode fAttributeSignature; // the attribute type
};
typedef tAttributeEntry* tAttributeEntryPtr;

struct tAttributeValueEntry {
    UInt32 fAttributeValueID;
    tDataNode fAttributeValueData; // the value, its length in fBufferLength, NUL after it
};
typedef tAttributeValueEntry* tAttributeValueEntryPtr;

tDirStatus dsOpenDirService(tDirReference* outDirRef);
tDirStatus dsCloseDirService(tDirReference inDirRef);

// Buffers and nodes; null when the directory reference is not open or memory runs out.
tDataBufferPtr dsDataBufferAllocate(tDirReference inDirRef, UInt32 inBufferSize);
tDirStatus dsDataBufferDeAllocate(tDirReference inDirRef, tDataBufferPtr inDataBufferPtr);
tDataNodePtr dsDataNodeAllocateString(tDirReference inDirRef, const char* inCString);
tDirStatus dsDataNodeDeAllocate(tDirReference inDirRef, tDataNodePtr inDataNodePtr);
// A list of the strings up to the terminating null argument.
tDataListPtr dsBuildListFromStrings(tDirReference inDirRef, const char* in1stCString, ...);
// Frees the list's nodes and empties it; the list itself stays the caller's.
tDirStatus dsDataListDeallocate(tDirReference inDirRef, tDataListPtr inDataList);

// The nodes of the type (eDSLocalNodeNames or eDSSearchNodeName; no pattern list) into the
// buffer, their number in outDirNodeCount.
tDirStatus dsFindDirNodes(tDirReference inDirRef, tDataBufferPtr outDataBuff,
                          tDataListPtr inNodeNamePattern, tDirPatternMatch inPatternMatchType,
                          UInt32* outDirNodeCount, tContextData* ioContinueData);
// The name of the node at the 1-based index of a dsFindDirNodes buffer; a new list.
tDirStatus dsGetDirNodeName(tDirReference inDirRef, tDataBufferPtr inOutDataBuff,
                            UInt32 inDirNodeIndex, tDataListPtr* outDataList);
tDirStatus dsOpenDirNode(tDirReference inDirRef, tDataListPtr inDirNodeName,
                         tDirNodeReference* outDirNodeRef);
tDirStatus dsCloseDirNode(tDirNodeReference inNodeRef);

// The records of the types whose attribute inAttrType (or any attribute, kDSAttributesAll)
// has a value equal to inPatt2Match (eDSExact only), with the requested attributes (or all),
// without values when inAttrInfoOnly. On return inOutMatchRecordCount holds the number of
// records in the buffer and ioContinueData, when not null, the rest; a record that does not fit
// an empty buffer gives eDSBufferTooSmall.
tDirStatus dsDoAttributeValueSearchWithData(tDirNodeReference inNodeRef, tDataBufferPtr outDataBuff,
                                            tDataListPtr inRecTypeList, tDataNodePtr inAttrType,
                                            tDirPatternMatch inPattMatchType,
                                            tDataNodePtr inPatt2Match,
                                            tDataListPtr inAttrTypeRequestList,
                                            dsBool inAttrInfoOnly, UInt32* inOutMatchRecordCount,
                                            tContextData* ioContinueData);
// Gives up continuation data that will not be used.
tDirStatus dsReleaseContinueData(tDirNodeReference inNodeRef, tContextData inContinueData);

// Readers of a search buffer, all indexes 1-based.
tDirStatus dsGetRecordEntry(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                            UInt32 inRecordEntryIndex, tAttributeListRef* outAttributeListRef,
                            tRecordEntryPtr* outRecordEntryPtr);
tDirStatus dsGetAttributeEntry(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                               tAttributeListRef inAttributeListRef, UInt32 inAttributeInfoIndex,
                               tAttributeValueListRef* outAttributeValueListRef,
                               tAttributeEntryPtr* outAttributeInfoPtr);
tDirStatus dsGetAttributeValue(tDirNodeReference inNodeRef, tDataBufferPtr inOutDataBuff,
                               UInt32 inAttributeValueIndex,
                               tAttributeValueListRef inAttributeValueListRef,
                               tAttributeValueEntryPtr* outAttributeValue);
tDirStatus dsCloseAttributeList(tAttributeListRef inAttributeListRef);
tDirStatus dsCloseAttributeValueList(tAttributeValueListRef inAttributeValueListRef);
tDirStatus dsDeallocRecordEntry(tDirReference inDirRef, tRecordEntryPtr inRecEntry);
tDirStatus dsDeallocAttributeEntry(tDirReference inDirRef, tAttributeEntryPtr inAttrEntry);
tDirStatus dsDeallocAttributeValueEntry(tDirReference inDirRef,
                                        tAttributeValueEntryPtr inAttrValueEntry);
}
