#include "PDEInterface.h"
#include "PDEEntryPoints.h"

#include <new>

NVPDEInterfaceObject* CreatePDEInterface() {
    auto* object = new (std::nothrow) NVPDEInterfaceObject{};
    if (!object) return nullptr;
    object->table = {{Retain, Release, GetAPIVersion},
                     Prologue,
                     Initialize,
                     Sync,
                     GetSummaryText,
                     Open,
                     Close,
                     Terminate};
    object->vtable = &object->table;
    object->refCount = 1;
    return object;
}

OSStatus Retain(PMPlugInHeaderInterface* object) {
    if (object) ++reinterpret_cast<NVPDEInterfaceObject*>(object)->refCount;
    return noErr;
}

OSStatus Release(PMPlugInHeaderInterface** objectPointer) {
    if (!objectPointer || !*objectPointer) return noErr;
    auto* object = reinterpret_cast<NVPDEInterfaceObject*>(*objectPointer);
    *objectPointer = nullptr;
    if (object->refCount > 0 && --object->refCount == 0) delete object;
    return noErr;
}

OSStatus GetAPIVersion(PMPlugInHeaderInterface*, PMPlugInAPIVersion* version) {
    if (!version) return paramErr;
    *version = {1, 0, 1, 0};
    return noErr;
}
