// The plug-in's fixed identity: its bundle, the kind and title of its pane, its creator code,
// the UUIDs through which the print dialog finds and asks it, and the session data key of the
// print-settings ticket; with the accessors of the bundle, the kind and the nib name.
#pragma once

#include <CFBundle.h>
#include <CFString.h>
#include <MacTypes.h>

#define kNVPDEBundleIdentifierStr "com.norvale.qrt.pde.cvql220ksendrafax"
#define kNVPDEKindStr "com.norvale.qrt.pde.SendraFaxKind"
#define kNVPDENibFileNameStr "NVSendraFax"
#define kNVPDETitleKeyStr "PDE Title" // localisation key and English default of the title
#define kNVPDEPlugInTypeIDStr "BDB091F4-E57F-11D3-B5CC-0050E4603277"
#define kNVPDEFactoryIDStr "6C1E2A47-93B5-4D0E-8F21-5A7B3C9D4E10"
#define kNVPDEInterfaceIDStr "A996FD7E-B738-11D3-8519-0050E4603277"
#define kNVPDEPrintSettingsTicketKeyStr "PMPrintSettingsTicket"

constexpr OSType kNVPDECreator = FOUR_CHAR_CODE("pde ");

// The plug-in's bundle, found by its identifier; null when it cannot be found. Borrowed.
CFBundleRef GetAppBundleRef();
// The kind of the pane handed to the dialog, "com.norvale.qrt.pde.SendraFaxKind". Constant.
CFStringRef GetAppClientID();
// The nib of the pane and of every child window, "NVSendraFax". Constant.
CFStringRef GetPDENibFileName();
// A diagnostic hook that does nothing; its calls mark the steps of the pane's life.
void MyDebugMessage(const char* message, long number);
