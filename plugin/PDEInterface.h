// The print-dialog-extension interface object: its ten-entry function table (the header's
// Retain, Release and GetAPIVersion, then the seven dialog operations) lives in the object.
#pragma once

#include <PMPrintingDialogExtensions.h>

struct NVPDEInterfaceObject {
    const PlugInIntfVTable* vtable; // points to table below
    UInt32 refCount;                // 1 at creation
    PlugInIntfVTable table;
};

// A new interface object with one reference; null when it cannot be made.
NVPDEInterfaceObject* CreatePDEInterface();

// One more reference; 0 (noErr). A null object is ignored.
OSStatus Retain(PMPlugInHeaderInterface* object);
// Clears *objectPointer and drops one reference, freeing the object at 0; noErr. A null
// pointer or object does nothing.
OSStatus Release(PMPlugInHeaderInterface** objectPointer);
// Build version 1.0 and base version 1.0; paramErr without a version record.
OSStatus GetAPIVersion(PMPlugInHeaderInterface* object, PMPlugInAPIVersion* version);
