// The model check of a PPD against the supported models named by a popup's items.
#include "PPDCompatibility.h"

#include <DesktopUtilities.h>
#include <PMErrors.h>

#include <cstring>

OSStatus CheckPPDCompatible(ppd_file_t* ppd, ControlRef modelsPopup) {
    if (!ppd || !ppd->modelname) return kPMInvalidKey;
    char modelName[256] = {};
    std::strncpy(modelName, ppd->modelname, sizeof modelName - 1);
    return ISPrintSupported(modelsPopup, modelName) ? kPMNoError : kPMInvalidKey;
}
