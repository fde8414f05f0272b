#include "LocalizedTitle.h"

CFRef<CFStringRef> CopyLocalizedTitle(CFBundleRef bundle, CFStringRef key) {
    if (!bundle || !key) return CFRef<CFStringRef>();
    return CFRef<CFStringRef>(CFBundleCopyLocalizedString(bundle, key, key, nullptr));
}
