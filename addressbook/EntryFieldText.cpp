// Entry texts into text-field buffers, cut between characters rather than refused.
#include "EntryFieldText.h"

#include <cstring>

bool CopyEntryTextForField(CFDictionaryRef entry, CFStringRef key, EntryFieldBuffer& buffer) {
    std::memset(buffer, 0, sizeof buffer);
    const void* value = entry ? CFDictionaryGetValue(entry, key) : nullptr;
    if (!value || CFGetTypeID(value) != CFStringGetTypeID()) return false;
    const auto text = static_cast<CFStringRef>(value);
    // Whole characters only, leaving the last byte for the NUL.
    CFIndex used = 0;
    CFStringGetBytes(text, CFRangeMake(0, CFStringGetLength(text)), kCFStringEncodingUTF8, 0, false,
                     reinterpret_cast<UInt8*>(buffer), CFIndex(sizeof buffer) - 1, &used);
    buffer[used] = '\0';
    return true;
}
