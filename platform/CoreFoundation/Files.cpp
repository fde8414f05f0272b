// Catalog information of file references.
#include "Files.h"

#include <sys/stat.h>

#include <cstring>

OSErr FSGetCatalogInfo(const FSRef* ref, FSCatalogInfoBitmap whichInfo, FSCatalogInfo* catalogInfo,
                       HFSUniStr255* outName, FSSpec* fsSpec, FSRef* parentRef) {
    if (!ref || whichInfo != kFSCatInfoNone || catalogInfo || outName || parentRef) return paramErr;
    const auto* path = reinterpret_cast<const char*>(ref->hidden);
    struct stat status;
    if (strnlen(path, sizeof ref->hidden) == sizeof ref->hidden || stat(path, &status) != 0)
        return fnfErr;
    if (fsSpec) std::memcpy(fsSpec->hidden, ref->hidden, sizeof fsSpec->hidden);
    return noErr;
}
