// The event handlers that the panel installs: one on every control for the control-hit event,
// one on the dialog window for its commands, which is how the panel learns of Print.
#include "CBasePrintPanel.h"

#include "PanelLists.h"

#include <MacErrors.h>

OSStatus CBasePrintPanel::SetControlEventHandler() {
    static const EventTypeSpec controlHit = {kEventClassControl, kEventControlHit};
    ForEachListed<CBaseControl>(controlList_.get(), [](CBaseControl* control) {
        if (ControlRef handle = control->GetControlHandle())
            InstallControlEventHandler(handle, Control_DefaultCommandHandler, 1, &controlHit,
                                       control, nullptr);
        return true;
    });
    return noErr;
}

OSStatus CBasePrintPanel::Control_DefaultCommandHandler(EventHandlerCallRef, EventRef event,
                                                        void* control) {
    if (control && GetEventKind(event) == kEventControlHit) {
        auto* target = static_cast<CBaseControl*>(control);
        target->UIEventHandler();
        target->GetValueFromUI();
    }
    return eventNotHandledErr;
}

OSStatus CBasePrintPanel::Control_DefaultPrintBtnHandler(EventHandlerCallRef, EventRef event,
                                                         void* panel) {
    HICommand command = {};
    if (!panel ||
        GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof(command),
                          nullptr, &command) != noErr ||
        command.commandID != kHICommandOK)
        return eventNotHandledErr;
    auto* owner = static_cast<CBasePrintPanel*>(panel);
    if (!owner->OnClickPrintCommand()) return noErr; // held back: the dialog does not print
    owner->SetValueFromUIToControl();
    return owner->ReleaseChildWindow() ? eventNotHandledErr : noErr;
}
