// Administrator tests: the group database read directly, and the directory service.
#include "DesktopUtilities.h"

#include <DirectoryService.h>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kAdminGroupName = "admin";
constexpr UInt32 kDirectoryBufferSize = 10240;

// The login name; without a login session (no terminal or login record, as for a program
// started by a service) the name of the user the process runs as.
std::string LoginName() {
    if (const char* name = getlogin()) return name;
    if (const passwd* user = getpwuid(getuid())) return user->pw_name;
    return std::string();
}

bool NamesMember(char** members, const char* userName) {
    for (; members && *members; ++members)
        if (std::strcmp(*members, userName) == 0) return true;
    return false;
}

} // namespace

bool IsUserAdmin() {
    const std::string login = LoginName();
    return !login.empty() && CheckUserGroups(login.c_str(), kAdminGroupName);
}

bool CheckUserGroups(const char* userName, const char* groupName) {
    const passwd* user = userName ? getpwnam(userName) : nullptr;
    if (!user) {
        std::fputs("groups: no such user.\n", stderr);
        return false;
    }
    const gid_t primaryGroup = user->pw_gid;
    bool member = false;
    // The scan starts at the beginning of the database each time and closes it afterwards.
    setgrent();
    while (const group* entry = getgrent()) {
        if (!groupName || std::strcmp(entry->gr_name, groupName) != 0) continue;
        if (entry->gr_gid == primaryGroup) {
            member = true;
            break;
        }
        if (NamesMember(entry->gr_mem, userName)) member = true;
    }
    endgrent();
    return member;
}

namespace {

// The directory service's resources of one administrator test, freed on every path.
class DirectorySession {
  public:
    ~DirectorySession() {
        for (tDataListPtr list : {nodeName, recordTypes, requestedAttributes})
            if (list) {
                dsDataListDeallocate(service, list);
                std::free(list);
            }
        for (tDataNodePtr node : {searchedAttribute, searchedValue})
            if (node) dsDataNodeDeAllocate(service, node);
        if (continuation) dsReleaseContinueData(node, continuation);
        if (buffer) dsDataBufferDeAllocate(service, buffer);
        if (node) dsCloseDirNode(node);
        if (service) dsCloseDirService(service);
    }

    // Opens the service and the first local node; false after writing the failing step.
    bool Open() {
        if (dsOpenDirService(&service) != eDSNoErr) return Fail("dsOpenDirService failed!");
        if (!(buffer = dsDataBufferAllocate(service, kDirectoryBufferSize)))
            return Fail("dsDataBufferAllocate failed!");
        UInt32 nodeCount = 0;
        tContextData findContinuation = nullptr;
        if (dsFindDirNodes(service, buffer, nullptr, eDSLocalNodeNames, &nodeCount,
                           &findContinuation) != eDSNoErr ||
            nodeCount < 1 || findContinuation)
            return Fail("dsFindDirNodes failed!");
        if (dsGetDirNodeName(service, buffer, 1, &nodeName) != eDSNoErr)
            return Fail("dsGetDirNodeName failed!");
        dsDataBufferDeAllocate(service, buffer);
        buffer = dsDataBufferAllocate(service, kDirectoryBufferSize);
        return buffer && dsOpenDirNode(service, nodeName, &node) == eDSNoErr;
    }

    // True when a member value of a group record that holds "admin" is the login name.
    bool AdminGroupNames(const std::string& login) {
        recordTypes = dsBuildListFromStrings(service, kDSStdRecordTypeGroups, nullptr);
        requestedAttributes = dsBuildListFromStrings(service, kDSNAttrGroupMembership, nullptr);
        searchedAttribute = dsDataNodeAllocateString(service, kDSAttributesAll);
        searchedValue = dsDataNodeAllocateString(service, kAdminGroupName);
        if (!recordTypes || !requestedAttributes || !searchedAttribute || !searchedValue)
            return false;
        do {
            UInt32 recordCount = 0;
            if (dsDoAttributeValueSearchWithData(node, buffer, recordTypes, searchedAttribute,
                                                 eDSExact, searchedValue, requestedAttributes,
                                                 false, &recordCount, &continuation) != eDSNoErr)
                return false;
            for (UInt32 record = 1; record <= recordCount && !unreadable; ++record)
                if (RecordNames(record, login)) return true;
        } while (continuation && !unreadable);
        return false;
    }

  private:
    static bool Fail(const char* message) {
        std::fputs(message, stderr);
        return false;
    }

    // True when one of the record's values is the login name; a value that cannot be read
    // ends the whole search.
    bool RecordNames(UInt32 recordIndex, const std::string& login) {
        tAttributeListRef attributes = 0;
        tRecordEntryPtr record = nullptr;
        if (dsGetRecordEntry(node, buffer, recordIndex, &attributes, &record) != eDSNoErr)
            return false;
        bool found = false;
        for (UInt32 index = 1; !found && !unreadable && index <= record->fRecordAttributeCount;
             ++index) {
            tAttributeValueListRef values = 0;
            tAttributeEntryPtr attribute = nullptr;
            if (dsGetAttributeEntry(node, buffer, attributes, index, &values, &attribute) !=
                eDSNoErr)
                break;
            for (UInt32 value = 1; !found && value <= attribute->fAttributeValueCount; ++value) {
                tAttributeValueEntryPtr entry = nullptr;
                if (dsGetAttributeValue(node, buffer, value, values, &entry) != eDSNoErr) {
                    unreadable = true;
                    break;
                }
                // The whole value must be the name: "faxadmin" is not "fax".
                const tDataNode& data = entry->fAttributeValueData;
                found = data.fBufferLength == login.size() &&
                        std::memcmp(data.fBufferData, login.data(), login.size()) == 0;
                dsDeallocAttributeValueEntry(service, entry);
            }
            dsCloseAttributeValueList(values);
            dsDeallocAttributeEntry(service, attribute);
        }
        dsCloseAttributeList(attributes);
        dsDeallocRecordEntry(service, record);
        return found;
    }

    tDirReference service = 0;
    tDirNodeReference node = 0;
    tDataBufferPtr buffer = nullptr;
    tDataListPtr nodeName = nullptr;
    tDataListPtr recordTypes = nullptr;
    tDataListPtr requestedAttributes = nullptr;
    tDataNodePtr searchedAttribute = nullptr;
    tDataNodePtr searchedValue = nullptr;
    tContextData continuation = nullptr;
    bool unreadable = false;
};

} // namespace

bool IsUserAdmin_ADSafe() {
    const std::string login = LoginName();
    if (login.empty()) return false;
    DirectorySession session;
    return session.Open() && session.AdminGroupNames(login);
}
