// Reading a device's 2,000 entries (and 20 groups of 100) from the fax device simulator on
// loopback: one request, the JSON answer read into a data set.
#include <DeviceSimulator.h>
#include <QrolDeviceProtocol.h>
#include <QrolKit.h>

#include <CFRef.h>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kEntries = 2000;
constexpr int kGroups = 20;
constexpr char kPassword[] = "1234";

// The data file of the simulated device, removed when the benchmark ends.
struct DeviceDataFile {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("nv-device-benchmark-" + std::to_string(getpid()) + ".json");
    DeviceDataFile() {
        nlohmann::json data = {{"entries", nlohmann::json::array()},
                               {"groups", nlohmann::json::array()}};
        for (int id = 1; id <= kEntries; ++id)
            data["entries"].push_back({{"id", id},
                                       {"name", "Recipient Number " + std::to_string(id)},
                                       {"number", "+49 30 5550 " + std::to_string(1000 + id)}});
        for (int group = 0; group < kGroups; ++group) {
            nlohmann::json members = nlohmann::json::array();
            for (int i = 1; i <= kEntries / kGroups; ++i)
                members.push_back(group * (kEntries / kGroups) + i);
            data["groups"].push_back({{"id", 5000 + group},
                                      {"name", "Group " + std::to_string(group)},
                                      {"members", members}});
        }
        std::ofstream(path) << data.dump();
    }
    ~DeviceDataFile() { std::filesystem::remove(path); }
};

void BM_ReadDeviceData(benchmark::State& state) {
    const DeviceDataFile file;
    const DeviceSimulator device(file.path.string(), kPassword);
    if (device.port() == 0) {
        state.SkipWithError("the fax device simulator did not start");
        return;
    }
    setenv("NV_FAX_DEVICE_PORT", std::to_string(device.port()).c_str(), 1);
    QrolDevice_SetDestinationDevice(0, 1, CFSTR("127.0.0.1"));
    unsetenv("NV_FAX_DEVICE_PORT");
    const CFRef<CFStringRef> password(
        CFStringCreateWithCString(nullptr, kPassword, kCFStringEncodingUTF8));
    QROLDataRef data = QROLData_Create();
    for (auto _ : state) {
        if (QrolDevice_ReadData(0, data, kQrolDeviceDataEntriesAndGroups, password.get()) !=
            kQrolNoErr) {
            state.SkipWithError("the device's data could not be read");
            break;
        }
    }
    state.counters["entries"] = QROLData_GetCount_Fax(data);
    state.SetItemsProcessed(state.iterations() * kEntries);
    QROLData_Delete(data);
}
BENCHMARK(BM_ReadDeviceData)->Unit(benchmark::kMillisecond);

} // namespace
