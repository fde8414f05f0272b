// System facts by selector.
#pragma once

#include <MacTypes.h>

extern "C" {

enum : OSType {
    gestaltSystemVersion = FOUR_CHAR_CODE("sysv"), // binary-coded version, e.g. 0x1049 = 10.4.9
};

// noErr and the answer for a known selector; gestaltUndefSelectorErr for another; paramErr
// without a response pointer.
OSErr Gestalt(OSType selector, SInt32* response);
}
