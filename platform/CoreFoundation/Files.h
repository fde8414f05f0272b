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

// FSSpec: the file record that older file calls take. Here it holds the same path as the
// reference it was made from.
struct FSSpec {
    UInt8 hidden[PATH_MAX];
};

typedef UInt32 FSCatalogInfoBitmap;
enum : FSCatalogInfoBitmap { kFSCatInfoNone = 0 };
struct FSCatalogInfo;
struct HFSUniStr255;

extern "C" {
// The file's FSSpec. Only the FSSpec is filled in here: the other outputs must be
// null and whichInfo kFSCatInfoNone (else paramErr). fnfErr when the file no longer exists.
OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef);
}

// The two references name different files or folders.
inline constexpr OSErr errFSRefsDifferent = -1420;

// noErr when both references name the same file or folder, errFSRefsDifferent when they do
// not, paramErr for a null reference.
extern "C" OSErr FSCompareFSRefs(const FSRef* ref1, const FSRef* ref2);
