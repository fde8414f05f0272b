// Standard alerts as QMessageBox windows. Each button carries its item number in the dynamic
// property "alertItem".
#include "Dialogs.h"
#include "MacErrors.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <QMessageBox>
#include <QPushButton>

#include <unordered_set>

struct OpaqueDialogPtr {
    WindowRef window;
    DialogItemIndex defaultItem;
    DialogItemIndex cancelItem;
    DialogItemIndex itemHit = 0;
};

namespace {

std::unordered_set<OpaqueDialogPtr*>& liveDialogs() {
    static std::unordered_set<OpaqueDialogPtr*> dialogs;
    return dialogs;
}

OpaqueDialogPtr* liveDialog(DialogRef dialog) {
    return dialog && liveDialogs().count(dialog) ? dialog : nullptr;
}

QMessageBox::Icon iconOf(AlertType type) {
    switch (type) {
    case kAlertStopAlert:
        return QMessageBox::Critical;
    case kAlertNoteAlert:
        return QMessageBox::Information;
    case kAlertCautionAlert:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

// Adds the button for the item unless its text is null; -1 means the standard text.
void addButton(QMessageBox* box, CFStringRef text, const char* standardText, DialogItemIndex item,
               QMessageBox::ButtonRole role) {
    if (!text) return;
    const QString label = text == reinterpret_cast<CFStringRef>(-1) ? QMessageBox::tr(standardText)
                                                                    : hitoolbox::toQString(text);
    QPushButton* button = box->addButton(label, role);
    button->setProperty("alertItem", int(item));
}

QAbstractButton* buttonFor(QMessageBox* box, DialogItemIndex item) {
    for (QAbstractButton* button : box->buttons())
        if (button->property("alertItem").toInt() == item) return button;
    return nullptr;
}

void forget(OpaqueDialogPtr* dialog) {
    liveDialogs().erase(dialog);
    DisposeWindow(dialog->window);
    delete dialog;
}

} // namespace

OSStatus GetStandardAlertDefaultParams(AlertStdCFStringAlertParamRec* param, UInt32 version) {
    if (!param || version != kStdCFStringAlertVersionOne) return paramErr;
    *param = AlertStdCFStringAlertParamRec{
        version, false, false, kAlertDefaultOKText, nullptr, nullptr, kAlertStdAlertOKButton,
        0,       0,     0};
    return noErr;
}

OSStatus CreateStandardAlert(AlertType alertType, CFStringRef error, CFStringRef explanation,
                             const AlertStdCFStringAlertParamRec* param, DialogRef* outAlert) {
    if (!error || !outAlert) return paramErr;
    AlertStdCFStringAlertParamRec defaults;
    GetStandardAlertDefaultParams(&defaults, kStdCFStringAlertVersionOne);
    if (!param) param = &defaults;
    if (param->version != kStdCFStringAlertVersionOne) return paramErr;
    auto* box = new QMessageBox(iconOf(alertType), QString(), hitoolbox::toQString(error));
    box->setInformativeText(hitoolbox::toQString(explanation));
    addButton(box, param->defaultText, "OK", kAlertStdAlertOKButton, QMessageBox::AcceptRole);
    addButton(box, param->cancelText, "Cancel", kAlertStdAlertCancelButton,
              QMessageBox::RejectRole);
    addButton(box, param->otherText, "Don't Save", kAlertStdAlertOtherButton,
              QMessageBox::DestructiveRole);
    WindowRef window = hitoolbox::adoptWindow(box, kMovableAlertWindowClass);
    // Return and Escape press the default and cancel buttons, as in every toolbox window.
    SetWindowDefaultButton(window,
                           hitoolbox::controlForWidget(buttonFor(box, param->defaultButton), true));
    SetWindowCancelButton(window,
                          hitoolbox::controlForWidget(buttonFor(box, param->cancelButton), true));
    auto* dialog = new OpaqueDialogPtr{window, param->defaultButton, param->cancelButton};
    liveDialogs().insert(dialog);
    *outAlert = dialog;
    return noErr;
}

OSStatus RunStandardAlert(DialogRef alert, ModalFilterUPP, DialogItemIndex* outItemHit) {
    if (!liveDialog(alert) || !hitoolbox::liveWindow(alert->window)) return paramErr;
    auto* box = static_cast<QMessageBox*>(alert->window->widget.data());
    // A rejection without a button (none of the alert's own) answers the cancel item, else
    // the default item.
    QObject::connect(box, &QMessageBox::finished, box, [alert, box] {
        if (!liveDialog(alert)) return;
        QAbstractButton* clicked = box->clickedButton();
        alert->itemHit = clicked ? DialogItemIndex(clicked->property("alertItem").toInt())
                         : alert->cancelItem ? alert->cancelItem
                                             : alert->defaultItem;
        QuitAppModalLoopForWindow(alert->window);
    });
    box->show();
    RunAppModalLoopForWindow(alert->window);
    const DialogItemIndex itemHit = alert->itemHit;
    forget(alert);
    if (outItemHit) *outItemHit = itemHit;
    return noErr;
}
