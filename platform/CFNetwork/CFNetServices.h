// Resolution of DNS service discovery names (CFNetService) over the Avahi daemon. A service is
// made from its domain, type and name, given a client callback, scheduled on the calling
// thread's run loop and resolved there: the answer (or the error that ends the resolution)
// reaches the client exactly once, on that run loop, while the service is scheduled. A service
// is a CF object: whoever creates it releases it with CFRelease.
#pragma once

#include <CFArray.h>
#include <CFRunLoop.h>
#include <CFString.h>

CF_EXTERN_C_BEGIN

typedef struct __CFNetService* CFNetServiceRef;

typedef CFIndex CFStreamErrorDomain;
enum : CFStreamErrorDomain {
    kCFStreamErrorDomainPOSIX = 1,
    kCFStreamErrorDomainNetServices = 10,
};
// domain 0 means no error.
typedef struct {
    CFStreamErrorDomain domain;
    SInt32 error;
} CFStreamError;

enum : SInt32 {
    kCFNetServicesErrorUnknown = -72000,     // the daemon failed the resolution
    kCFNetServicesErrorNotFound = -72002,    // no such service, or no daemon to ask
    kCFNetServicesErrorInProgress = -72003,  // already resolving
    kCFNetServicesErrorBadArgument = -72004, // a name, type or domain the daemon refuses
    kCFNetServicesErrorInvalid = -72006,     // no client, or not scheduled on a run loop
    kCFNetServicesErrorTimeout = -72007,     // no answer within the time-out
};

// Called once per resolution: with a zero error domain when the addresses are known, else with
// the error that ended it.
typedef void (*CFNetServiceClientCallBack)(CFNetServiceRef theService, CFStreamError* error,
                                           void* info);
typedef struct {
    CFIndex version;
    void* info;
    const void* (*retain)(const void* info);
    void (*release)(const void* info);
    CFStringRef (*copyDescription)(const void* info);
} CFNetServiceClientContext;

// A service to resolve: domain (e.g. "local."), type (e.g. "_ipp._tcp.") and instance name;
// null when any of them is missing. The port is kept for callers and not used to resolve.
CFNetServiceRef CFNetServiceCreate(CFAllocatorRef alloc, CFStringRef domain,
                                   CFStringRef serviceType, CFStringRef name, SInt32 port);
// Sets the client (the context is copied and its info retained with its retain callback); a
// null callback clears it, releasing the info. True unless the service is null.
Boolean CFNetServiceSetClient(CFNetServiceRef theService, CFNetServiceClientCallBack clientCB,
                              CFNetServiceClientContext* clientContext);
// Answers reach the client only while the service is scheduled on a run loop; every mode is
// served by that run loop's one Qt event loop. It must be the calling thread's run loop.
void CFNetServiceScheduleWithRunLoop(CFNetServiceRef theService, CFRunLoopRef runLoop,
                                     CFStringRef runLoopMode);
void CFNetServiceUnscheduleFromRunLoop(CFNetServiceRef theService, CFRunLoopRef runLoop,
                                       CFStringRef runLoopMode);
// Starts resolving and returns at once; the answer comes through the client. Without a time-out
// the look-up runs until an answer, an error or CFNetServiceCancel. False, with *error (may be
// null) set, when it cannot start: no client or run loop (kCFNetServicesErrorInvalid), already
// resolving (kCFNetServicesErrorInProgress), no daemon (kCFNetServicesErrorNotFound).
Boolean CFNetServiceResolve(CFNetServiceRef theService, CFStreamError* error);
// The addresses found: a borrowed array of CFData, each a struct sockaddr_in or sockaddr_in6
// (an IPv6 link-local address with the interface index as its scope id), with the service's
// port; null until resolved.
CFArrayRef CFNetServiceGetAddressing(CFNetServiceRef theService);
// Stops a running resolution; its client is not called.
void CFNetServiceCancel(CFNetServiceRef theService);

CF_EXTERN_C_END

// Resolving with a time-out is a later addition to the platform, so callers test its presence
// before calling it: null where the platform lacks it. After `timeout` seconds without an answer
// the client gets kCFNetServicesErrorTimeout. Otherwise as CFNetServiceResolve.
typedef Boolean (*CFNetServiceResolveWithTimeoutProc)(CFNetServiceRef theService,
                                                      CFTimeInterval timeout, CFStreamError* error);
extern CFNetServiceResolveWithTimeoutProc const& CFNetServiceResolveWithTimeout;
