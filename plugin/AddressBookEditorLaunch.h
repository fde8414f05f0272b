// Starting the printer's address book editor from the fax pane. The editor is the application
// whose bundle identifier the plug-in bundle's Info gives under "AddressBookBundleIdentifier".
// When it already runs it is brought to the front; otherwise it is started with the printer's
// connection: "-SFAXConnectionType USB" for a USB printer (an empty address), or
// "-SFAXConnectionType NET" and "-SFAXAddress <address>" for a network printer, each one
// argument; with no arguments at all while the address is still unknown (null).
#pragma once

#include <CFBundle.h>
#include <CFString.h>

#include <sys/types.h>

// The address book button's result: noErr when the editor was started, the status of
// SetFrontProcess when it already ran, or -1 when it could not be started (no information key,
// no such application, an address that is not ASCII or longer than 255 characters, a failed
// fork or exec), after "Address Book Editor not found." was shown in the message window. The
// editor runs on its own: it is not waited for, yet it never stays behind as a zombie.
OSStatus LaunchAddressBookEditorApplication(CFBundleRef plugInBundle, CFStringRef printerAddress);

// Test seam: the call that makes the launch's child process (fork unless replaced). Returns
// the procedure it replaces.
using ForkProcedure = pid_t (*)();
ForkProcedure SetAddressBookEditorForkProcedure(ForkProcedure procedure);
