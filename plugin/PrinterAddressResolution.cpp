#include "PrinterAddressResolution.h"
#include "CSendraFaxPanel.h"

#include <CFArray.h>
#include <CFData.h>
#include <CFRef.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr OSStatus kAddressNotResolved = -1;
constexpr size_t kHostAddressSize = 256;   // a host name, or the address found from it
constexpr size_t kServiceAddressSize = 46; // an address found through service discovery

bool schemeIs(CFStringRef scheme, CFStringRef name) {
    return CFStringCompare(scheme, name, kCFCompareCaseInsensitive) == kCFCompareEqualTo;
}

// IPv6 text; a link-local address gets "%" and its scope's interface name when the whole of it
// fits, so that a cut name never names another interface.
bool formatIPv6(const sockaddr_in6& address, char* buffer, size_t size) {
    if (!inet_ntop(AF_INET6, &address.sin6_addr, buffer, socklen_t(size))) return false;
    char interface[IF_NAMESIZE];
    if (IN6_IS_ADDR_LINKLOCAL(&address.sin6_addr) &&
        if_indextoname(address.sin6_scope_id, interface)) {
        const size_t length = std::strlen(buffer);
        if (length + 1 + std::strlen(interface) < size)
            std::snprintf(buffer + length, size - length, "%%%s", interface);
    }
    return true;
}

// The text of a socket address of `length` bytes (an IPv4 or IPv6 one); false for another
// family, bytes too short for their family, or text that does not fit.
bool formatSocketAddress(const void* bytes, size_t length, char* buffer, size_t size) {
    if (length < sizeof(sockaddr_in)) return false;
    sa_family_t family;
    std::memcpy(&family, static_cast<const char*>(bytes) + offsetof(sockaddr, sa_family),
                sizeof family);
    if (family == AF_INET) {
        sockaddr_in ipv4;
        std::memcpy(&ipv4, bytes, sizeof ipv4);
        return inet_ntop(AF_INET, &ipv4.sin_addr, buffer, socklen_t(size)) != nullptr;
    }
    if (family != AF_INET6 || length < sizeof(sockaddr_in6)) return false;
    sockaddr_in6 ipv6;
    std::memcpy(&ipv6, bytes, sizeof ipv6);
    return formatIPv6(ipv6, buffer, size);
}

// Host names ("lpd", "ipp", "socket"): the host's address, stored at once.
OSStatus storeHostAddress(CSendraFaxPanel* pane, CFURLRef deviceURI) {
    CFRef<CFStringRef> host(CFURLCopyHostName(deviceURI));
    char hostText[kHostAddressSize];
    if (!host || !CFStringGetCString(host.get(), hostText, sizeof hostText, kCFStringEncodingASCII))
        return kAddressNotResolved;
    char address[kHostAddressSize] = {};
    if (CopyResolvedIPAddress(hostText, address, sizeof address) != 0) return kAddressNotResolved;
    CFRef<CFStringRef> text(CFStringCreateWithCString(nullptr, address, kCFStringEncodingASCII));
    if (!text) return kAddressNotResolved;
    pane->SetPrinterAddress(text.get());
    return noErr;
}

// The service name and type ("%@._tcp.") of a service-discovery host name such as
// "Fax Room._pdl-datastream._tcp.local."; false when the host has no such form.
bool splitServiceName(CFStringRef host, CFRef<CFStringRef>& name, CFRef<CFStringRef>& type) {
    CFRef<CFArrayRef> pieces(CFStringCreateArrayBySeparatingStrings(nullptr, host, CFSTR("._tcp")));
    if (!pieces || CFArrayGetCount(pieces.get()) < 2) return false;
    const auto first = static_cast<CFStringRef>(CFArrayGetValueAtIndex(pieces.get(), 0));
    const CFRange dot = CFStringFind(first, CFSTR("."), kCFCompareBackwards);
    const CFIndex length = CFStringGetLength(first);
    if (dot.location == kCFNotFound || dot.location == 0 || dot.location + 1 == length)
        return false;
    name.reset(CFStringCreateWithSubstring(nullptr, first, CFRangeMake(0, dot.location)));
    CFRef<CFStringRef> bareType(CFStringCreateWithSubstring(
        nullptr, first, CFRangeMake(dot.location + 1, length - dot.location - 1)));
    if (bareType)
        type.reset(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@._tcp."), bareType.get()));
    return name && type;
}

// Bonjour printers: resolves the service named by the host; the answer comes later.
OSStatus startBonjourLookup(CSendraFaxPanel* pane, CFURLRef deviceURI) {
    CFRef<CFStringRef> host(CFURLCopyHostName(deviceURI));
    CFRef<CFStringRef> name, type;
    if (!host || !splitServiceName(host.get(), name, type)) return kAddressNotResolved;
    CFNetServiceRef service =
        CFNetServiceCreate(nullptr, CFSTR("local."), type.get(), name.get(), 0);
    if (!service) return kAddressNotResolved;
    EndPrinterAddressLookup(pane); // a look-up started earlier gives way
    auto* lookup = new (std::nothrow) PrinterAddressLookup{pane, service, nullptr};
    if (!lookup) {
        CFRelease(service);
        return kAddressNotResolved;
    }
    pane->SetPrinterAddressLookup(lookup);

    CFNetServiceClientContext clientContext{0, pane, nullptr, nullptr, nullptr};
    CFNetServiceSetClient(service, DidResolveBonjourPrinter, &clientContext);
    CFNetServiceScheduleWithRunLoop(service, CFRunLoopGetCurrent(), kCFRunLoopCommonModes);
    CFStreamError error{};
    Boolean started = false;
    if (CFNetServiceResolveWithTimeout) {
        started = CFNetServiceResolveWithTimeout(service, kPlatformResolveTimeout, &error);
    } else {
        pane->SetResolving(true);
        CFRunLoopTimerContext timerContext{0, lookup, nullptr, nullptr, nullptr};
        lookup->timer =
            CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent() + kResolveTimerInterval, 0, 0,
                                 0, TimeoutResolvePrinter, &timerContext);
        CFRunLoopAddTimer(CFRunLoopGetCurrent(), lookup->timer, kCFRunLoopCommonModes);
        started = lookup->timer && CFNetServiceResolve(service, &error);
    }
    // A look-up that cannot start would never answer: nothing of it is left running.
    if (!started) {
        EndPrinterAddressLookup(pane);
        return kAddressNotResolved;
    }
    return noErr;
}

} // namespace

OSStatus CSendraFaxPanel::ResolveCurrentPrinter(PMPrintSession session) {
    PMPrinter printer = nullptr;
    if (const OSStatus status = PMSessionGetCurrentPrinter(session, &printer); status != noErr)
        return status;
    CFURLRef deviceURI = nullptr;
    if (const OSStatus status = PMPrinterGetDeviceURI(printer, &deviceURI); status != noErr)
        return status;
    return ResolvePrinterDeviceURI(this, deviceURI);
}

// CUPS spells the service-discovery scheme "dnssd" and IPP over TLS "ipps".
OSStatus ResolvePrinterDeviceURI(CSendraFaxPanel* pane, CFURLRef deviceURI) {
    CFRef<CFStringRef> scheme(CFURLCopyScheme(deviceURI));
    if (!scheme) return kAddressNotResolved;
    if (schemeIs(scheme.get(), CFSTR("usb"))) {
        CFRef<CFStringRef> empty(CFStringCreateWithCString(nullptr, "", kCFStringEncodingASCII));
        if (!empty) return kAddressNotResolved;
        pane->SetPrinterAddress(empty.get());
        return noErr;
    }
    if (schemeIs(scheme.get(), CFSTR("mdns")) || schemeIs(scheme.get(), CFSTR("dnssd")))
        return startBonjourLookup(pane, deviceURI);
    if (schemeIs(scheme.get(), CFSTR("lpd")) || schemeIs(scheme.get(), CFSTR("ipp")) ||
        schemeIs(scheme.get(), CFSTR("ipps")) || schemeIs(scheme.get(), CFSTR("socket")))
        return storeHostAddress(pane, deviceURI);
    return noErr;
}

void DidResolveBonjourPrinter(CFNetServiceRef service, CFStreamError*, void* info) {
    if (!service) return;
    auto* pane = static_cast<CSendraFaxPanel*>(info);
    pane->SetResolving(false);
    CFArrayRef addresses = CFNetServiceGetAddressing(service);
    const CFIndex count = addresses ? CFArrayGetCount(addresses) : 0;
    for (CFIndex index = 0; index < count; ++index) {
        const auto data = static_cast<CFDataRef>(CFArrayGetValueAtIndex(addresses, index));
        if (!data) continue;
        const UInt8* bytes = CFDataGetBytePtr(data);
        if (!bytes) break;
        char address[kServiceAddressSize];
        if (!formatSocketAddress(bytes, size_t(CFDataGetLength(data)), address, sizeof address))
            continue;
        CFRef<CFStringRef> text(CFStringCreateWithCString(nullptr, address, kCFStringEncodingUTF8));
        if (text) pane->SetPrinterAddress(text.get());
        break;
    }
    EndPrinterAddressLookup(pane);
}

void TimeoutResolvePrinter(CFRunLoopTimerRef, void* info) {
    if (info) EndPrinterAddressLookup(static_cast<PrinterAddressLookup*>(info)->pane);
}

void EndPrinterAddressLookup(CSendraFaxPanel* pane) {
    PrinterAddressLookup* lookup = pane->GetPrinterAddressLookup();
    if (!lookup) return;
    pane->SetPrinterAddressLookup(nullptr);
    pane->SetResolving(false);
    CFNetServiceUnscheduleFromRunLoop(lookup->service, CFRunLoopGetCurrent(),
                                      kCFRunLoopCommonModes);
    CFNetServiceSetClient(lookup->service, nullptr, nullptr);
    CFNetServiceCancel(lookup->service);
    CFRelease(lookup->service);
    if (lookup->timer) {
        CFRunLoopTimerInvalidate(lookup->timer); // it may be the timer firing now
        CFRelease(lookup->timer);
    }
    delete lookup;
}

int CopyResolvedIPAddress(const char* host, char* buffer, size_t bufferSize) {
    if (!host || !buffer || bufferSize == 0) return 1;
    in6_addr numeric;
    if (inet_pton(AF_INET, host, &numeric) == 1 || inet_pton(AF_INET6, host, &numeric) == 1)
        return std::snprintf(buffer, bufferSize, "%s", host) < int(bufferSize) ? 0 : 1;

    addrinfo* results = nullptr;
    if (getaddrinfo(host, nullptr, nullptr, &results) != 0) {
        std::fputs("CopyResolvedIPAddress - getaddrinfo failed.\n", stderr);
        return 1;
    }
    // No converted result means no address: an empty one would stand for a USB printer.
    int result = 1;
    for (const addrinfo* entry = results; entry && result != 0; entry = entry->ai_next) {
        if (formatSocketAddress(entry->ai_addr, entry->ai_addrlen, buffer, bufferSize))
            result = 0;
        else
            std::fputs("CopyResolvedIPAddress - inet_ntop-IPv4 error.\n", stderr);
    }
    freeaddrinfo(results);
    return result;
}

int GetClientIPAddress(void) {
    char hostName[256] = {};
    if (gethostname(hostName, sizeof hostName - 1) != 0) return 1;
    std::printf(" Host name is %s\n", hostName);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address
    addrinfo* results = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &results) != 0) return 1;
    int index = 0;
    for (const addrinfo* entry = results; entry; entry = entry->ai_next) {
        char address[INET_ADDRSTRLEN];
        if (formatSocketAddress(entry->ai_addr, entry->ai_addrlen, address, sizeof address))
            std::printf("Address %d : %s\n", index++, address);
    }
    freeaddrinfo(results);
    return 0;
}
