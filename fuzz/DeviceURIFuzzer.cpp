// Feeds arbitrary text to the device-URI parsing the printer address relies on: the URL must be
// refused or give a scheme and host without crashing, and a numeric host (IPv4 or IPv6, never
// a name, so that nothing is looked up) must come back from the address resolution unchanged.
#include <CFRef.h>
#include <CFString.h>
#include <CFURL.h>
#include <PrinterAddressResolution.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool isNumericHost(const char* host) {
    in6_addr numeric;
    return inet_pton(AF_INET, host, &numeric) == 1 || inet_pton(AF_INET6, host, &numeric) == 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFRef<CFStringRef> text(
        CFStringCreateWithBytes(nullptr, data, CFIndex(size), kCFStringEncodingUTF8, false));
    if (!text) return 0;
    CFRef<CFURLRef> url(CFURLCreateWithString(nullptr, text.get(), nullptr));
    if (!url) return 0;
    CFRef<CFStringRef> scheme(CFURLCopyScheme(url.get()));
    if (scheme) check(CFStringGetLength(scheme.get()) > 0);
    CFRef<CFStringRef> host(CFURLCopyHostName(url.get()));
    char hostText[256];
    if (!host || !CFStringGetCString(host.get(), hostText, sizeof hostText, kCFStringEncodingASCII))
        return 0;
    // A NUL reaches the host only through a "%00" escape, never from the text as it is.
    const std::string_view uri(reinterpret_cast<const char*>(data), size);
    check(std::strlen(hostText) == size_t(CFStringGetLength(host.get())) ||
          uri.find("%00") != std::string_view::npos);
    if (!isNumericHost(hostText)) return 0;
    char address[256] = {};
    check(CopyResolvedIPAddress(hostText, address, sizeof address) == 0);
    check(std::strcmp(address, hostText) == 0);
    return 0;
}
