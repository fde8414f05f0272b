// The generic storage of a control's value: in the print-settings ticket as plain, escaped or
// obscured text, and in the per-printer preferences. Derived classes supply only the text
// forms of their value.
#include "CBaseControl.h"

#include <CBasePrintPanel.h>
#include <PPDEncoding.h>
#include <PasswordObfuscation.h>
#include <PlugInIdentity.h>
#include <SessionAccessors.h>

#include <CFPreferences.h>
#include <CFRef.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kTextSize = 256;         // ticket text, control value and preference text
constexpr size_t kEscapedTextSize = 1024; // "/" and up to three digits for each of 255 bytes
constexpr SInt32 kCodingCapacity = 255;   // of the obscuring buffers, leaving room for the NUL

// Copies the NUL-terminated text into the size-byte buffer, cut to size - 1 bytes.
void copyText(char* buffer, size_t size, const char* text) {
    const size_t length = strnlen(text, size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool needsEscaping(const char* text) {
    return text[0] == '/' || std::strpbrk(text, "',\\") != nullptr;
}

// "/" and the decimal value of each byte of text.
void escape(const char* text, char (&escaped)[kEscapedTextSize]) {
    constexpr size_t kGroupSize = 4; // "/255"
    char* out = escaped;
    char* const last = escaped + kEscapedTextSize - 1;
    for (const char* byte = text; *byte && size_t(last - out) >= kGroupSize; ++byte) {
        *out++ = '/';
        out = std::to_chars(out, last, static_cast<unsigned char>(*byte)).ptr;
    }
    *out = '\0';
}

// The bytes of the "/"-separated decimal numbers after the leading "/", each number's low 8
// bits, at most kTextSize - 1 of them; a character other than a digit or "/" ends the text.
void unescape(const char* escaped, char (&text)[kTextSize]) {
    size_t length = 0;
    const char* cursor = escaped + 1;
    while (length < kTextSize - 1 && isDigit(*cursor)) {
        unsigned value = 0;
        for (; isDigit(*cursor); ++cursor)
            value = (value * 10 + unsigned(*cursor - '0')) & 0xFF;
        text[length++] = char(value);
        if (*cursor != '/') break;
        ++cursor;
    }
    text[length] = '\0';
}

bool writeTicketText(PMTicketRef ticket, CFStringRef key, const char* text, bool locked) {
    return PMTicketSetCString(ticket, GetAppClientID(), key, text, locked) == noErr;
}

CFStringRef ticketKeyOf(const ControlAccessInfo* accessInfo) {
    return accessInfo ? accessInfo->ticketKey : nullptr;
}

CFStringRef preferenceKeyOf(const ControlAccessInfo* accessInfo) {
    return accessInfo ? accessInfo->preferenceKey : nullptr;
}

// The owner panel's current printer string followed by the preference key; null when either
// is missing.
CFRef<CFMutableStringRef> makePreferenceKey(const CBasePrintPanel* owner,
                                            CFStringRef preferenceKey) {
    CFRef<CFMutableStringRef> key(CFStringCreateMutable(nullptr, 0));
    if (!key || !owner ||
        !CreateKeyWithCurrentPrinter(preferenceKey, owner->GetCurrentPrinterString(), key.get()))
        return {};
    return key;
}

} // namespace

bool CBaseControl::SetValueToTicket(OpaquePMTicketRef* ticket, bool locked,
                                    __CFArray* encryptedControls) {
    const CFIndex count =
        (encryptedControls && controlID_) ? CFArrayGetCount(encryptedControls) : 0;
    for (CFIndex index = 0; index < count; ++index) {
        const auto* listed =
            static_cast<const ControlID*>(CFArrayGetValueAtIndex(encryptedControls, index));
        if (listed && listed->signature == controlID_->signature && listed->id == controlID_->id)
            return SetValueToTicketWithKVEEnc(ticket, locked);
    }
    return SetValueToTicket(ticket, locked);
}

bool CBaseControl::SetValueToTicketWithKVEEnc(OpaquePMTicketRef* ticket, bool locked) {
    const CFStringRef key = ticketKeyOf(accessInfo_);
    if (!key) return false;
    char text[kTextSize] = {};
    if (!ConvertToTickectData(reinterpret_cast<unsigned char*>(text))) return false;
    text[kTextSize - 1] = '\0';
    // Every byte of the text is obscured: its display length would leave out the second byte
    // of a character such as U+00E9.
    const auto length = SInt32(std::strlen(text));
    if (length > 0) {
        UInt8 obscured[kTextSize] = {};
        UInt32 obscuredLength = 0;
        if (KVEEncrypt(reinterpret_cast<const UInt8*>(text), length, obscured, &obscuredLength,
                       kCodingCapacity) != 0)
            return false;
        std::memset(text, 0, sizeof text);
        UInt32 textLength = 0;
        if (KVEBinToB64(obscured, SInt32(obscuredLength), reinterpret_cast<UInt8*>(text),
                        &textLength, kCodingCapacity) != 0)
            return false;
    }
    return writeTicketText(ticket, key, text, locked);
}

bool CBaseControl::SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) {
    char text[kTextSize] = {};
    const CFStringRef key = ticketKeyOf(accessInfo_);
    if (!key || !ConvertToTickectData(reinterpret_cast<unsigned char*>(text))) return false;
    text[kTextSize - 1] = '\0';
    if (!needsEscaping(text)) return writeTicketText(ticket, key, text, locked);
    char escaped[kEscapedTextSize] = {};
    escape(text, escaped);
    return writeTicketText(ticket, key, escaped, locked);
}

bool CBaseControl::GetValueFromTicket(OpaquePMTicketRef* ticket) {
    const CFStringRef key = ticketKeyOf(accessInfo_);
    if (!ticket || !key) return false;
    // Room for the whole escaped form: a text of 64 bytes may already need more than 256.
    char stored[kEscapedTextSize] = {};
    if (PMTicketGetCString(ticket, kPMTopLevel, kPMTopLevel, key, sizeof stored,
                           kCFStringEncodingUTF8, stored) != noErr)
        return true;
    if (!controlValue_) return false;
    char text[kTextSize] = {};
    if (stored[0] == '/')
        unescape(stored, text);
    else
        copyText(text, sizeof text, stored);
    // The text is cut to the buffer: a control whose value is a number has 4 bytes.
    const size_t size = GetValueBufferSize();
    if (size == 0) return false;
    std::memset(controlValue_, 0, size);
    copyText(static_cast<char*>(controlValue_), std::min(size, kTextSize), text);
    return true;
}

bool CBaseControl::SetValueToPreference() {
    const CFStringRef preferenceKey = preferenceKeyOf(accessInfo_);
    if (!preferenceKey) return true;
    if (!controlValue_) return false;
    // A whole text value (255 bytes and its NUL) fits.
    char text[kTextSize] = {};
    if (!ConvertToPreferenceString(text)) return false;
    text[kTextSize - 1] = '\0';
    const CFRef<CFMutableStringRef> key = makePreferenceKey(ownerPanel_, preferenceKey);
    const CFRef<CFStringRef> value(CFStringCreateWithCString(nullptr, text, currentPDEEncoding));
    if (!key || !value) return false;
    CFPreferencesSetValue(key.get(), value.get(), kCFPreferencesAnyApplication,
                          accessInfo_->preferencesUser, kCFPreferencesCurrentHost);
    return CFPreferencesSynchronize(kCFPreferencesAnyApplication, accessInfo_->preferencesUser,
                                    kCFPreferencesCurrentHost);
}

bool CBaseControl::GetValueToPreference() {
    const CFStringRef preferenceKey = preferenceKeyOf(accessInfo_);
    if (!preferenceKey) return true;
    if (!controlValue_) return false;
    const CFRef<CFMutableStringRef> key = makePreferenceKey(ownerPanel_, preferenceKey);
    if (!key) return false;
    const CFRef<CFPropertyListRef> value(
        CFPreferencesCopyValue(key.get(), kCFPreferencesAnyApplication,
                               accessInfo_->preferencesUser, kCFPreferencesCurrentHost));
    // Room for every text that SetValueToPreference stores.
    char text[kTextSize] = {};
    if (CFGetTypeID(value.get()) != CFStringGetTypeID() ||
        !CFStringGetCString(static_cast<CFStringRef>(value.get()), text, sizeof text,
                            currentPDEEncoding))
        return false;
    return ConvertFromPreferenceString(text);
}

char* CBaseControl::itoa(int value, char* buffer, int size) {
    if (!buffer || size < 2) return nullptr;
    char* first = buffer + size - 1;
    *first = '\0';
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        if (first == buffer) return nullptr;
        *--first = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) {
        if (first == buffer) return nullptr;
        *--first = '-';
    }
    return first;
}

bool CBaseControl::StoreDecimalControlValue(const char* text) {
    if (!text || !controlValue_) return false;
    const long value = std::strtol(text, nullptr, 10);
    *static_cast<SInt32*>(controlValue_) = SInt32(std::clamp<long>(value, INT32_MIN, INT32_MAX));
    return true;
}
