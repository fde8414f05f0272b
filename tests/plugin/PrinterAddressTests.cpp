// The current printer's address as the pane finds it from the device URI: at once for USB and
// host URIs, through service discovery (the tests' own resolver, never the network) for
// Bonjour printers, with the platform's 5-second time-out or the pane's 10-second timer. Name
// look-ups stay with "localhost" and numeric addresses.
#include <CSendraFaxPanel.h>
#include <PrinterAddressResolution.h>

#include <CFData.h>
#include <CFNetworkTesting.h>
#include <CFRef.h>
#include <PMCore.h>
#include <ScopedEnvironment.h>

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

    CSendraFaxPanel pane_;
};

TEST_F(PrinterAddressTest, AddressesKnownAtOnce) {
    const unsigned loopback = if_nametoindex("lo");
    ASSERT_NE(0u, loopback);
    struct Case {
        const char* uri;
        OSStatus result;
        const char* address;
    };
    const Case cases[] = {
        {"usb://Norvale/Corvexa%20L220?serial=42", noErr, ""},
        {"USB://Norvale/Corvexa", noErr, ""},
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uri);
        CSendraFaxPanel pane;
        EXPECT_EQ(c.result, ResolvePrinterDeviceURI(&pane, url(c.uri).get()));
        EXPECT_EQ(c.address, addressOf(pane));
        EXPECT_FALSE(pane.GetPrinterAddressLookup());
    }
}

TEST_F(PrinterAddressTest, HostNamesAreLookedUp) {
    ASSERT_EQ(noErr, ResolvePrinterDeviceURI(&pane_, url("lpd://localhost/fax").get()));
    EXPECT_TRUE(addressOf(pane_) == "127.0.0.1" || addressOf(pane_) == "::1") << addressOf(pane_);

    // The current printer of a session: the demo printer, socket://127.0.0.1:9100.
    const ScopedEnvironment noServer{"CUPS_SERVER", "/nonexistent/cups.sock"};
    PMPrintSession session = nullptr;
    ASSERT_EQ(noErr, PMCreateSession(&session));
    CSendraFaxPanel pane;
    EXPECT_EQ(noErr, pane.ResolveCurrentPrinter(session));
    EXPECT_EQ("127.0.0.1", addressOf(pane));
    PMRelease(session);
    EXPECT_EQ(kPMInvalidPrintSession, pane.ResolveCurrentPrinter(nullptr));
}

TEST_F(PrinterAddressTest, CopyResolvedIPAddressFailsWithoutAnAddress) {
    struct Case {
        const char* host;
        size_t size;
        int result;
        std::vector<std::string> texts; // any of them
    };
    const Case cases[] = {
        {"192.168.0.10", 256, 0, {"192.168.0.10"}},
        {"localhost", 256, 0, {"127.0.0.1", "::1"}},
        // No result fits: a failure, not an empty address (which would mean a USB printer).
        {"localhost", 4, 1, {}},
        {"192.168.0.10", 8, 1, {}},
        {nullptr, 256, 1, {}},
    };
    for (const Case& c : cases) {
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
    struct Case {
        const char* uri;
        OSStatus result;
        const char* name;
        const char* type;
    };
    const Case cases[] = {
        {kBonjourURI, noErr, "Fax Room", "_pdl-datastream._tcp."},
        {"mdns://Lobby.Fax._ipp._tcp.local./", noErr, "Lobby.Fax", "_ipp._tcp."},
        {"dnssd://Fax%20Room.local./", -1, nullptr, nullptr},           // no "._tcp"
        {"mdns://FaxRoom._tcp.local./", -1, nullptr, nullptr},          // no "." before it
        {"mdns://._pdl-datastream._tcp.local./", -1, nullptr, nullptr}, // no name
    };
    for (const Case& c : cases) {
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

TEST_F(PrinterAddressTest, AnswerBecomesTheAddressOnEitherPath) {
    const unsigned loopback = if_nametoindex("lo");
    ASSERT_NE(0u, loopback);
    const sockaddr_in6 truncatedBytes{};
    const CFRef<CFDataRef> truncated = socketAddress(&truncatedBytes, 12); // too short for any
    struct Case {
        const char* what;
        std::vector<CFRef<CFDataRef>> answer;
        const char* address;
    };
    const Case cases[] = {
        {"IPv4", {ipv4("192.0.2.20")}, "192.0.2.20"},
        {"link-local IPv6", {ipv6("fe80::1", loopback)}, "fe80::1%lo"},
        {"global IPv6", {ipv6("2001:db8::5", loopback)}, "2001:db8::5"},
        {"a too short entry skipped", {truncated, ipv4("192.0.2.20")}, "192.0.2.20"},
        {"nothing found", {}, "<null>"},
    };
    for (const bool platformTimeout : {true, false}) {
        CFNetServiceSetResolveWithTimeoutPresent(platformTimeout);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (platformTimeout ? ", 5 s" : ", 10 s timer"));
            answerWith(c.answer, 0.01);
            CSendraFaxPanel pane;
            ASSERT_EQ(noErr, ResolvePrinterDeviceURI(&pane, url(kBonjourURI).get()));
            EXPECT_EQ(!platformTimeout, bool(pane.IsResolving()));
            EXPECT_EQ("<null>", addressOf(pane)) << "the answer comes through the run loop";
            ASSERT_TRUE(runLoopUntil([&] { return !pane.GetPrinterAddressLookup(); }, 2.0));
            EXPECT_EQ(c.address, addressOf(pane));
            expectEnded(pane);
        }
    }
}

TEST_F(PrinterAddressTest, AnswerAfterTheTenSecondTimerNeverArrives) {
    CFNetServiceSetResolveWithTimeoutPresent(false);
    answerWith({ipv4("192.0.2.20")}, kResolveTimerInterval + 0.5);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(noErr, ResolvePrinterDeviceURI(&pane_, url(kBonjourURI).get()));
    EXPECT_TRUE(pane_.IsResolving());

    ASSERT_TRUE(runLoopUntil([&] { return !pane_.GetPrinterAddressLookup(); }, 12.0));
    EXPECT_GE(secondsSince(start), kResolveTimerInterval - 0.1);
    runLoopUntil([] { return false; }, kResolveTimerInterval + 0.8 - secondsSince(start));
    EXPECT_EQ("<null>", addressOf(pane_));
    expectEnded(pane_);
}

TEST_F(PrinterAddressTest, PlatformTimeoutEndsAnUnansweredLookUp) {
    answerWith({}, -1);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(noErr, ResolvePrinterDeviceURI(&pane_, url(kBonjourURI).get()));
    EXPECT_FALSE(pane_.IsResolving()) << "the flag belongs to the timer path";

    ASSERT_TRUE(runLoopUntil([&] { return !pane_.GetPrinterAddressLookup(); }, 7.0));
    EXPECT_GE(secondsSince(start), kPlatformResolveTimeout - 0.1);
    EXPECT_EQ("<null>", addressOf(pane_));
    expectEnded(pane_);
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
