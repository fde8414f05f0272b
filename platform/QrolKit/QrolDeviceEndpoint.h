// Where the device's address data is asked for: the printer's numeric address and the port of
// its address service.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum { kQrolDefaultDevicePort = 8631 };

namespace qrol {

struct DeviceEndpoint {
    std::string connectHost; // what the socket connects to: "192.0.2.7", "::1", "fe80::1%eth0"
    std::string hostHeader;  // the request's Host field: "192.0.2.7:8631", "[fe80::1%25eth0]:8631"
    int port = kQrolDefaultDevicePort;
};

// The endpoint of a numeric IPv4 or IPv6 address at port (1-65535); an IPv6 address may carry
// "%" and an interface name or index. Nullopt for host names and anything malformed.
std::optional<DeviceEndpoint> makeDeviceEndpoint(std::string_view address, int port);

// The port of the device's address service: NV_FAX_DEVICE_PORT when set, else
// kQrolDefaultDevicePort. Nullopt when the variable is set but is no port number.
std::optional<int> deviceServicePort();

} // namespace qrol
