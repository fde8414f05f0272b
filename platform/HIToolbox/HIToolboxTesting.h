// Hooks for the test driver: how tests watch and steer what the toolbox does. Production code
// does not use them.
#pragma once

#include "MacWindows.h"

// Called as each modal loop is about to run (RunAppModalLoopForWindow, RunStandardAlert) with
// the loop's window and running true, and again with false once that loop has ended (the
// window may be gone by then: it only names the loop); null clears the observer.
typedef void (*HIModalLoopObserver)(WindowRef window, Boolean running, void* userData);
void HISetModalLoopObserver(HIModalLoopObserver observer, void* userData);

UInt32 HIGetBeepCount(void); // SysBeep calls so far

// Makes Gestalt('sysv') report the version (binary-coded, e.g. 0x1039); 0 restores the
// current one.
void HISetSystemVersionForTesting(SInt32 version);
