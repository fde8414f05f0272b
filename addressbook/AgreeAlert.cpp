#include "AgreeAlert.h"

#include <CFRef.h>
#include <Dialogs.h>

namespace {

CFRef<CFStringRef> localized(CFBundleRef bundle, CFStringRef key) {
    return CFRef<CFStringRef>(CFBundleCopyLocalizedString(bundle, key, key, nullptr));
}

} // namespace

bool ShowMessageToAgree(CFBundleRef bundle, CFStringRef titleKey, CFStringRef messageKey) {
    const CFRef<CFStringRef> okText = localized(bundle, CFSTR("OK Button Title"));
    const CFRef<CFStringRef> cancelText = localized(bundle, CFSTR("Cancel Button Title"));
    const CFRef<CFStringRef> title = localized(bundle, titleKey);
    const CFRef<CFStringRef> message = localized(bundle, messageKey);
    if (!okText || !cancelText || !title || !message) return false;

    AlertStdCFStringAlertParamRec param = {};
    param.version = kStdCFStringAlertVersionOne;
    param.movable = false;
    param.helpButton = false;
    param.defaultText = okText.get();
    param.cancelText = cancelText.get();
    param.otherText = nullptr;
    param.defaultButton = kAlertStdAlertOKButton;
    param.cancelButton = kAlertStdAlertCancelButton;
    param.position = 0;
    param.flags = 0;
    DialogRef alert = nullptr;
    if (CreateStandardAlert(kAlertCautionAlert, title.get(), message.get(), &param, &alert) !=
            noErr ||
        !alert)
        return false;
    DialogItemIndex itemHit = 0;
    return RunStandardAlert(alert, nullptr, &itemHit) == noErr && itemHit == kAlertStdAlertOKButton;
}
