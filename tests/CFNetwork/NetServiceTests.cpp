// What service resolution refuses, and the daemon's answer where one runs. Answers, time-outs
// and cancelled look-ups are the plug-in's printer address tests.
#include <CFNetServices.h>
#include <CFNetworkTesting.h>

#include <CFRef.h>

#include <chrono>
#include <functional>

#include <gtest/gtest.h>

namespace {

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
    void TearDown() override {
        EXPECT_EQ(0, CFNetServiceGetTestResolutionCount());
        CFNetServiceRemoveTestResolver();
    }
};

TEST_F(NetServiceTest, ResolvingNeedsClientRunLoopAndNoResolutionRunning) {
    CFRef<CFArrayRef> none(CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
    CFNetServiceSetTestResolver(none.get(), -1);
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
