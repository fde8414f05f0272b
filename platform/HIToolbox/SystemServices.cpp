// Gestalt and the system beep, with the hooks that tests use to watch and steer them.
#include "Dialogs.h"
#include "Gestalt.h"
#include "HIToolboxTesting.h"
#include "MacErrors.h"

#include <QApplication>

namespace {

constexpr SInt32 currentSystemVersion = 0x1049; // 10.4.9
SInt32 reportedSystemVersion = currentSystemVersion;
UInt32 beepCount = 0;

} // namespace

OSErr Gestalt(OSType selector, SInt32* response) {
    if (!response) return paramErr;
    if (selector != gestaltSystemVersion) return OSErr(gestaltUndefSelectorErr);
    *response = reportedSystemVersion;
    return noErr;
}

void HISetSystemVersionForTesting(SInt32 version) {
    reportedSystemVersion = version ? version : currentSystemVersion;
}

void SysBeep(SInt16) {
    ++beepCount;
    QApplication::beep();
}

UInt32 HIGetBeepCount(void) {
    return beepCount;
}
