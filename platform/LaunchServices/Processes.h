// The Process Manager: the running processes, the application each one runs, bringing one to
// the front, and leaving the process. A process's serial number is {kProcessIDTag, its pid};
// {0, kCurrentProcess} names the caller and {0, kNoProcess} starts a walk.
#pragma once

#include <Files.h>

#include <sys/types.h>

struct ProcessSerialNumber {
    UInt32 highLongOfPSN;
    UInt32 lowLongOfPSN;
};

enum : UInt32 { kNoProcess = 0, kSystemProcess = 1, kCurrentProcess = 2 };
inline constexpr UInt32 kProcessIDTag = 1;

// The process does not exist (or a walk has no further process).
inline constexpr OSErr procNotFound = -600;
// The application cannot be brought to the front: its desktop entry offers no activation.
inline constexpr OSErr appIsDaemon = -606;
// The desktop's activation could not be reached: no session bus, or the call failed or timed
// out.
inline constexpr OSErr connectionInvalid = -609;

extern "C" {

// The next running process after the one in PSN, in process ID order; procNotFound after the
// last. A walk from {0, kNoProcess} takes a fresh list of the processes.
OSErr GetNextProcess(ProcessSerialNumber* PSN);
// The process ID; procNotFound for a serial number that names no process.
OSStatus GetProcessPID(const ProcessSerialNumber* psn, pid_t* pid);
// The location of the application the process runs (DesktopEntries.h), from its executable;
// procNotFound when it is gone or its executable cannot be read (another user's, the kernel's).
OSStatus GetProcessBundleLocation(const ProcessSerialNumber* psn, FSRef* location);
// Brings the process's application to the front through the desktop's standard activation
// (org.freedesktop.Application.Activate of its D-Bus activatable desktop entry on the session
// bus, waiting at most three seconds): noErr, procNotFound, appIsDaemon or connectionInvalid.
OSErr SetFrontProcess(const ProcessSerialNumber* PSN);
// Ends the process at once with status 0, running no exit handlers and flushing no buffers, so
// that a forked child can leave without touching its parent's state.
[[noreturn]] void ExitToShell(void);
}
