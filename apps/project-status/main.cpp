// Shows what the project has built so far, exercising each part briefly.
#include <CFRef.h>
#include <CoreFoundation.h>
#include <PasswordObfuscation.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(CFStringRef string) {
    char buffer[256];
    return CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8) ? buffer : "?";
}

// How the password "1234" travels in a fax job's ticket.
std::string ticketFormOfPassword(const char* password) {
    UInt8 obscured[16] = {};
    UInt8 encoded[32] = {};
    UInt32 length = 0;
    const auto* input = reinterpret_cast<const UInt8*>(password);
    const auto inputLength = SInt32(std::char_traits<char>::length(password));
    if (KVEEncrypt(input, inputLength, obscured, &length, sizeof obscured) != 0) return "?";
    if (KVEBinToB64(obscured, SInt32(length), encoded, &length, sizeof encoded - 1) != 0)
        return "?";
    return reinterpret_cast<const char*>(encoded);
}

} // namespace

int main() {
    std::puts("Norvale Sendra Fax pane: what is built so far\n");

    std::puts(
        "platform/CoreFoundation: strings and encodings, arrays, dictionaries, numbers, data,");
    std::puts(
        "  UUIDs, URLs, bundles and localised strings, preferences, run-loop timers, plug-ins.");
    const CFStringEncoding encodings[] = {
        kCFStringEncodingMacRoman,      kCFStringEncodingMacJapanese, kCFStringEncodingISOLatin1,
        kCFStringEncodingWindowsLatin1, kCFStringEncodingUTF8,        kCFStringEncodingUTF16LE};
    int available = 0;
    for (CFStringEncoding encoding : encodings)
        available += CFStringIsEncodingAvailable(encoding);
    std::printf("  %d of %zu text encodings of the printer files are available.\n", available,
                sizeof encodings / sizeof encodings[0]);
    CFRef<CFStringRef> key(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@%d"), CFSTR("recipient."), 1));
    std::printf("  A numbered ticket key: %s\n\n", utf8(key.get()).c_str());

    std::puts("fax/PasswordObfuscation: the fax password in the ticket, XOR-obscured and base64.");
    std::printf("  The password 1234 is written as %s\n\n", ticketFormOfPassword("1234").c_str());

    std::puts(
        "Still to come: the toolbox over Qt Widgets, the printing system and the print dialog,");
    std::puts("then the fax pane itself. Run scripts/test.sh to run every test.");
    return 0;
}
