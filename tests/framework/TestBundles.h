// The bundles of the framework tests: the test bundle with the nib "PanelNib" (where
// PANEL_TEST_BUNDLE names it), and the plug-in's own bundle, from which child windows are
// rebuilt.
#pragma once

#include <CFBundle.h>
#include <CFRef.h>

#include <cstring>

// A bundle made known to this process from its folder; bundles live as long as the process.
inline CFBundleRef loadBundle(const char* path) {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path), CFIndex(std::strlen(path)), true));
    return CFBundleCreate(nullptr, url.get());
}

#ifdef PANEL_TEST_BUNDLE
inline CFBundleRef panelTestBundle() {
    static CFBundleRef bundle = loadBundle(PANEL_TEST_BUNDLE);
    return bundle;
}
#endif

// Once loaded, the plug-in finds it by its identifier (GetAppBundleRef).
inline CFBundleRef faxPlugInBundle() {
    static CFBundleRef bundle = loadBundle(NV_SENDRAFAX_BUNDLE);
    return bundle;
}
