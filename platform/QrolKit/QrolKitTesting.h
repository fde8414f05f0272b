// Hooks for tests: how they steer the address-book files. Production code does not use them.
#pragma once

#include <MacTypes.h>

// Called inside QrolGADFile_Add's transaction, after the entries are written and before they
// are committed (a test may kill the process there); null clears it.
void QrolSetAddCommitHookForTesting(void (*hook)(void));
// How long a file call waits for another process's lock; 0 restores the default (5 s).
void QrolSetBusyTimeoutForTesting(int milliseconds);
