#include "LSOpen.h"
#include "LSInfo.h"

#include <CFBundle.h>
#include <CFRef.h>

#include <QProcess>

#include <climits>

OSStatus LSOpenCFURLRef(CFURLRef inURL, CFURLRef* outLaunchedURL) {
    if (outLaunchedURL) *outLaunchedURL = nullptr;
    if (!inURL) return paramErr;
    CFRef<CFBundleRef> application(CFBundleCreate(nullptr, inURL));
    if (!application) return kLSApplicationNotFoundErr;
    CFRef<CFURLRef> executable(CFBundleCopyExecutableURL(application.get()));
    char path[PATH_MAX];
    if (!executable || !CFURLGetFileSystemRepresentation(
                           executable.get(), true, reinterpret_cast<UInt8*>(path), sizeof path))
        return kLSNoExecutableErr;
    // A double fork whose middle child Qt reaps; a program that cannot be executed fails here.
    if (!QProcess::startDetached(QString::fromLocal8Bit(path), {})) return kLSUnknownErr;
    if (outLaunchedURL) *outLaunchedURL = static_cast<CFURLRef>(CFRetain(inURL));
    return noErr;
}
