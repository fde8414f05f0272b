// The user and group database that the tests linked with UserDatabaseTestMain run against,
// answered by nss_wrapper instead of the system's name service. The user running the tests
// appears as kTestLoginUser.
#pragma once

// Primary group "admin", and not in the member list of "admin".
inline constexpr const char* kTestLoginUser = "faxadmin";
// In the member list of "admin"; primary group "staff".
inline constexpr const char* kListedAdmin = "listed";
// In no list; primary group "staff".
inline constexpr const char* kOutsider = "outsider";
inline constexpr unsigned kAdminGroupID = 4242;
inline constexpr unsigned kStaffGroupID = 4300;
