#include "PlugInFactory.h"
#include "PDEInterface.h"
#include "PlugInIdentity.h"

#include <CFRef.h>
#include <ControlDefinitionTables.h>

#include <new>

namespace {

NVPDEFactoryObject* factoryObject(void* thisPointer) {
    return static_cast<NVPDEFactoryObject*>(thisPointer);
}

} // namespace

extern "C" __attribute__((visibility("default"))) void* NVPDEPluginFactory(CFAllocatorRef,
                                                                           CFUUIDRef typeID) {
    // The plug-in is being loaded: no control exists yet.
    SetControlAccessPreferencesUser();
    CFRef<CFUUIDRef> plugInType(CFUUIDCreateFromString(nullptr, CFSTR(kNVPDEPlugInTypeIDStr)));
    CFUUIDRef factoryID = CFUUIDCreateFromString(nullptr, CFSTR(kNVPDEFactoryIDStr));
    if (!typeID || !plugInType || !factoryID || !CFEqual(typeID, plugInType.get())) {
        if (factoryID) CFRelease(factoryID);
        return nullptr;
    }
    auto* object = new (std::nothrow) NVPDEFactoryObject{};
    if (!object) {
        CFRelease(factoryID);
        return nullptr;
    }
    object->vtable = &object->functions;
    object->functions.QueryInterface = QueryInterface;
    object->functions.AddRef = IUnknownAddRef;
    object->functions.Release = IUnknownRelease;
    object->factoryID = factoryID;
    object->refCount = 1;
    CFPlugInAddInstanceForFactory(factoryID);
    return object;
}

HRESULT QueryInterface(void* thisPointer, REFIID iid, LPVOID* ppv) {
    if (!ppv) return E_NOINTERFACE;
    *ppv = nullptr;
    CFRef<CFUUIDRef> requested(CFUUIDCreateFromUUIDBytes(nullptr, iid));
    CFRef<CFUUIDRef> extension(CFUUIDCreateFromString(nullptr, CFSTR(kNVPDEInterfaceIDStr)));
    if (!requested || !extension) return E_NOINTERFACE;
    if (CFEqual(requested.get(), IUnknownUUID)) {
        if (NVPDEFactoryObject* object = factoryObject(thisPointer))
            object->vtable->AddRef(thisPointer);
        *ppv = thisPointer;
        return S_OK;
    }
    if (CFEqual(requested.get(), extension.get())) {
        *ppv = CreatePDEInterface();
        return *ppv ? S_OK : E_UNEXPECTED;
    }
    return E_NOINTERFACE;
}

ULONG IUnknownAddRef(void* thisPointer) {
    NVPDEFactoryObject* object = factoryObject(thisPointer);
    return object ? ++object->refCount : 0;
}

ULONG IUnknownRelease(void* thisPointer) {
    NVPDEFactoryObject* object = factoryObject(thisPointer);
    if (!object || object->refCount == 0) return 0;
    const ULONG count = --object->refCount;
    if (count == 0) {
        CFPlugInRemoveInstanceForFactory(object->factoryID);
        CFRelease(object->factoryID);
        delete object;
    }
    return count;
}
