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
