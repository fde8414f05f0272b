// The device's address service as the library and the device simulator both speak it.
#pragma once

#include <chrono>
#include <cstddef>

// QrolDevice_ReadData's data kind: entries and groups.
enum { kQrolDeviceDataEntriesAndGroups = 23 };

inline constexpr char kQrolDeviceStatusPath[] = "/status";       // 200 {"state": "ready"}
inline constexpr char kQrolDeviceAddressesPath[] = "/addresses"; // 200 entries and groups
inline constexpr char kQrolDeviceReadyState[] = "ready";
// The request field that carries the fax password (never the URL).
inline constexpr char kQrolDevicePasswordField[] = "X-Fax-Password";

// Waits of one request: connecting, each read or write, the whole answer; and its largest size.
inline constexpr std::chrono::seconds kQrolDeviceConnectTimeout{2};
inline constexpr std::chrono::seconds kQrolDeviceReadTimeout{3};
inline constexpr std::chrono::seconds kQrolDeviceAnswerTimeLimit{8};
inline constexpr size_t kQrolDeviceAnswerMaxBytes = 16u << 20;
