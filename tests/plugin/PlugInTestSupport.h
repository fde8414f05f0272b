// Helpers of the plug-in tests: the built bundle made known to this process (so the plug-in
// finds its bundle by identifier), and the extension interface got as the dialog gets it.
#pragma once

#include <PDEInterface.h>
#include <PlugInFactory.h>

#include <CFRef.h>

#include <cstring>

inline CFBundleRef faxBundle() {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(NV_SENDRAFAX_BUNDLE),
        CFIndex(std::strlen(NV_SENDRAFAX_BUNDLE)), true));
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, url.get()));
    return bundle.get(); // bundles live as long as the process
}

inline CFRef<CFUUIDRef> uuid(const char* text) {
    CFRef<CFStringRef> string(CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8));
    return CFRef<CFUUIDRef>(CFUUIDCreateFromString(nullptr, string.get()));
}

// The factory object for the printer-module type; the caller releases it.
inline IUnknownVTbl** makeFactoryObject() {
    return static_cast<IUnknownVTbl**>(
        NVPDEPluginFactory(nullptr, uuid("BDB091F4-E57F-11D3-B5CC-0050E4603277").get()));
}

// The extension interface through the factory and QueryInterface, the factory object released
// as the dialog does.
inline PlugInIntf* makeExtensionInterface() {
    IUnknownVTbl** factory = makeFactoryObject();
    if (!factory) return nullptr;
    PlugInIntf* extension = nullptr;
    (*factory)->QueryInterface(
        factory, CFUUIDGetUUIDBytes(uuid("A996FD7E-B738-11D3-8519-0050E4603277").get()),
        reinterpret_cast<LPVOID*>(&extension));
    (*factory)->Release(factory);
    return extension;
}

inline void releaseExtensionInterface(PlugInIntf* extension) {
    auto* header = reinterpret_cast<PMPlugInHeaderInterface*>(extension);
    extension->vtable->plugInHeader.Release(&header);
}
