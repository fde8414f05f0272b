// Feeds a short text to the two readers of ticket values: as the stored text of a text field
// (plain, or "/"-escaped when it starts with "/") read back by GetValueFromTicket, whose value
// must stay terminated within its buffer; and as obscured base64 password text (an exactly
// sized heap copy) decoded into an exactly sized buffer, whose bytes must survive encoding
// and decoding again.
#include <CBaseControl.h>
#include <PasswordObfuscation.h>

#include <CFPreferences.h>
#include <PMTicket.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr size_t kTextSize = 256;

const ControlID kNameID = {FOUR_CHAR_CODE("snte"), 403};
const ControlAccessInfo kNameAccess = {
    FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"), kCFPreferencesCurrentUser,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderName"), nullptr};

void check(bool condition) {
    if (!condition) std::abort();
}

// A text field's value: NUL-terminated UTF-8 in a 256-byte buffer.
class TextControl : public CBaseControl {
  public:
    TextControl() : CBaseControl(&kNameID, nullptr, &kNameAccess) {
        AllocateValueBuffers(kTextSize);
    }
    const char* value() const { return static_cast<const char*>(controlValue_); }
};

void readStoredText(const std::string& stored) {
    PMTicketRef ticket = nullptr;
    check(PMTicketCreate(nullptr, nullptr, &ticket) == noErr);
    if (PMTicketSetCString(ticket, CFSTR("fuzz"), kNameAccess.ticketKey, stored.c_str(), false) ==
        noErr) {
        TextControl name;
        check(name.GetValueFromTicket(ticket));
        const size_t length = strnlen(name.value(), kTextSize);
        check(length < kTextSize);
        if (stored[0] != '/' && stored.size() < 1024)
            check(stored.compare(0, length, name.value()) == 0);
    }
    PMTicketRelease(ticket);
}

void decodePassword(const std::string& text) {
    const auto inLength = SInt32(text.size());
    const std::unique_ptr<UInt8[]> input(new UInt8[text.size() + 1]);
    std::memcpy(input.get(), text.c_str(), text.size() + 1);
    const SInt32 capacity = 3 * ((inLength + 3) / 4);
    const std::unique_ptr<UInt8[]> output(new UInt8[capacity ? capacity : 1]);
    UInt32 outLength = 0;
    const SInt32 status = KVEB64ToBin(input.get(), inLength, output.get(), &outLength, capacity);
    if (inLength < 1) {
        check(status == -2);
        return;
    }
    check(status == 0);
    check(outLength <= UInt32(capacity));
    if (outLength == 0) return;

    const SInt32 encodedCapacity = 4 * ((SInt32(outLength) + 2) / 3);
    const std::unique_ptr<UInt8[]> encoded(new UInt8[encodedCapacity + 1]);
    UInt32 encodedLength = 0;
    check(KVEBinToB64(output.get(), SInt32(outLength), encoded.get(), &encodedLength,
                      encodedCapacity) == 0);
    check(encodedLength == UInt32(encodedCapacity));
    encoded[encodedLength] = 0;
    const std::unique_ptr<UInt8[]> again(new UInt8[3 * (encodedLength / 4)]);
    UInt32 againLength = 0;
    check(KVEB64ToBin(encoded.get(), SInt32(encodedLength), again.get(), &againLength,
                      SInt32(3 * (encodedLength / 4))) == 0);
    check(againLength >= outLength);
    check(std::memcmp(again.get(), output.get(), outLength) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 2048) return 0;
    // Both readers take NUL-terminated text: it ends at the first NUL.
    const std::string text(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), size));
    readStoredText(text);
    decodePassword(text);
    return 0;
}
