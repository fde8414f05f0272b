// The directory service against the test user database (TestUserDatabase.h): searches whose
// records do not fit the buffer, and the statuses of bad arguments. What a search finds and
// reading its records are the user-group test's.
#include <DirectoryService.h>
#include <TestUserDatabase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

class DirectoryServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(eDSNoErr, dsOpenDirService(&service));
        tDataBufferPtr names = dsDataBufferAllocate(service, 512);
        UInt32 count = 0;
        ASSERT_EQ(eDSNoErr,
                  dsFindDirNodes(service, names, nullptr, eDSLocalNodeNames, &count, nullptr));
        tDataListPtr name = nullptr;
        EXPECT_EQ(eDSIndexOutOfRange, dsGetDirNodeName(service, names, 2, &name));
        ASSERT_EQ(eDSNoErr, dsGetDirNodeName(service, names, 1, &name));
        ASSERT_EQ(eDSNoErr, dsOpenDirNode(service, name, &node));
        freeList(name);
        dsDataBufferDeAllocate(service, names);
    }
    void TearDown() override {
        EXPECT_EQ(eDSNoErr, dsCloseDirNode(node));
        EXPECT_EQ(eDSNoErr, dsCloseDirService(service));
    }

    void freeList(tDataListPtr list) const {
        dsDataListDeallocate(service, list);
        std::free(list);
    }

    // One call of an exact group search for every attribute: the names of the records it
    // returned. The status goes to status.
    std::set<std::string> search(const char* attributeType, const char* value,
                                 tDataBufferPtr buffer, tContextData* continuation,
                                 tDirStatus& status) {
        tDataListPtr types = dsBuildListFromStrings(service, kDSStdRecordTypeGroups, nullptr);
        tDataListPtr wanted = dsBuildListFromStrings(service, kDSAttributesAll, nullptr);
        tDataNodePtr attribute = dsDataNodeAllocateString(service, attributeType);
        tDataNodePtr pattern = dsDataNodeAllocateString(service, value);
        UInt32 count = 0;
        status = dsDoAttributeValueSearchWithData(node, buffer, types, attribute, eDSExact, pattern,
                                                  wanted, false, &count, continuation);
        std::set<std::string> names;
        for (UInt32 index = 1; status == eDSNoErr && index <= count; ++index)
            names.insert(readRecord(buffer, index));
        freeList(types);
        freeList(wanted);
        dsDataNodeDeAllocate(service, attribute);
        dsDataNodeDeAllocate(service, pattern);
        return names;
    }

    std::string readRecord(tDataBufferPtr buffer, UInt32 index) {
        tAttributeListRef list = 0;
        tRecordEntryPtr record = nullptr;
        EXPECT_EQ(eDSNoErr, dsGetRecordEntry(node, buffer, index, &list, &record));
        const char* nameAndType = record->fRecordNameAndType.fBufferData;
        const std::string name(nameAndType + 2, *reinterpret_cast<const UInt16*>(nameAndType));
        dsCloseAttributeList(list);
        dsDeallocRecordEntry(service, record);
        return name;
    }

    tDirReference service = 0;
    tDirNodeReference node = 0;
};

TEST_F(DirectoryServiceTest, RecordsThatDoNotFitTheBufferComeWithTheNextCall) {
    tDataBufferPtr small = dsDataBufferAllocate(service, 256); // one group record fits
    tContextData continuation = nullptr;
    tDirStatus status = 0;
    auto found = search(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status);
    ASSERT_EQ(eDSNoErr, status);
    ASSERT_EQ(1u, found.size());
    ASSERT_NE(nullptr, continuation);
    found.merge(search(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status));
    ASSERT_EQ(eDSNoErr, status);
    EXPECT_EQ(nullptr, continuation);
    EXPECT_EQ((std::set<std::string>{"admin", "staff"}), found);

    search(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status);
    ASSERT_NE(nullptr, continuation);
    EXPECT_EQ(eDSNoErr, dsReleaseContinueData(node, continuation));
    EXPECT_EQ(eDSInvalidContinueData, dsReleaseContinueData(node, continuation));
    tDataBufferPtr tiny = dsDataBufferAllocate(service, 16);
    search(kDSAttributesAll, "admin", tiny, nullptr, status);
    EXPECT_EQ(eDSBufferTooSmall, status);
    dsDataBufferDeAllocate(service, small);
    dsDataBufferDeAllocate(service, tiny);
}

TEST_F(DirectoryServiceTest, UnknownNodesAndMatchTypesAreRefused) {
    tDataBufferPtr buffer = dsDataBufferAllocate(service, 1024);
    UInt32 count = 0;
    EXPECT_EQ(eDSUnSupportedMatchType,
              dsFindDirNodes(service, buffer, nullptr, eDSExact, &count, nullptr));
    tDataListPtr elsewhere = dsBuildListFromStrings(service, "Remote", "LDAP", nullptr);
    tDirNodeReference other = 0;
    EXPECT_EQ(eDSNodeNotFound, dsOpenDirNode(service, elsewhere, &other));
    freeList(elsewhere);
    tAttributeListRef list = 0;
    tRecordEntryPtr record = nullptr;
    EXPECT_EQ(eDSInvalidBuffFormat, dsGetRecordEntry(node, buffer, 1, &list, &record))
        << "the buffer holds no search result";
    dsDataBufferDeAllocate(service, buffer);
}

} // namespace
