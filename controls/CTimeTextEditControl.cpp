// The delayed-send time: the clock's long date record as "HH:MM" text and back.
#include "CTimeTextEditControl.h"

#include <PlugInIdentity.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// The clock's long date record: hour and minute are its fifth and sixth 16-bit fields.
static_assert(sizeof(LongDateRec) == 28 && offsetof(LongDateRec, hour) == 8 &&
              offsetof(LongDateRec, minute) == 10);

bool readClock(ControlRef clock, LongDateRec& date) {
    return GetControlData(clock, kControlClockPart, kControlClockLongDateTag, sizeof date, &date,
                          nullptr) == noErr;
}

// The hour and minute of an "HH:MM" text; false for any other text.
bool parseTime(const char* text, SInt16& hour, SInt16& minute) {
    unsigned h = 0;
    unsigned m = 0;
    char end = '\0';
    if (std::strlen(text) != 5 || std::sscanf(text, "%2u:%2u%c", &h, &m, &end) != 2 || h > 23 ||
        m > 59)
        return false;
    hour = SInt16(h);
    minute = SInt16(m);
    return true;
}

} // namespace

void* CTimeTextEditControl::GetValueFromUI() {
    if (!controlHandle_ || !controlValue_ || !uiValue_ || !accessInfo_) return nullptr;
    LongDateRec date{};
    if (!readClock(controlHandle_, date)) return nullptr;
    auto* text = static_cast<char*>(uiValue_);
    std::memset(text, 0, kTextValueSize);
    const int length = std::snprintf(text, kTextValueSize, "%02d:%02d", date.hour, date.minute);
    dataSize_ = length > 0 ? length : 0;
    return uiValue_;
}

bool CTimeTextEditControl::SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) {
    if (!accessInfo_ || !accessInfo_->ticketKey) return false;
    char text[kTextValueSize] = {};
    if (!ConvertToTickectData(reinterpret_cast<unsigned char*>(text))) return false;
    return PMTicketSetCString(ticket, GetAppClientID(), accessInfo_->ticketKey, text, locked) ==
           noErr;
}

bool CTimeTextEditControl::SetControlValueToUI() {
    dataSize_ = SInt32(strnlen(ControlValueText(), kTextValueSize - 1));
    if (!controlHandle_) return false;
    SInt16 hour = 0;
    SInt16 minute = 0;
    if (!parseTime(ControlValueText(), hour, minute)) return true;
    LongDateRec date{};
    if (!readClock(controlHandle_, date)) return false;
    date.hour = hour;
    date.minute = minute;
    date.second = 0;
    return ::SetControlData(controlHandle_, kControlClockPart, kControlClockLongDateTag,
                            sizeof date, &date) == noErr;
}
