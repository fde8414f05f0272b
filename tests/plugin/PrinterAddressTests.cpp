// The current printer's address as the pane finds it from the device URI: at once for USB and
// host URIs, through service discovery (the tests' own resolver, never the network) for
// Bonjour printers, with the platform's 5-second time-out or the pane's 10-second timer. Name
// look-ups stay with "localhost" and numeric addresses.
#include <CSendraFaxPanel.h>
#include <PrinterAddressResolution.h>

#include <CFData.h>
#include <CFNetworkTesting.h>
#include <CFRef.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

CFRef<CFURLRef> url(const char* text) {
    CFRef<CFStringRef> string(CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8));
    return CFRef<CFURLRef>(CFURLCreateWithString(nullptr, string.get(), nullptr));
}

// The pane's address as UTF-8; "<null>" while unknown.
std::string addressOf(const CSendraFaxPanel& pane) {
    CFStringRef address = pane.GetPrinterAddress();
    if (!address) return "<null>";
    char text[256] = {};
    CFStringGetCString(address, text, sizeof text, kCFStringEncodingUTF8);
    return text;
}

CFRef<CFDataRef> socketAddress(const void* address, size_t length) {
    return CFRef<CFDataRef>(
        CFDataCreate(nullptr, static_cast<const UInt8*>(address), CFIndex(length)));
}

CFRef<CFDataRef> ipv4(const char* text) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, text, &address.sin_addr);
    return socketAddress(&address, sizeof address);
}

CFRef<CFDataRef> ipv6(const char* text, unsigned scope) {
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_scope_id = scope;
    inet_pton(AF_INET6, text, &address.sin6_addr);
    return socketAddress(&address, sizeof address);
}

bool runLoopUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done() && std::chrono::steady_clock::now() < end)
        CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.05, true);
    return done();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

constexpr char kBonjourURI[] = "dnssd://Fax%20Room._pdl-datastream._tcp.local./";

class PrinterAddressTest : public testing::Test {
  protected:
    void TearDown() override {
        CFNetServiceRemoveTestResolver();
        CFNetServiceSetResolveWithTimeoutPresent(true);
    }

    // The test resolver answers with the addresses after the delay (never when negative).
    static void answerWith(const std::vector<CFRef<CFDataRef>>& addresses, double delay) {
        std::vector<CFTypeRef> values;
        for (const auto& address : addresses)
            values.push_back(address.get());
        CFRef<CFArrayRef> array(
            CFArrayCreate(nullptr, values.data(), CFIndex(values.size()), &kCFTypeArrayCallBacks));
        CFNetServiceSetTestResolver(array.get(), delay);
    }

    // The look-up has ended: nothing of it runs any more.
    static void expectEnded(const CSendraFaxPanel& pane) {
        EXPECT_FALSE(pane.GetPrinterAddressLookup());
        EXPECT_FALSE(pane.IsResolving());
        EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
    }
};

TEST_F(PrinterAddressTest, AddressesKnownAtOnce) {
    const struct {
        const char* uri;
        OSStatus result;
        const char* address;
    } cases[] = {
        {"usb://Norvale/Corvexa%20L220?serial=42", noErr, ""},
        {"uSb://Norvale/Corvexa", noErr, ""},
        {"ipp://192.168.0.10/ipp/print", noErr, "192.168.0.10"},
        {"IPPS://192.168.0.10:631/ipp/print", noErr, "192.168.0.10"},
        {"lpd://[2001:db8::5]/queue", noErr, "2001:db8::5"},
        {"socket://[fe80::1%25lo]:9100", noErr, "fe80::1%lo"}, // numeric: no look-up
        {"http://192.168.0.10/", noErr, "<null>"},
        {"smb://server/fax", noErr, "<null>"},
        {"lpd:/queue", -1, "<null>"},   // no host
        {"192.168.0.10", -1, "<null>"}, // no scheme
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        CSendraFaxPanel pane;
        EXPECT_EQ(c.result, ResolvePrinterDeviceURI(&pane, url(c.uri).get()));
        EXPECT_EQ(c.address, addressOf(pane));
        EXPECT_FALSE(pane.GetPrinterAddressLookup());
    }
}

TEST_F(PrinterAddressTest, CopyResolvedIPAddressFailsWithoutAnAddress) {
    const struct {
        const char* host;
        size_t size;
        int result;
        std::vector<std::string> texts; // any of them
    } cases[] = {
        {"192.168.0.10", 256, 0, {"192.168.0.10"}},
        {"localhost", 256, 0, {"127.0.0.1", "::1"}},
        // No result fits: a failure, not an empty address (which would mean a USB printer).
        {"localhost", 4, 1, {}},
        {"192.168.0.10", 8, 1, {}},
        {nullptr, 256, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.host ? c.host : "<null>") + " into " + std::to_string(c.size));
        std::vector<char> buffer(c.size, '\0');
        ASSERT_EQ(c.result, CopyResolvedIPAddress(c.host, buffer.data(), c.size));
        if (c.result == 0) {
            EXPECT_NE(c.texts.end(), std::find(c.texts.begin(), c.texts.end(), buffer.data()))
                << buffer.data();
        }
    }
}

TEST_F(PrinterAddressTest, BonjourHostsSplitIntoNameAndType) {
    const struct {
        const char* uri;
        OSStatus result;
        const char* name;
        const char* type;
    } cases[] = {
        {kBonjourURI, noErr, "Fax Room", "_pdl-datastream._tcp."},
        {"mdns://Lobby.Fax._ipp._tcp.local./", noErr, "Lobby.Fax", "_ipp._tcp."},
        {"dnssd://Fax%20Room.local./", -1, nullptr, nullptr},           // no "._tcp"
        {"mdns://FaxRoom._tcp.local./", -1, nullptr, nullptr},          // no "." before it
        {"mdns://._pdl-datastream._tcp.local./", -1, nullptr, nullptr}, // no name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uri);
        answerWith({}, -1);
        CSendraFaxPanel pane;
        EXPECT_EQ(c.result, ResolvePrinterDeviceURI(&pane, url(c.uri).get()));
        const CFNetServiceTestRequest request = CFNetServiceGetLastTestRequest();
        if (c.result == noErr) {
            EXPECT_EQ(c.name, request.name);
            EXPECT_EQ(c.type, request.type);
            EXPECT_EQ("local.", request.domain);
            EXPECT_TRUE(pane.GetPrinterAddressLookup());
            EXPECT_EQ(1, CFNetServiceGetTestResolutionCount());
        } else {
            EXPECT_FALSE(pane.GetPrinterAddressLookup()) << "no service for a malformed name";
            EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
        }
        CFNetServiceRemoveTestResolver();
    } // each pane ends its look-up as it goes
    EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
}

// The answer comes through the run loop. The platform's 5-second time-out, or the pane's
// 10-second timer, ends a look-up; an answer after either never arrives.
TEST_F(PrinterAddressTest, TheAnswerOrTheTimeOutEndsTheLookUpOnEitherPath) {
    const sockaddr_in6 truncatedBytes{};
    const CFRef<CFDataRef> truncated = socketAddress(&truncatedBytes, 12); // too short for any
    const unsigned loopback = if_nametoindex("lo");
    const struct {
        const char* what;
        std::vector<CFRef<CFDataRef>> answer;
        double delay;
        const char* address;
    } cases[] = {
        {"IPv4", {ipv4("192.0.2.20")}, 0.01, "192.0.2.20"},
        {"link-local IPv6", {ipv6("fe80::1", loopback)}, 0.01, "fe80::1%lo"},
        {"global IPv6", {ipv6("2001:db8::5", loopback)}, 0.01, "2001:db8::5"},
        {"a too short entry skipped", {truncated, ipv4("192.0.2.20")}, 0.01, "192.0.2.20"},
        {"nothing found", {}, 0.01, "<null>"},
        {"too late", {ipv4("192.0.2.20")}, kResolveTimerInterval + 0.5, "<null>"},
    };
    for (const bool platformTimeout : {true, false}) {
        CFNetServiceSetResolveWithTimeoutPresent(platformTimeout);
        const double timeout = platformTimeout ? kPlatformResolveTimeout : kResolveTimerInterval;
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (platformTimeout ? ", 5 s" : ", 10 s timer"));
            answerWith(c.answer, c.delay);
            const auto start = std::chrono::steady_clock::now();
            CSendraFaxPanel pane;
            ASSERT_EQ(noErr, ResolvePrinterDeviceURI(&pane, url(kBonjourURI).get()));
            EXPECT_EQ(!platformTimeout, bool(pane.IsResolving())) << "the flag is the timer's";
            EXPECT_EQ("<null>", addressOf(pane));
            ASSERT_TRUE(runLoopUntil([&] { return !pane.GetPrinterAddressLookup(); }, timeout + 1));
            if (c.delay > timeout) {
                EXPECT_GE(secondsSince(start), timeout - 0.1);
                runLoopUntil([] { return false; }, c.delay + 0.3 - secondsSince(start));
            }
            EXPECT_EQ(c.address, addressOf(pane));
            expectEnded(pane);
        }
    }
}

TEST_F(PrinterAddressTest, LookUpThatCannotStartOrOutlivesThePaneLeavesNothing) {
    for (const bool platformTimeout : {true, false}) {
        SCOPED_TRACE(platformTimeout ? "5 s" : "10 s timer");
        CFNetServiceSetResolveWithTimeoutPresent(platformTimeout);

        // No daemon: the look-up cannot start.
        CFNetServiceSetRefusingTestResolver(
            {kCFStreamErrorDomainNetServices, kCFNetServicesErrorNotFound});
        CSendraFaxPanel refused;
        EXPECT_EQ(-1, ResolvePrinterDeviceURI(&refused, url(kBonjourURI).get()));
        expectEnded(refused);

        // The dialog ends the pane before the answer: the answer goes nowhere.
        answerWith({ipv4("192.0.2.20")}, 0.05);
        auto pane = std::make_unique<CSendraFaxPanel>();
        ASSERT_EQ(noErr, ResolvePrinterDeviceURI(pane.get(), url(kBonjourURI).get()));
        pane.reset();
        EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
        runLoopUntil([] { return false; }, 0.2);
    }
}

} // namespace
