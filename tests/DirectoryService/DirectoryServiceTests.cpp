// The directory service's group records against the test user database (TestUserDatabase.h):
// finding and opening the local node, exact searches with their continuation, and the
// statuses of bad arguments.
#include <DirectoryService.h>
#include <TestUserDatabase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

typedef std::map<std::string, std::vector<std::string>> Attributes;

class DirectoryServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(eDSNoErr, dsOpenDirService(&service));
        tDataBufferPtr names = dsDataBufferAllocate(service, 512);
        UInt32 count = 0;
        tContextData continuation = reinterpret_cast<tContextData>(1);
        ASSERT_EQ(eDSNoErr, dsFindDirNodes(service, names, nullptr, eDSLocalNodeNames, &count,
                                           &continuation));
        EXPECT_EQ(1u, count);
        EXPECT_EQ(nullptr, continuation);
        tDataListPtr name = nullptr;
        ASSERT_EQ(eDSNoErr, dsGetDirNodeName(service, names, 1, &name));
        char* path = dsGetPathFromList(service, name, "/");
        EXPECT_STREQ("/Local/Default", path);
        std::free(path);
        EXPECT_EQ(eDSIndexOutOfRange, dsGetDirNodeName(service, names, 2, &name));
        ASSERT_EQ(eDSNoErr, dsOpenDirNode(service, name, &node));
        dsDataListDeallocate(service, name);
        std::free(name);
        dsDataBufferDeAllocate(service, names);
    }
    void TearDown() override {
        EXPECT_EQ(eDSNoErr, dsCloseDirNode(node));
        EXPECT_EQ(eDSNoErr, dsCloseDirService(service));
    }

    // One call of an exact group search asking for every attribute: each record's name and
    // its attributes. The status goes to status.
    std::map<std::string, Attributes> searchOnce(const char* attributeType, const char* value,
                                                 tDataBufferPtr buffer, tContextData* continuation,
                                                 tDirStatus& status) {
        tDataListPtr types = dsBuildListFromStrings(service, kDSStdRecordTypeGroups, nullptr);
        tDataListPtr wanted = dsBuildListFromStrings(service, kDSAttributesAll, nullptr);
        tDataNodePtr attribute = dsDataNodeAllocateString(service, attributeType);
        tDataNodePtr pattern = dsDataNodeAllocateString(service, value);
        UInt32 count = 0;
        status = dsDoAttributeValueSearchWithData(node, buffer, types, attribute, eDSExact, pattern,
                                                  wanted, false, &count, continuation);
        std::map<std::string, Attributes> records;
        for (UInt32 index = 1; status == eDSNoErr && index <= count; ++index)
            records.insert(readRecord(buffer, index));
        for (tDataListPtr list : {types, wanted}) {
            dsDataListDeallocate(service, list);
            std::free(list);
        }
        dsDataNodeDeAllocate(service, attribute);
        dsDataNodeDeAllocate(service, pattern);
        return records;
    }

    std::pair<std::string, Attributes> readRecord(tDataBufferPtr buffer, UInt32 index) {
        tAttributeListRef list = 0;
        tRecordEntryPtr record = nullptr;
        EXPECT_EQ(eDSNoErr, dsGetRecordEntry(node, buffer, index, &list, &record));
        const char* nameAndType = record->fRecordNameAndType.fBufferData;
        const std::string name(nameAndType + 2, *reinterpret_cast<const UInt16*>(nameAndType));
        Attributes attributes;
        for (UInt32 a = 1; a <= record->fRecordAttributeCount; ++a) {
            tAttributeValueListRef values = 0;
            tAttributeEntryPtr entry = nullptr;
            EXPECT_EQ(eDSNoErr, dsGetAttributeEntry(node, buffer, list, a, &values, &entry));
            auto& texts = attributes[entry->fAttributeSignature.fBufferData];
            for (UInt32 v = 1; v <= entry->fAttributeValueCount; ++v) {
                tAttributeValueEntryPtr value = nullptr;
                EXPECT_EQ(eDSNoErr, dsGetAttributeValue(node, buffer, v, values, &value));
                texts.emplace_back(value->fAttributeValueData.fBufferData);
                dsDeallocAttributeValueEntry(service, value);
            }
            tAttributeValueEntryPtr beyond = nullptr;
            EXPECT_EQ(eDSIndexOutOfRange,
                      dsGetAttributeValue(node, buffer, entry->fAttributeValueCount + 1, values,
                                          &beyond));
            dsCloseAttributeValueList(values);
            dsDeallocAttributeEntry(service, entry);
        }
        EXPECT_EQ(eDSNoErr, dsCloseAttributeList(list));
        EXPECT_EQ(eDSInvalidAttrListRef, dsCloseAttributeList(list));
        dsDeallocRecordEntry(service, record);
        return {name, attributes};
    }

    tDirReference service = 0;
    tDirNodeReference node = 0;
};

TEST_F(DirectoryServiceTest, AGroupListsItsMembersThenTheUsersWhosePrimaryGroupItIs) {
    tDataBufferPtr buffer = dsDataBufferAllocate(service, 10240);
    tContextData continuation = nullptr;
    tDirStatus status = 0;
    const auto records = searchOnce(kDSAttributesAll, "admin", buffer, &continuation, status);
    ASSERT_EQ(eDSNoErr, status);
    EXPECT_EQ(nullptr, continuation);
    ASSERT_EQ(1u, records.size());
    const Attributes& admin = records.at("admin");
    EXPECT_EQ((std::vector<std::string>{kListedAdmin, kTestLoginUser}),
              admin.at(kDSNAttrGroupMembership));
    EXPECT_EQ((std::vector<std::string>{std::to_string(kAdminGroupID)}),
              admin.at(kDSNAttrPrimaryGroupID));

    // A member's name finds every group the user belongs to.
    const auto groups = searchOnce(kDSNAttrGroupMembership, kListedAdmin, buffer, nullptr, status);
    EXPECT_EQ(2u, groups.size());
    EXPECT_TRUE(searchOnce(kDSNAttrRecordName, "wheel", buffer, nullptr, status).empty());
    dsDataBufferDeAllocate(service, buffer);
}

TEST_F(DirectoryServiceTest, RecordsThatDoNotFitTheBufferComeWithTheNextCall) {
    tDataBufferPtr small = dsDataBufferAllocate(service, 256); // one group record fits
    tContextData continuation = nullptr;
    tDirStatus status = 0;
    auto first = searchOnce(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status);
    ASSERT_EQ(eDSNoErr, status);
    ASSERT_EQ(1u, first.size());
    ASSERT_NE(nullptr, continuation);
    const auto second =
        searchOnce(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status);
    ASSERT_EQ(eDSNoErr, status);
    EXPECT_EQ(nullptr, continuation);
    first.insert(second.begin(), second.end());
    EXPECT_EQ(2u, first.size()) << "admin and staff";

    tDataBufferPtr tiny = dsDataBufferAllocate(service, 16);
    searchOnce(kDSAttributesAll, "admin", tiny, nullptr, status);
    EXPECT_EQ(eDSBufferTooSmall, status);
    searchOnce(kDSNAttrGroupMembership, kListedAdmin, small, &continuation, status);
    ASSERT_NE(nullptr, continuation);
    EXPECT_EQ(eDSNoErr, dsReleaseContinueData(node, continuation));
    EXPECT_EQ(eDSInvalidContinueData, dsReleaseContinueData(node, continuation));
    dsDataBufferDeAllocate(service, small);
    dsDataBufferDeAllocate(service, tiny);
}

TEST_F(DirectoryServiceTest, UnknownReferencesNodesAndMatchTypesAreRefused) {
    tDataBufferPtr buffer = dsDataBufferAllocate(service, 1024);
    UInt32 count = 0;
    EXPECT_EQ(eDSUnSupportedMatchType,
              dsFindDirNodes(service, buffer, nullptr, eDSExact, &count, nullptr));
    EXPECT_EQ(eDSInvalidDirRef,
              dsFindDirNodes(service + 100, buffer, nullptr, eDSLocalNodeNames, &count, nullptr));
    EXPECT_EQ(nullptr, dsDataBufferAllocate(service + 100, 16));

    tDataListPtr elsewhere = dsBuildListFromStrings(service, "Remote", "LDAP", nullptr);
    tDirNodeReference other = 0;
    EXPECT_EQ(eDSNodeNotFound, dsOpenDirNode(service, elsewhere, &other));
    dsDataListDeallocate(service, elsewhere);
    std::free(elsewhere);

    tDataListPtr types = dsBuildListFromStrings(service, kDSStdRecordTypeGroups, nullptr);
    tDataNodePtr attribute = dsDataNodeAllocateString(service, kDSAttributesAll);
    tDataNodePtr pattern = dsDataNodeAllocateString(service, "adm");
    EXPECT_EQ(eDSUnSupportedMatchType,
              dsDoAttributeValueSearchWithData(node, buffer, types, attribute, 0x2002, pattern,
                                               types, false, &count, nullptr));
    EXPECT_EQ(eDSInvalidNodeRef,
              dsDoAttributeValueSearchWithData(node + 100, buffer, types, attribute, eDSExact,
                                               pattern, types, false, &count, nullptr));
    tAttributeListRef list = 0;
    tRecordEntryPtr record = nullptr;
    EXPECT_EQ(eDSInvalidBuffFormat, dsGetRecordEntry(node, buffer, 1, &list, &record))
        << "the buffer holds no search result";
    dsDataListDeallocate(service, types);
    std::free(types);
    dsDataNodeDeAllocate(service, attribute);
    dsDataNodeDeAllocate(service, pattern);
    dsDataBufferDeAllocate(service, buffer);
}

} // namespace
