#include "LSInfo.h"
#include "DesktopEntries.h"

#include <CFRef.h>

OSStatus LSFindApplicationForInfo(OSType, CFStringRef inBundleID, CFStringRef, FSRef* outAppRef,
                                  CFURLRef* outAppURL) {
    if (outAppURL) *outAppURL = nullptr;
    char identifier[1024];
    if (!inBundleID) return paramErr;
    if (!CFStringGetCString(inBundleID, identifier, sizeof identifier, kCFStringEncodingUTF8))
        return kLSApplicationNotFoundErr;
    const auto entry = launch_services::findDesktopEntry(identifier);
    if (!entry) return kLSApplicationNotFoundErr;

    CFRef<CFURLRef> url(launch_services::createLocationURL(entry->location));
    if (!url || (outAppRef && !CFURLGetFSRef(url.get(), outAppRef)))
        return kLSApplicationNotFoundErr;
    if (outAppURL) *outAppURL = url.release();
    return noErr;
}
