// Whether a PPD is one of the printer models the plug-in supports.
#pragma once

#include <Controls.h>
#include <MacTypes.h>

#include <cups/ppd.h>

// noErr when the PPD's model name (its first 255 bytes) equals the text of one of the popup's
// menu items exactly (ISPrintSupported); kPMInvalidKey (-30888) when none does or there is no
// PPD.
OSStatus CheckPPDCompatible(ppd_file_t* ppd, ControlRef modelsPopup);
