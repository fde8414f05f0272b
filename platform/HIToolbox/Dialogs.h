// Standard alerts (QMessageBox windows) and the system beep.
#pragma once

#include "MacWindows.h"

extern "C" {

typedef struct OpaqueDialogPtr* DialogRef;
typedef SInt16 AlertType;
typedef SInt16 DialogItemIndex;
typedef UInt32 OptionBits;
typedef Boolean (*ModalFilterProcPtr)(DialogRef dialog, void* event, DialogItemIndex* itemHit);
typedef ModalFilterProcPtr ModalFilterUPP;

enum : AlertType {
    kAlertStopAlert = 0,
    kAlertNoteAlert = 1,
    kAlertCautionAlert = 2,
    kAlertPlainAlert = 3,
};

enum : DialogItemIndex {
    kAlertStdAlertOKButton = 1,
    kAlertStdAlertCancelButton = 2,
    kAlertStdAlertOtherButton = 3,
};

enum : UInt32 { kStdCFStringAlertVersionOne = 1 };

// The button texts: null for no button, kAlertDefaultOKText / kAlertDefaultCancelText /
// kAlertDefaultOtherText for the standard text.
#define kAlertDefaultOKText ((CFStringRef)(-1))
#define kAlertDefaultCancelText ((CFStringRef)(-1))
#define kAlertDefaultOtherText ((CFStringRef)(-1))

struct AlertStdCFStringAlertParamRec {
    UInt32 version; // kStdCFStringAlertVersionOne
    Boolean movable;
    Boolean helpButton;
    CFStringRef defaultText;
    CFStringRef cancelText;
    CFStringRef otherText;
    DialogItemIndex defaultButton; // the item that Return presses
    DialogItemIndex cancelButton;  // the item that Escape presses; 0 for none
    UInt16 position;
    OptionBits flags;
};

// Fills the record with OK as the only button (default item 1), no cancel button.
OSStatus GetStandardAlertDefaultParams(AlertStdCFStringAlertParamRec* param, UInt32 version);
// A hidden alert window with the message (error) and the explanation (may be null). Without a
// parameter record, the defaults above.
OSStatus CreateStandardAlert(AlertType alertType, CFStringRef error, CFStringRef explanation,
                             const AlertStdCFStringAlertParamRec* param, DialogRef* outAlert);
// Shows the alert in a modal loop (RunAppModalLoopForWindow on its window) until a button is
// pressed, gives the button's item (1 OK, 2 cancel, 3 other) and disposes of the alert. The
// filter is not used. Return presses the default button, Escape the cancel button (when the
// alert has one).
OSStatus RunStandardAlert(DialogRef alert, ModalFilterUPP filter, DialogItemIndex* outItemHit);

// Beeps and counts the beep (HIToolboxTesting.h reads the count). The duration is not used.
void SysBeep(SInt16 duration);
}
