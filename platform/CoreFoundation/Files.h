// File references: a fixed-size value naming an existing file or folder, made from a URL with
// CFURLGetFSRef and turned back into one with CFURLCreateFromFSRef. It holds the file's
// canonical absolute path (links resolved), NUL-terminated, so that two references to the
// same file hold the same bytes.
#pragma once

#include "MacTypes.h"

#include <climits>

struct FSRef {
    UInt8 hidden[PATH_MAX];
};

// The two references name different files or folders.
inline constexpr OSErr errFSRefsDifferent = -1420;

// noErr when both references name the same file or folder, errFSRefsDifferent when they do
// not, paramErr for a null reference.
extern "C" OSErr FSCompareFSRefs(const FSRef* ref1, const FSRef* ref2);
