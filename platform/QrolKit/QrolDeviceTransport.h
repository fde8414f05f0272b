// The HTTP request to the device, kept in a module of its own (QrolKitHttp) that QrolKit loads
// on the first device call: the HTTP library and the TLS and compression libraries it brings
// stay out of every dialog that never asks a device.
#pragma once

#include "QrolDeviceEndpoint.h"

#include <string>
#include <utility>
#include <vector>

namespace qrol {

struct DeviceAnswer {
    int status = 0;
    std::string body;
};

using DeviceHeaders = std::vector<std::pair<std::string, std::string>>;

} // namespace qrol

// The module's one entry point: a GET of path with the headers (plus Host), every wait bounded
// (QrolDeviceProtocol.h). False, with a line on standard error, when the device cannot be
// reached, does not answer in time, drops the connection or sends more than an answer may hold.
extern "C" bool QrolDeviceTransport_Get(const qrol::DeviceEndpoint* device, const char* path,
                                        const qrol::DeviceHeaders* headers,
                                        qrol::DeviceAnswer* answer);
inline constexpr char kQrolDeviceTransportGetName[] = "QrolDeviceTransport_Get";
using QrolDeviceTransportGet = decltype(&QrolDeviceTransport_Get);
