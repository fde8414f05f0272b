#include "QrolDeviceEndpoint.h"

#include <arpa/inet.h>
#include <net/if.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

namespace qrol {

namespace {

bool isNumericAddress(int family, const std::string& text) {
    unsigned char address[sizeof(in6_addr)];
    return inet_pton(family, text.c_str(), address) == 1;
}

// An interface name as the kernel allows it here (or a scope index): letters, digits, '.',
// '-' and '_', shorter than IF_NAMESIZE. Nothing else reaches the resolver or the Host field.
bool isZone(std::string_view zone) {
    return !zone.empty() && zone.size() < IF_NAMESIZE &&
           std::all_of(zone.begin(), zone.end(), [](unsigned char c) {
               return std::isalnum(c) || c == '.' || c == '-' || c == '_';
           });
}

} // namespace

std::optional<DeviceEndpoint> makeDeviceEndpoint(std::string_view address, int port) {
    if (port < 1 || port > 65535) return std::nullopt;
    const std::string portText = ":" + std::to_string(port);

    const std::string whole(address);
    if (isNumericAddress(AF_INET, whole)) return DeviceEndpoint{whole, whole + portText, port};

    const size_t percent = address.find('%');
    const std::string ip(address.substr(0, percent));
    if (!isNumericAddress(AF_INET6, ip)) return std::nullopt;
    if (percent == std::string_view::npos)
        return DeviceEndpoint{ip, "[" + ip + "]" + portText, port};

    const std::string_view zone = address.substr(percent + 1);
    if (!isZone(zone)) return std::nullopt;
    // In a URI's host the zone's "%" is written "%25" (RFC 6874).
    return DeviceEndpoint{whole, "[" + ip + "%25" + std::string(zone) + "]" + portText, port};
}

std::optional<int> deviceServicePort() {
    const char* text = std::getenv("NV_FAX_DEVICE_PORT");
    if (!text) return kQrolDefaultDevicePort;
    const std::string_view value(text);
    int port = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
    if (error != std::errc() || end != value.data() + value.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace qrol
