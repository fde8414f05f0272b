// The print dialog extension interface: how a print dialog finds an extension plug-in (the
// plug-in type its factory serves), the interface it asks the factory object for, and the
// function table it then drives. Shared by the print dialog and the extensions it loads.
#pragma once

#include <CFPlugInCOM.h>
#include <CFString.h>
#include <Controls.h>
#include <PMCore.h>

// The plug-in type of a printer-specific dialog extension, named by the printer's PPD.
#define kPrinterModuleTypeIDStr "BDB091F4-E57F-11D3-B5CC-0050E4603277"
// The interface a dialog extension's factory object hands out through QueryInterface.
#define kDialogExtensionIntfIDStr "A996FD7E-B738-11D3-8519-0050E4603277"

// The direction flag of Sync.
enum : Boolean {
    kSyncDirectionSetTickets = false,      // write the pane's settings into the ticket
    kSyncDirectionSetUserInterface = true, // load the pane from the ticket
};

enum : OSStatus {
    kPMCancel = 128, // Terminate's status when the user cancelled the dialog
};

typedef struct OpaquePMPDEContext* PMPDEContext; // the extension's own instance record
typedef struct OpaquePMPDERef* PMPDERef;         // the dialog's handle of an extension
typedef UInt32 PMPDEFlags;

typedef struct {
    UInt32 buildVersionMajor;
    UInt32 buildVersionMinor;
    UInt32 baseVersionMajor;
    UInt32 baseVersionMinor;
} PMPlugInAPIVersion;

struct PMPlugInHeaderInterface;

typedef struct {
    OSStatus (*Retain)(PMPlugInHeaderInterface* object);
    // Clears the caller's pointer and drops one reference.
    OSStatus (*Release)(PMPlugInHeaderInterface** objectPointer);
    OSStatus (*GetAPIVersion)(PMPlugInHeaderInterface* object, PMPlugInAPIVersion* version);
} PMPlugInHeader;

struct PMPlugInHeaderInterface {
    const PMPlugInHeader* vtable;
};

// The function table, in this order: the header, then the seven dialog operations.
typedef struct {
    PMPlugInHeader plugInHeader;
    // Makes the instance; hands back its context, creator code, pane kind, title (the caller
    // releases it) and maximum width and height.
    OSStatus (*Prologue)(PMPDEContext* context, OSType* creator, CFStringRef* userOptionKind,
                         CFStringRef* title, UInt32* maxH, UInt32* maxV);
    // Builds the pane into parentUserPane for the session.
    OSStatus (*Initialize)(PMPDEContext context, PMPDEFlags* flags, PMPDERef ref,
                           ControlRef parentUserPane, PMPrintSession printSession);
    OSStatus (*Sync)(PMPDEContext context, PMPrintSession printSession, Boolean syncDirection);
    // Hands back two new arrays (the caller releases them): titles and their values.
    OSStatus (*GetSummaryText)(PMPDEContext context, CFArrayRef* titleArray,
                               CFArrayRef* summaryArray);
    OSStatus (*Open)(PMPDEContext context);
    OSStatus (*Close)(PMPDEContext context);
    OSStatus (*Terminate)(PMPDEContext context, OSStatus status);
} PlugInIntfVTable;

// The interface object: its table first, as every plug-in interface.
typedef struct {
    const PlugInIntfVTable* vtable;
} PlugInIntf;
