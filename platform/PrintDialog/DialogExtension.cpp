#include "DialogExtension.h"

#include "CFText.h"

#include <CFPlugIn.h>

#include <algorithm>

namespace {

// The interface that one factory's instance hands out, or null with error set.
PlugInIntf* interfaceFromFactory(CFUUIDRef factory, CFUUIDRef type, std::string& error) {
    void* instance = CFPlugInInstanceCreate(nullptr, factory, type);
    if (!instance) {
        error = "its factory made no extension";
        return nullptr;
    }
    auto** unknown = static_cast<IUnknownVTbl**>(instance);
    CFRef<CFUUIDRef> interfaceID(CFUUIDCreateFromString(nullptr, CFSTR(kDialogExtensionIntfIDStr)));
    PlugInIntf* extension = nullptr;
    const HRESULT result = (*unknown)->QueryInterface(
        unknown, CFUUIDGetUUIDBytes(interfaceID.get()), reinterpret_cast<LPVOID*>(&extension));
    (*unknown)->Release(unknown);
    if (result != S_OK || !extension || !extension->vtable) {
        error = "it does not offer the print dialog extension interface";
        return nullptr;
    }
    return extension;
}

} // namespace

std::vector<std::unique_ptr<DialogExtension>> DialogExtension::load(const std::string& bundlePath,
                                                                    std::string& error) {
    std::vector<std::unique_ptr<DialogExtension>> extensions;
    const std::string name = bundlePath.substr(bundlePath.find_last_of('/') + 1);
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(bundlePath.data()), CFIndex(bundlePath.size()),
        true));
    CFRef<CFPlugInRef> plugIn(url ? CFPlugInCreate(nullptr, url.get()) : nullptr);
    if (!plugIn) {
        error = "The print dialog extension " + name + " was not found.";
        return extensions;
    }
    CFRef<CFUUIDRef> type(CFUUIDCreateFromString(nullptr, CFSTR(kPrinterModuleTypeIDStr)));
    CFRef<CFArrayRef> factories(
        CFPlugInFindFactoriesForPlugInTypeInPlugIn(type.get(), plugIn.get()));
    if (CFArrayGetCount(factories.get()) == 0) {
        error = "The bundle " + name + " is not a print dialog extension.";
        return extensions;
    }
    for (CFIndex i = 0; i < CFArrayGetCount(factories.get()); ++i) {
        const auto factory = static_cast<CFUUIDRef>(CFArrayGetValueAtIndex(factories.get(), i));
        std::string why;
        if (PlugInIntf* interface = interfaceFromFactory(factory, type.get(), why))
            extensions.emplace_back(new DialogExtension(bundlePath, interface));
        else
            error = "The print dialog extension " + name + " cannot be used: " + why + ".";
    }
    return extensions;
}

DialogExtension::DialogExtension(std::string bundlePath, PlugInIntf* interface)
    : bundlePath_(std::move(bundlePath)), interface_(interface) {}

DialogExtension::~DialogExtension() {
    auto* header = reinterpret_cast<PMPlugInHeaderInterface*>(interface_);
    interface_->vtable->plugInHeader.Release(&header);
}

OSStatus DialogExtension::prologue() {
    CFStringRef kind = nullptr;
    CFStringRef title = nullptr;
    const OSStatus status =
        interface_->vtable->Prologue(&context_, &creator_, &kind, &title, &maxWidth_, &maxHeight_);
    CFRef<CFStringRef> ownedTitle(title); // the title is ours; the kind stays the extension's
    kind_ = utf8Text(kind);
    title_ = utf8Text(title);
    return status;
}

OSStatus DialogExtension::initialize(ControlRef parentUserPane, PMPrintSession session) {
    PMPDEFlags flags = 0;
    return interface_->vtable->Initialize(context_, &flags, reinterpret_cast<PMPDERef>(this),
                                          parentUserPane, session);
}

OSStatus DialogExtension::sync(PMPrintSession session, Boolean direction) {
    return interface_->vtable->Sync(context_, session, direction);
}

OSStatus DialogExtension::getSummaryText(std::vector<std::pair<std::string, std::string>>& rows) {
    CFArrayRef titles = nullptr;
    CFArrayRef values = nullptr;
    const OSStatus status = interface_->vtable->GetSummaryText(context_, &titles, &values);
    CFRef<CFArrayRef> ownedTitles(titles), ownedValues(values);
    const CFIndex count = std::min(CFArrayGetCount(titles), CFArrayGetCount(values));
    for (CFIndex i = 0; i < count; ++i)
        rows.emplace_back(utf8Text(CFArrayGetValueAtIndex(titles, i)),
                          utf8Text(CFArrayGetValueAtIndex(values, i)));
    return status;
}

OSStatus DialogExtension::open() {
    return interface_->vtable->Open(context_);
}
OSStatus DialogExtension::close() {
    return interface_->vtable->Close(context_);
}
OSStatus DialogExtension::terminate(OSStatus status) {
    return interface_->vtable->Terminate(context_, status);
}
