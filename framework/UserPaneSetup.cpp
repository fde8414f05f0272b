// Building the pane into the print dialog: the nib window's user pane, the parent user pane's
// size, the print-button handler, and the binding of the controls and child windows.
#include "CBasePrintPanel.h"

#include "UserPanePlacement.h"

#include <IBCarbonRuntime.h>
#include <MacWindows.h>

OSStatus CBasePrintPanel::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                             CFBundleRef bundle, ppd_file_t* ppd) {
    IBNibRef nib = nullptr;
    WindowRef nibWindow = nullptr;
    ControlRef nibUserPane = nullptr;
    OSStatus status = CreateNibReferenceWithCFBundle(bundle, nibFileName_.get(), &nib);
    if (status == noErr) status = CreateWindowFromNib(nib, nibWindowName_.get(), &nibWindow);
    if (status == noErr) {
        const ControlID userPaneID = {userPaneSignature_, userPaneID_};
        status = GetControlByID(nibWindow, &userPaneID, &nibUserPane);
    }
    const bool paneFound = status == noErr && nibUserPane;

    if (paneFound) {
        GrowToFit(parentUserPane, nibUserPane);
        InstallPrintButtonHandler(parentUserPane);
    }

    InitializeUserPaneControl(nibWindow, parentUserPane, bundle, ppd);
    SetControlEventHandler();
    InitilaizeChildWindow(context, parentUserPane, bundle, ppd);

    if (paneFound) {
        Rect parentBounds;
        GetControlBounds(parentUserPane, &parentBounds);
        AdjustControlBoundsCenter(nibUserPane, &parentBounds);
        EmbedAndShowControl(nibUserPane, parentUserPane);
    }

    const OSStatus result = ConstrainPanelControlFromPPD(ppd);
    // The user pane and its controls now live in the dialog; the rest of the nib window goes.
    if (nibWindow) DisposeWindow(nibWindow);
    DisposeNibReference(nib);
    return result;
}

void CBasePrintPanel::GrowToFit(ControlRef parentUserPane, ControlRef nibUserPane) {
    Rect parent;
    Rect pane;
    GetControlBounds(parentUserPane, &parent);
    GetControlBounds(nibUserPane, &pane);
    // The nib pane sits at its window's origin: its right and bottom are its width and height.
    if (parent.right - parent.left < pane.right) parent.right = SInt16(parent.left + pane.right);
    if (parent.bottom - parent.top < pane.bottom) parent.bottom = SInt16(parent.top + pane.bottom);
    SetControlBounds(parentUserPane, &parent);
}

void CBasePrintPanel::InstallPrintButtonHandler(ControlRef parentUserPane) {
    static const EventTypeSpec commandProcess = {kEventClassCommand, kEventCommandProcess};
    if (printButtonHandlerRef_) return; // one handler for the life of the panel
    printButtonHandlerProc_ = NewEventHandlerUPP(Control_DefaultPrintBtnHandler);
    if (InstallEventHandler(GetWindowEventTarget(GetControlOwner(parentUserPane)),
                            printButtonHandlerProc_, 1, &commandProcess, this,
                            &printButtonHandlerRef_) != noErr)
        printButtonHandlerRef_ = nullptr;
}
