// The tests' own resolver: it answers every resolution with the addresses it was given, after
// its delay, through a run-loop timer of the resolving thread, or never; or it refuses to start.
#include "CFNetworkTesting.h"
#include "ServiceResolver.h"

#include <memory>
#include <utility>

namespace cfnet {
namespace {

CFIndex runningResolutions = 0;

class TestResolution : public Resolution {
  public:
    TestResolution(CFRef<CFArrayRef> addresses, CFTimeInterval delay, AnswerHandler handler)
        : addresses_(std::move(addresses)), handler_(std::move(handler)) {
        ++runningResolutions;
        if (delay < 0) return; // never answers
        CFRunLoopTimerContext context{0, this, nullptr, nullptr, nullptr};
        timer_ = CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent() + delay, 0, 0, 0,
                                      answerNow, &context);
        CFRunLoopAddTimer(CFRunLoopGetCurrent(), timer_, kCFRunLoopCommonModes);
    }
    ~TestResolution() override {
        if (handler_) --runningResolutions;
        if (!timer_) return;
        CFRunLoopTimerInvalidate(timer_);
        CFRelease(timer_);
    }

  private:
    static void answerNow(CFRunLoopTimerRef, void* info) {
        auto* self = static_cast<TestResolution*>(info);
        AnswerHandler handler = std::exchange(self->handler_, nullptr); // may destroy self
        --runningResolutions;
        if (CFArrayGetCount(self->addresses_.get()) > 0)
            handler(self->addresses_, {});
        else
            handler({}, {kCFStreamErrorDomainNetServices, kCFNetServicesErrorNotFound});
    }

    CFRef<CFArrayRef> addresses_;
    AnswerHandler handler_;
    CFRunLoopTimerRef timer_ = nullptr;
};

CFNetServiceTestRequest lastRequest;

// Answers after its delay, never, or (with a refusal) refuses to start.
class TestResolver : public Resolver {
  public:
    TestResolver(CFRef<CFArrayRef> addresses, CFTimeInterval delay, CFStreamError refusal)
        : addresses_(std::move(addresses)), delay_(delay), refusal_(refusal) {}

    std::unique_ptr<Resolution> start(const ServiceName& service, AnswerHandler handler,
                                      CFStreamError& error) override {
        lastRequest = {service.name, service.type, service.domain};
        if (refusal_.domain) {
            error = refusal_;
            return nullptr;
        }
        return std::make_unique<TestResolution>(addresses_, delay_, std::move(handler));
    }

  private:
    const CFRef<CFArrayRef> addresses_;
    const CFTimeInterval delay_;
    const CFStreamError refusal_;
};

std::unique_ptr<TestResolver> installed;

} // namespace

Resolver& currentResolver() {
    return installed ? *installed : avahiResolver();
}

} // namespace cfnet

void CFNetServiceSetTestResolver(CFArrayRef addresses, CFTimeInterval delay) {
    CFRef<CFArrayRef> copy(addresses ? CFArrayCreateCopy(nullptr, addresses)
                                     : CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
    cfnet::installed =
        std::make_unique<cfnet::TestResolver>(std::move(copy), delay, CFStreamError{});
}

void CFNetServiceSetRefusingTestResolver(CFStreamError error) {
    cfnet::installed = std::make_unique<cfnet::TestResolver>(CFRef<CFArrayRef>(), -1, error);
}

CFNetServiceTestRequest CFNetServiceGetLastTestRequest(void) {
    return cfnet::lastRequest;
}

void CFNetServiceRemoveTestResolver(void) {
    cfnet::installed.reset();
}

CFIndex CFNetServiceGetTestResolutionCount(void) {
    return cfnet::runningResolutions;
}
