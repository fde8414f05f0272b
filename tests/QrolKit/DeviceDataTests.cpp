// The request hosts made from the printer's address, the reading of the device's answers, and
// the device calls' refusals and time-outs against a real fax device simulator on loopback.
#include "DeviceSimulator.h"
#include "QrolTestRecords.h"
#include "ScopedEnvironment.h"

#include <QrolDeviceAnswer.h>
#include <QrolDeviceEndpoint.h>
#include <QrolDeviceProtocol.h>
#include <QrolKit.h>

#include <CFRef.h>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kPassword[] = "s3cret-4711";

constexpr char kDeviceData[] = R"({
  "entries": [{"id": 1, "name": "Anna", "number": "030 2345"}, {"id": -7, "name": "Bo", "number": "1"}],
  "groups": [{"id": 100, "name": "Team", "members": [1, -7]}]
})";

CFRef<CFStringRef> string(const char* text) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8));
}

// Aims the device calls at address and port, as the device tab does.
void aimAt(const char* address, int port) {
    const ScopedEnvironment portVariable("NV_FAX_DEVICE_PORT", std::to_string(port).c_str());
    QrolDevice_SetDestinationDevice(0, 1, string(address).get());
}

QrolResult readData(const DataSet& data, const char* password = kPassword) {
    return QrolDevice_ReadData(0, data.ref, kQrolDeviceDataEntriesAndGroups,
                               string(password).get());
}

TEST(DeviceEndpointTest, RequestHostsOfNumericAddresses) {
    struct Case {
        const char* address;
        const char* connectHost; // null: refused
        const char* hostHeader;
    };
    const Case cases[] = {
        {"192.0.2.7", "192.0.2.7", "192.0.2.7:8631"},
        {"::1", "::1", "[::1]:8631"},
        {"2001:db8::5", "2001:db8::5", "[2001:db8::5]:8631"},
        {"fe80::1%eth0", "fe80::1%eth0", "[fe80::1%25eth0]:8631"},
        {"fe80::a:b%3", "fe80::a:b%3", "[fe80::a:b%253]:8631"},
        {"printer.example", nullptr, nullptr},
        {"", nullptr, nullptr},
        {"192.0.2.7%eth0", nullptr, nullptr},
        {"fe80::1%", nullptr, nullptr},
        {"fe80::1%eth0/x", nullptr, nullptr},
        {"fe80::1%averyveryverylongname", nullptr, nullptr},
        {"::1\r\nX-Fax-Password: 1", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        const auto endpoint = qrol::makeDeviceEndpoint(c.address, 8631);
        ASSERT_EQ(endpoint.has_value(), c.connectHost != nullptr);
        if (!endpoint) continue;
        EXPECT_EQ(endpoint->connectHost, c.connectHost);
        EXPECT_EQ(endpoint->hostHeader, c.hostHeader);
    }
    EXPECT_FALSE(qrol::makeDeviceEndpoint("::1", 0));
    EXPECT_FALSE(qrol::makeDeviceEndpoint("::1", 65536));
}

TEST(DeviceEndpointTest, PortFromTheEnvironment) {
    const std::optional<int> refused, unset = kQrolDefaultDevicePort;
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"9100", 9100},   {"65535", 65535}, {"0", refused},  {"65536", refused},
        {"80x", refused}, {"", refused},    {"-1", refused}, {nullptr, unset}};
    for (const auto& [value, port] : cases) {
        const ScopedEnvironment variable("NV_FAX_DEVICE_PORT", value);
        EXPECT_EQ(qrol::deviceServicePort(), port) << (value ? value : "(unset)");
    }
}

TEST(DeviceAnswerTest, RecordsHoldWhatFitsTheirFields) {
    std::string members = "1";
    for (int i = 2; i <= 250; ++i)
        members += "," + std::to_string(i);
    // 31 letters and a character outside the BMP: its two units would pass the 32-unit room.
    const std::string answer = R"({"entries": [{"id": 32767, "name": ")" + std::string(31, 'a') +
                               R"(😀", "number": ")" + std::string(60, '7') +
                               R"("}, {"id": -32768, "name": "Zoë", "number": ""}],
        "groups": [{"id": 9, "name": "All", "members": [)" +
                               members + "]}]}";
    qrol::DeviceRecords records;
    ASSERT_EQ(qrol::readDeviceAnswer(answer, records), kQrolNoErr);
    ASSERT_EQ(records.entries.size(), 2u);
    EXPECT_EQ(records.entries[0].Id, 32767);
    EXPECT_EQ(fieldText(records.entries[0].name, kQrolNameFieldSize), std::u16string(31, u'a'));
    EXPECT_EQ(fieldText(records.entries[0].faxNumber, kQrolNumberFieldSize),
              std::u16string(50, u'7'));
    EXPECT_EQ(records.entries[1].Id, -32768);
    EXPECT_EQ(fieldText(records.entries[1].name, kQrolNameFieldSize), u"Zoë");
    ASSERT_EQ(records.groups.size(), 1u);
    EXPECT_EQ(records.groups[0].Id, 9);
    EXPECT_EQ(records.groups[0].memberCount, kQrolFaxGroupMemberRoom);
    EXPECT_EQ(records.groups[0].memberIds[kQrolFaxGroupMemberRoom - 1], 200);
}

TEST(DeviceAnswerTest, MalformedAnswersGiveNoRecords) {
    const char* answers[] = {
        "",
        "garbage",
        "[]",
        "{}",
        R"({"entries": [], "groups": {}})",
        R"({"entries": [{"id": 1, "name": "A", "number": "1"}, 5], "groups": []})",
        R"({"entries": [{"id": "1", "name": "A", "number": "1"}], "groups": []})",
        R"({"entries": [{"id": 1.5, "name": "A", "number": "1"}], "groups": []})",
        R"({"entries": [{"id": 32768, "name": "A", "number": "1"}], "groups": []})",
        R"({"entries": [{"id": 18446744073709551615, "name": "A", "number": "1"}], "groups": []})",
        R"({"entries": [{"id": 1, "name": 7, "number": "1"}], "groups": []})",
        R"({"entries": [{"id": 1, "name": "A"}], "groups": []})",
        R"({"entries": [], "groups": [{"id": 2, "name": "G", "members": [1, "2"]}]})",
        R"({"entries": [], "groups": [{"id": 2, "name": "G", "members": [-40000]}]})",
        R"({"entries": [], "groups": [{"id": 2, "name": "G"}]})",
        "{\"entries\": [{\"id\": 1, \"name\": \"\xC3\x28\", \"number\": \"1\"}], \"groups\": []}",
        R"({"entries": [{"id": 1, "name": "A", "number": "1"}], "groups": [)",
    };
    for (const char* answer : answers) {
        qrol::DeviceRecords records;
        EXPECT_EQ(qrol::readDeviceAnswer(answer, records), kQrolErrDevice) << answer;
        EXPECT_TRUE(records.entries.empty() && records.groups.empty()) << answer;
    }
}

class DeviceDataTest : public testing::Test {
  protected:
    void SetUp() override { std::ofstream(dataFile_) << kDeviceData; }
    const std::string dataFile_ = testing::TempDir() + "/device.json";
};

TEST_F(DeviceDataTest, OverIPv6TheRightPasswordReadsAndAWrongOneIsRefusedAndNeverShown) {
    DeviceSimulator device(dataFile_, kPassword, {}, "::1");
    ASSERT_NE(device.port(), 0);
    aimAt("::1", device.port());
    const DataSet data;
    // The simulator logs a request once it has answered it, from one of its threads: each line
    // is awaited before the next request, so that the log keeps the order of the requests.
    ASSERT_EQ(readData(data), kQrolNoErr);
    EXPECT_EQ(QROLData_GetCount_Fax(data.ref), 2);
    EXPECT_EQ(QROLData_GetCount_FaxGroup(data.ref), 1);
    ASSERT_EQ(device.requestLog(1).size(), 1u);

    testing::internal::CaptureStderr();
    EXPECT_EQ(readData(data, "wrong-0815"), kQrolErrPasswordRefused);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(device.requestLog(2).size(), 2u);
    EXPECT_EQ(readData(data, ""), kQrolErrPasswordRefused);
    // A password that would break its header field is not sent.
    EXPECT_EQ(readData(data, "1\r\nX-Other: 2"), kQrolErrParam);
    const std::string diagnostics = testing::internal::GetCapturedStderr();

    const std::vector<std::string> log = device.requestLog(3);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "GET /addresses 200");
    EXPECT_EQ(log[1], "GET /addresses 403");
    EXPECT_EQ(log[2], "GET /addresses 401"); // an empty field is no password
    for (const std::string& text : {diagnostics, log[0] + log[1] + log[2]}) {
        EXPECT_EQ(text.find(kPassword), std::string::npos) << text;
        EXPECT_EQ(text.find("wrong-0815"), std::string::npos) << text;
    }
}

TEST_F(DeviceDataTest, UnreachableDeviceFailsAtOnce) {
    // A loopback port that is bound but not listening refuses connections.
    const int socketFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    aimAt("127.0.0.1", ntohs(address.sin_port));

    const auto start = Clock::now();
    EXPECT_EQ(QrolDevice_GetStatus(0, 0), kQrolErrDevice);
    const DataSet data;
    EXPECT_EQ(readData(data), kQrolErrDevice);
    EXPECT_LT(Clock::now() - start, kQrolDeviceConnectTimeout);
    close(socketFd);
}

TEST_F(DeviceDataTest, DroppedMalformedAndSlowAnswersFailWithinTheReadTimeOutLeavingTheSetEmpty) {
    const DeviceSimulator good(dataFile_, kPassword);
    ASSERT_NE(good.port(), 0);
    const DeviceSimulator dropping(dataFile_, kPassword, {"--mode", "drop"});
    const DeviceSimulator malformed(dataFile_, kPassword, {"--mode", "malformed"});
    const DeviceSimulator slow(dataFile_, kPassword, {"--mode", "slow", "--delay", "30"});
    for (const DeviceSimulator* broken : {&dropping, &malformed, &slow}) {
        ASSERT_NE(broken->port(), 0);
        const DataSet data;
        aimAt("127.0.0.1", good.port());
        ASSERT_EQ(readData(data), kQrolNoErr);
        aimAt("127.0.0.1", broken->port());
        const auto start = Clock::now();
        EXPECT_EQ(readData(data), kQrolErrDevice);
        EXPECT_LT(Clock::now() - start, kQrolDeviceReadTimeout + std::chrono::seconds(2));
        EXPECT_TRUE(data.empty());
    }
}

TEST_F(DeviceDataTest, RefusedArgumentsSendNothing) {
    const DataSet data;
    EXPECT_EQ(
        QrolDevice_ReadData(0, nullptr, kQrolDeviceDataEntriesAndGroups, string(kPassword).get()),
        kQrolErrParam);
    EXPECT_EQ(QrolDevice_ReadData(0, data.ref, kQrolDeviceDataEntriesAndGroups, nullptr),
              kQrolErrParam);
    // No device (a USB printer), and an address that is no numeric IP address.
    QrolDevice_SetDestinationDevice(0, 0, nullptr);
    EXPECT_EQ(QrolDevice_GetStatus(0, 0), kQrolErrParam);
    EXPECT_EQ(readData(data), kQrolErrParam);
    aimAt("printer.example", kQrolDefaultDevicePort);
    EXPECT_EQ(QrolDevice_GetStatus(0, 0), kQrolErrParam);
}

} // namespace
