// The device's HTTP request over cpp-httplib, built as the module QrolKitHttp.
#include "QrolDeviceTransport.h"

#include "QrolDeviceProtocol.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>

extern "C" __attribute__((visibility("default"))) bool
QrolDeviceTransport_Get(const qrol::DeviceEndpoint* device, const char* path,
                        const qrol::DeviceHeaders* headers, qrol::DeviceAnswer* answer) {
    httplib::Client client(device->connectHost, device->port);
    client.set_connection_timeout(kQrolDeviceConnectTimeout);
    client.set_read_timeout(kQrolDeviceReadTimeout);
    client.set_write_timeout(kQrolDeviceReadTimeout);
    client.set_keep_alive(false);
    httplib::Headers fields(headers->begin(), headers->end());
    fields.emplace("Host", device->hostHeader);

    const auto deadline = std::chrono::steady_clock::now() + kQrolDeviceAnswerTimeLimit;
    *answer = {};
    const httplib::Result result = client.Get(
        path, fields,
        [&](const httplib::Response& response) {
            answer->status = response.status;
            return true;
        },
        [&](const char* data, size_t length) {
            if (answer->body.size() + length > kQrolDeviceAnswerMaxBytes ||
                std::chrono::steady_clock::now() > deadline)
                return false;
            answer->body.append(data, length);
            return true;
        });
    if (!result) {
        std::fprintf(stderr, "QrolDevice - %s %s failed: %s.\n", device->hostHeader.c_str(), path,
                     httplib::to_string(result.error()).c_str());
        return false;
    }
    return true;
}
