#include "HelpBookRegistration.h"
#include "PlugInIdentity.h"

#include <AppleHelp.h>
#include <CFRef.h>
#include <CFURL.h>

OSStatus RegisterMyHelpBook() {
    CFBundleRef bundle = GetAppBundleRef();
    if (!bundle) return fnfErr;
    CFRef<CFURLRef> bundleURL(CFBundleCopyBundleURL(bundle));
    FSRef bundleFile;
    if (!bundleURL || !CFURLGetFSRef(bundleURL.get(), &bundleFile)) return fnfErr;
    return AHRegisterHelpBook(&bundleFile);
}
