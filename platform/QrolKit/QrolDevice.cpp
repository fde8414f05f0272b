// The device calls: the device's status and its address data, asked over HTTP
// (QrolDeviceProtocol.h); the entries and groups come back as QrolDeviceAnswer.h describes,
// and 401 or 403 means the password was missing or wrong. Every wait is bounded: connecting,
// each read and write, and the whole answer.
#include "QrolDataSet.h"
#include "QrolDeviceAnswer.h"
#include "QrolDeviceEndpoint.h"
#include "QrolDeviceProtocol.h"
#include "QrolStrings.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

namespace {

// The device of the last QrolDevice_SetDestinationDevice; empty for none or an unusable address.
std::optional<qrol::DeviceEndpoint> gDevice;

struct DeviceAnswer {
    int status = 0;
    std::string body;
};

// Asks the device for path. Nullopt when it cannot be reached, does not answer in time, drops
// the connection or sends more than an answer may hold.
std::optional<DeviceAnswer> askDevice(const qrol::DeviceEndpoint& device, const char* path,
                                      httplib::Headers headers) {
    httplib::Client client(device.connectHost, device.port);
    client.set_connection_timeout(kQrolDeviceConnectTimeout);
    client.set_read_timeout(kQrolDeviceReadTimeout);
    client.set_write_timeout(kQrolDeviceReadTimeout);
    client.set_keep_alive(false);
    headers.emplace("Host", device.hostHeader);

    const auto deadline = std::chrono::steady_clock::now() + kQrolDeviceAnswerTimeLimit;
    DeviceAnswer answer;
    const httplib::Result result = client.Get(
        path, headers,
        [&](const httplib::Response& response) {
            answer.status = response.status;
            return true;
        },
        [&](const char* data, size_t length) {
            if (answer.body.size() + length > kQrolDeviceAnswerMaxBytes ||
                std::chrono::steady_clock::now() > deadline)
                return false;
            answer.body.append(data, length);
            return true;
        });
    if (!result) {
        std::fprintf(stderr, "QrolDevice - %s %s failed: %s.\n", device.hostHeader.c_str(), path,
                     httplib::to_string(result.error()).c_str());
        return std::nullopt;
    }
    return answer;
}

// The password as UTF-8 for its header field; nullopt when it holds a control character, which
// no header field may carry.
std::optional<std::string> passwordFieldValue(CFStringRef password) {
    std::optional<std::string> text = qrol::utf8FromString(password);
    if (text && std::any_of(text->begin(), text->end(),
                            [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        return std::nullopt;
    return text;
}

} // namespace

void QrolDevice_SetDestinationDevice(UInt32, UInt32 kind, CFStringRef address) {
    gDevice.reset();
    if (kind != 1 || !address) return;
    const std::optional<std::string> text = qrol::utf8FromString(address);
    if (!text) return;
    const std::optional<int> port = qrol::deviceServicePort();
    if (!port) {
        std::fputs("QrolDevice_SetDestinationDevice - NV_FAX_DEVICE_PORT is no port number.\n",
                   stderr);
        return;
    }
    gDevice = qrol::makeDeviceEndpoint(*text, *port);
    if (!gDevice)
        std::fputs("QrolDevice_SetDestinationDevice - the address is no numeric IP address.\n",
                   stderr);
}

QrolResult QrolDevice_GetStatus(UInt32, UInt32) {
    if (!gDevice) return kQrolErrParam;
    const auto answer = askDevice(*gDevice, kQrolDeviceStatusPath, {});
    if (!answer) return kQrolErrDevice;
    if (answer->status != 200) return kQrolErrDevice;
    const auto status = nlohmann::json::parse(answer->body, nullptr, false);
    const bool ready = status.is_object() && status.contains("state") &&
                       status["state"].is_string() && status["state"] == kQrolDeviceReadyState;
    return ready ? kQrolDeviceReady : kQrolErrDevice;
}

QrolResult QrolDevice_ReadData(UInt32, QROLDataRef data, UInt32 dataKind, CFStringRef password) {
    if (!data) return kQrolErrParam;
    data->fax.clear();
    data->faxGroups.clear();
    if (!gDevice || dataKind != kQrolDeviceDataEntriesAndGroups || !password) return kQrolErrParam;
    const std::optional<std::string> passwordField = passwordFieldValue(password);
    if (!passwordField) return kQrolErrParam;

    const auto answer =
        askDevice(*gDevice, kQrolDeviceAddressesPath, {{kQrolDevicePasswordField, *passwordField}});
    if (!answer) return kQrolErrDevice;
    if (answer->status == 401 || answer->status == 403) return kQrolErrPasswordRefused;
    if (answer->status != 200) return kQrolErrDevice;

    qrol::DeviceRecords records;
    if (qrol::readDeviceAnswer(answer->body, records) != kQrolNoErr) {
        std::fputs("QrolDevice_ReadData - the device's answer is malformed.\n", stderr);
        return kQrolErrDevice;
    }
    data->fax = std::move(records.entries);
    data->faxGroups = std::move(records.groups);
    return kQrolNoErr;
}
