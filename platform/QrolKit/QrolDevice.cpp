// The device calls: the device's status and its address data, asked over HTTP
// (QrolDeviceProtocol.h, QrolDeviceTransport.h); the entries and groups come back as
// QrolDeviceAnswer.h describes, and 401 or 403 means the password was missing or wrong. Every wait
// is bounded: connecting, each read and write, and the whole answer.
#include "QrolDataSet.h"
#include "QrolDeviceAnswer.h"
#include "QrolDeviceEndpoint.h"
#include "QrolDeviceProtocol.h"
#include "QrolDeviceTransport.h"
#include "QrolStrings.h"

#include <dlfcn.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace {

// The device of the last QrolDevice_SetDestinationDevice; empty for none or an unusable address.
std::optional<qrol::DeviceEndpoint> gDevice;

// The HTTP module's entry point, loaded from beside this library on first use; null (said once
// on standard error) when the module cannot be loaded.
QrolDeviceTransportGet deviceTransport() {
    static const QrolDeviceTransportGet get = []() -> QrolDeviceTransportGet {
        Dl_info self{};
        if (!dladdr(reinterpret_cast<const void*>(&deviceTransport), &self) || !self.dli_fname) {
            std::fputs("QrolDevice - cannot locate the QrolKit library.\n", stderr);
            return nullptr;
        }
        const std::string module =
            (std::filesystem::path(self.dli_fname).parent_path() / "libQrolKitHttp.so").string();
        void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* symbol = handle ? dlsym(handle, kQrolDeviceTransportGetName) : nullptr;
        if (!symbol)
            std::fprintf(stderr, "QrolDevice - cannot load %s: %s\n", module.c_str(), dlerror());
        return reinterpret_cast<QrolDeviceTransportGet>(symbol);
    }();
    return get;
}

// Asks the device for path. Nullopt when it cannot be reached, does not answer in time, drops
// the connection or sends more than an answer may hold.
std::optional<qrol::DeviceAnswer> askDevice(const qrol::DeviceEndpoint& device, const char* path,
                                            const qrol::DeviceHeaders& headers) {
    const QrolDeviceTransportGet get = deviceTransport();
    qrol::DeviceAnswer answer;
    if (!get || !get(&device, path, &headers, &answer)) return std::nullopt;
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
