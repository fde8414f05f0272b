#include "CFNetServices.h"
#include "CFNetworkTesting.h"
#include "Private/ServiceResolver.h"

#include <CFInternal.h>

struct __CFNetService : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDNetService;
    __CFNetService(cfnet::ServiceName name, SInt32 port)
        : Object(kTypeID), serviceName(std::move(name)), port(port) {}
    ~__CFNetService() override {
        stop();
        setClient(nullptr, nullptr);
    }

    void setClient(CFNetServiceClientCallBack callBack, const CFNetServiceClientContext* context) {
        if (clientContext.release && clientContext.info) clientContext.release(clientContext.info);
        client = callBack;
        clientContext = client && context ? *context : CFNetServiceClientContext{};
        if (clientContext.retain && clientContext.info)
            clientContext.info = const_cast<void*>(clientContext.retain(clientContext.info));
    }

    // Ends the running resolution and its time-out, if any.
    void stop() {
        resolution.reset();
        if (timeout) {
            CFRunLoopTimerInvalidate(timeout);
            CFRelease(timeout);
            timeout = nullptr;
        }
    }

    // The end of a resolution: its addresses kept, the client told while scheduled.
    void answer(CFRef<CFArrayRef> addresses, CFStreamError error) {
        stop();
        addressing = std::move(addresses);
        if (!client || !runLoop) return;
        CFRetain(this); // the client may release the service
        client(this, &error, clientContext.info);
        CFRelease(this);
    }

    const cfnet::ServiceName serviceName;
    const SInt32 port;
    CFNetServiceClientCallBack client = nullptr;
    CFNetServiceClientContext clientContext{};
    CFRunLoopRef runLoop = nullptr;
    std::unique_ptr<cfnet::Resolution> resolution;
    CFRunLoopTimerRef timeout = nullptr; // owned while a timed resolution runs
    CFRef<CFArrayRef> addressing;
};

namespace {

__CFNetService* serviceOf(CFNetServiceRef ref) {
    return cf::as<__CFNetService>(ref);
}

Boolean failResolving(CFStreamError* error, CFStreamError reason) {
    if (error) *error = reason;
    return false;
}

void timeoutFired(CFRunLoopTimerRef, void* info) {
    static_cast<__CFNetService*>(info)->answer(
        {}, {kCFStreamErrorDomainNetServices, kCFNetServicesErrorTimeout});
}

// Starts resolving; a positive time-out also arms a timer on the service's run loop.
Boolean startResolving(CFNetServiceRef theService, CFTimeInterval timeout, CFStreamError* error) {
    __CFNetService* service = serviceOf(theService);
    if (!service || !service->client || !service->runLoop)
        return failResolving(error, {kCFStreamErrorDomainNetServices, kCFNetServicesErrorInvalid});
    if (service->resolution)
        return failResolving(error,
                             {kCFStreamErrorDomainNetServices, kCFNetServicesErrorInProgress});
    service->addressing.reset();
    CFStreamError startError{};
    service->resolution = cfnet::currentResolver().start(
        service->serviceName,
        [service](CFRef<CFArrayRef> addresses, CFStreamError answerError) {
            service->answer(std::move(addresses), answerError);
        },
        startError);
    if (!service->resolution) return failResolving(error, startError);
    if (timeout > 0) {
        CFRunLoopTimerContext context{0, service, nullptr, nullptr, nullptr};
        service->timeout = CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent() + timeout, 0, 0,
                                                0, timeoutFired, &context);
        if (!service->timeout) {
            // A resolution that could outlive its time-out is not started.
            service->resolution.reset();
            return failResolving(error,
                                 {kCFStreamErrorDomainNetServices, kCFNetServicesErrorUnknown});
        }
        CFRunLoopAddTimer(service->runLoop, service->timeout, kCFRunLoopCommonModes);
    }
    if (error) *error = {};
    return true;
}

CFNetServiceResolveWithTimeoutProc resolveWithTimeoutEntry = startResolving;

std::string utf8(CFStringRef string) {
    return cf::toUTF8(string);
}

} // namespace

CFNetServiceResolveWithTimeoutProc const& CFNetServiceResolveWithTimeout = resolveWithTimeoutEntry;

void CFNetServiceSetResolveWithTimeoutPresent(Boolean present) {
    resolveWithTimeoutEntry = present ? startResolving : nullptr;
}

CFNetServiceRef CFNetServiceCreate(CFAllocatorRef, CFStringRef domain, CFStringRef serviceType,
                                   CFStringRef name, SInt32 port) {
    if (!cf::isString(domain) || !cf::isString(serviceType) || !cf::isString(name)) return nullptr;
    return new __CFNetService({utf8(name), utf8(serviceType), utf8(domain)}, port);
}

Boolean CFNetServiceSetClient(CFNetServiceRef theService, CFNetServiceClientCallBack clientCB,
                              CFNetServiceClientContext* clientContext) {
    __CFNetService* service = serviceOf(theService);
    if (!service) return false;
    service->setClient(clientCB, clientContext);
    return true;
}

void CFNetServiceScheduleWithRunLoop(CFNetServiceRef theService, CFRunLoopRef runLoop,
                                     CFStringRef) {
    if (__CFNetService* service = serviceOf(theService)) service->runLoop = runLoop;
}

void CFNetServiceUnscheduleFromRunLoop(CFNetServiceRef theService, CFRunLoopRef runLoop,
                                       CFStringRef) {
    if (__CFNetService* service = serviceOf(theService); service && service->runLoop == runLoop)
        service->runLoop = nullptr;
}

Boolean CFNetServiceResolve(CFNetServiceRef theService, CFStreamError* error) {
    return startResolving(theService, 0, error);
}

CFArrayRef CFNetServiceGetAddressing(CFNetServiceRef theService) {
    const __CFNetService* service = serviceOf(theService);
    return service ? service->addressing.get() : nullptr;
}

void CFNetServiceCancel(CFNetServiceRef theService) {
    if (__CFNetService* service = serviceOf(theService)) service->stop();
}
