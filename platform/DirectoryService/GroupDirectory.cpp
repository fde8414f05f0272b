// Group records from getgrent and getpwent, read in one pass each.
#include "Private/GroupDirectory.h"

#include "DirectoryService.h"

#include <grp.h>
#include <pwd.h>

#include <algorithm>
#include <map>
#include <mutex>

namespace directory {

namespace {

// The databases' enumeration state is process-wide.
std::mutex& enumerationMutex() {
    static std::mutex mutex;
    return mutex;
}

std::multimap<gid_t, std::string> usersByPrimaryGroup() {
    std::multimap<gid_t, std::string> users;
    setpwent();
    while (const passwd* user = getpwent())
        users.emplace(user->pw_gid, user->pw_name);
    endpwent();
    return users;
}

} // namespace

std::vector<Record> readGroupRecords() {
    std::lock_guard lock(enumerationMutex());
    const auto primaryMembers = usersByPrimaryGroup();
    std::vector<Record> records;
    setgrent();
    while (const group* entry = getgrent()) {
        std::vector<std::string> members;
        for (char** member = entry->gr_mem; member && *member; ++member)
            members.emplace_back(*member);
        const auto [first, last] = primaryMembers.equal_range(entry->gr_gid);
        for (auto user = first; user != last; ++user)
            if (std::find(members.begin(), members.end(), user->second) == members.end())
                members.push_back(user->second);
        records.push_back({entry->gr_name,
                           kDSStdRecordTypeGroups,
                           {{kDSNAttrRecordName, {entry->gr_name}},
                            {kDSNAttrPrimaryGroupID, {std::to_string(entry->gr_gid)}},
                            {kDSNAttrGroupMembership, std::move(members)}}});
    }
    endgrent();
    return records;
}

} // namespace directory
