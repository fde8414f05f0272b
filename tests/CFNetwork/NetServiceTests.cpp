// Service resolution as callers see it: answers, time-outs and errors reach the client once, on
// the run loop, and a cancelled service stays silent. The tests' own resolver answers; only
// the daemon test talks to Avahi, and it skips where no daemon runs.
#include <CFNetServices.h>
#include <CFNetworkTesting.h>

#include <CFData.h>
#include <CFRef.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>

#include <chrono>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace {

CFRef<CFDataRef> ipv4Address(const char* text) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(9100);
    inet_pton(AF_INET, text, &address.sin_addr);
    return CFRef<CFDataRef>(
        CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(&address), sizeof address));
}

CFRef<CFArrayRef> arrayOf(std::vector<CFTypeRef> values) {
    return CFRef<CFArrayRef>(
        CFArrayCreate(nullptr, values.data(), CFIndex(values.size()), &kCFTypeArrayCallBacks));
}

// Runs the run loop until the condition holds or the seconds have passed.
bool runLoopUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done() && std::chrono::steady_clock::now() < end)
        CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.05, true);
    return done();
}

// What the client was told; it releases the service, as callers do once they are answered.
struct ClientRecord {
    int calls = 0;
    CFStreamError error{};
    CFRef<CFArrayRef> addresses;

    static void callBack(CFNetServiceRef service, CFStreamError* error, void* info) {
        auto* record = static_cast<ClientRecord*>(info);
        ++record->calls;
        record->error = *error;
        record->addresses = CFRef<CFArrayRef>::retained(CFNetServiceGetAddressing(service));
        CFNetServiceUnscheduleFromRunLoop(service, CFRunLoopGetCurrent(), kCFRunLoopCommonModes);
        CFNetServiceSetClient(service, nullptr, nullptr);
        CFRelease(service);
    }
};

CFNetServiceRef makeScheduledService(ClientRecord& record, CFStringRef name = CFSTR("Fax Room")) {
    CFNetServiceRef service =
        CFNetServiceCreate(nullptr, CFSTR("local."), CFSTR("_pdl-datastream._tcp."), name, 0);
    CFNetServiceClientContext context{0, &record, nullptr, nullptr, nullptr};
    CFNetServiceSetClient(service, ClientRecord::callBack, &context);
    CFNetServiceScheduleWithRunLoop(service, CFRunLoopGetCurrent(), kCFRunLoopCommonModes);
    return service;
}

class NetServiceTest : public testing::Test {
  protected:
    void TearDown() override { CFNetServiceRemoveTestResolver(); }
};

TEST_F(NetServiceTest, AnswerReachesTheClientOnceOnTheRunLoop) {
    const CFRef<CFDataRef> first = ipv4Address("192.0.2.7");
    const CFRef<CFDataRef> second = ipv4Address("192.0.2.8");
    CFNetServiceSetTestResolver(arrayOf({first.get(), second.get()}).get(), 0.02);
    ClientRecord record;
    CFNetServiceRef service = makeScheduledService(record);

    CFStreamError error{-1, -1};
    ASSERT_TRUE(CFNetServiceResolveWithTimeout(service, 5.0, &error));
    EXPECT_EQ(0, error.domain);
    EXPECT_EQ(0, record.calls) << "the answer comes later, through the run loop";

    ASSERT_TRUE(runLoopUntil([&] { return record.calls > 0; }, 2.0));
    runLoopUntil([] { return false; }, 0.1); // nothing more may come
    EXPECT_EQ(1, record.calls);
    EXPECT_EQ(0, record.error.domain);
    ASSERT_EQ(2, CFArrayGetCount(record.addresses.get()));
    EXPECT_TRUE(CFEqual(first.get(), CFArrayGetValueAtIndex(record.addresses.get(), 0)));
    EXPECT_TRUE(CFEqual(second.get(), CFArrayGetValueAtIndex(record.addresses.get(), 1)));
    EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
}

TEST_F(NetServiceTest, UnansweredResolutionEndsWithAnError) {
    struct Case {
        const char* what;
        bool answers;           // the resolver answers (with no addresses) after 10 ms
        CFTimeInterval timeout; // of the resolution
        SInt32 error;
    };
    const Case cases[] = {
        {"no answer within the time-out", false, 0.05, kCFNetServicesErrorTimeout},
        {"an answer without addresses", true, 5.0, kCFNetServicesErrorNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFNetServiceSetTestResolver(arrayOf({}).get(), c.answers ? 0.01 : -1);
        ClientRecord record;
        CFNetServiceRef service = makeScheduledService(record);
        ASSERT_TRUE(CFNetServiceResolveWithTimeout(service, c.timeout, nullptr));
        ASSERT_TRUE(runLoopUntil([&] { return record.calls > 0; }, 2.0));
        EXPECT_EQ(kCFStreamErrorDomainNetServices, record.error.domain);
        EXPECT_EQ(c.error, record.error.error);
        EXPECT_FALSE(record.addresses);
        EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
    }
}

TEST_F(NetServiceTest, CancelledOrUnscheduledServiceDoesNotCallItsClient) {
    const CFRef<CFDataRef> address = ipv4Address("192.0.2.7");
    CFNetServiceSetTestResolver(arrayOf({address.get()}).get(), 0.02);
    ClientRecord cancelledRecord, unscheduledRecord;
    CFNetServiceRef cancelled = makeScheduledService(cancelledRecord);
    CFNetServiceRef unscheduled = makeScheduledService(unscheduledRecord);
    ASSERT_TRUE(CFNetServiceResolve(cancelled, nullptr));
    ASSERT_TRUE(CFNetServiceResolveWithTimeout(unscheduled, 0.05, nullptr));
    CFNetServiceCancel(cancelled);
    CFNetServiceUnscheduleFromRunLoop(unscheduled, CFRunLoopGetCurrent(), kCFRunLoopCommonModes);

    runLoopUntil([] { return false; }, 0.2);
    EXPECT_EQ(0, cancelledRecord.calls);
    EXPECT_EQ(0, unscheduledRecord.calls);
    EXPECT_FALSE(CFNetServiceGetAddressing(cancelled));
    EXPECT_EQ(1, CFArrayGetCount(CFNetServiceGetAddressing(unscheduled)))
        << "an unscheduled service still keeps what was found";
    EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
    CFRelease(cancelled);
    CFRelease(unscheduled);
}

TEST_F(NetServiceTest, ResolvingNeedsClientRunLoopAndNoResolutionRunning) {
    CFNetServiceSetTestResolver(arrayOf({}).get(), -1);
    ClientRecord record;
    CFNetServiceRef service = makeScheduledService(record);
    CFRef<CFNetServiceRef> bare(
        CFNetServiceCreate(nullptr, CFSTR("local."), CFSTR("_ipp._tcp."), CFSTR("Fax Room"), 0));
    CFStreamError error{};
    EXPECT_FALSE(CFNetServiceResolve(bare.get(), &error));
    EXPECT_EQ(kCFNetServicesErrorInvalid, error.error) << "no client, no run loop";
    ASSERT_TRUE(CFNetServiceResolve(service, &error));
    EXPECT_FALSE(CFNetServiceResolve(service, &error));
    EXPECT_EQ(kCFNetServicesErrorInProgress, error.error);
    EXPECT_FALSE(CFNetServiceCreate(nullptr, CFSTR("local."), nullptr, CFSTR("Fax Room"), 0));
    CFRelease(service); // a service released while resolving stops resolving
    EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
}

// The daemon itself, where one runs: a service nobody offers ends with an error in time. This
// sends one multicast DNS question on the local link.
TEST(AvahiDaemonTest, ServiceNobodyOffersEndsWithAnError) {
    ClientRecord record;
    CFNetServiceRef service =
        makeScheduledService(record, CFSTR("NVSendraFax test service nobody offers"));
    CFStreamError error{};
    if (!CFNetServiceResolveWithTimeout(service, 2.0, &error)) {
        CFRelease(service);
        ASSERT_EQ(kCFNetServicesErrorNotFound, error.error);
        GTEST_SKIP() << "no Avahi daemon answers on the system bus here";
    }
    ASSERT_TRUE(runLoopUntil([&] { return record.calls > 0; }, 5.0));
    EXPECT_NE(0, record.error.domain);
    EXPECT_FALSE(record.addresses);
}

} // namespace
