// Help pages, control bounds, popup item search and string release.
#include "DesktopUtilities.h"

#include <AppleHelp.h>
#include <CFRef.h>
#include <MacErrors.h>
#include <Menus.h>
#include <PlugInIdentity.h>

OSStatus GotoHelpPage(CFStringRef page, CFStringRef anchor, CFStringRef helpBookKey) {
    CFBundleRef bundle = GetAppBundleRef();
    if (!bundle) return fnfErr;
    CFRef<CFStringRef> bookName(
        CFBundleCopyLocalizedString(bundle, helpBookKey, helpBookKey, nullptr));
    if (!bookName) return fnfErr;
    if (CFGetTypeID(bookName.get()) != CFStringGetTypeID()) return paramErr;
    return AHGotoPage(bookName.get(), page, anchor);
}

OSStatus AdjustControlBounds(ControlRef control, SInt32 verticalOffset, SInt32 horizontalOffset) {
    if (!GetControlOwner(control)) return errUnknownControl;
    Rect bounds;
    GetControlBounds(control, &bounds);
    const auto dv = SInt16(verticalOffset);
    const auto dh = SInt16(horizontalOffset);
    bounds.top = SInt16(bounds.top + dv);
    bounds.bottom = SInt16(bounds.bottom + dv);
    bounds.left = SInt16(bounds.left + dh);
    bounds.right = SInt16(bounds.right + dh);
    SetControlBounds(control, &bounds);
    return noErr;
}

bool ISPrintSupported(ControlRef popup, const char* text) {
    MenuRef menu = GetControlPopupMenuHandle(popup);
    if (!menu || !text) return false;
    const SInt16 itemCount = GetControlMaximum(popup);
    for (SInt16 item = 1; item <= itemCount; ++item) {
        CFStringRef itemText = nullptr;
        if (CopyMenuItemTextAsCFString(menu, MenuItemIndex(item), &itemText) != noErr) continue;
        CFRef<CFStringRef> heldItemText(itemText);
        CFRef<CFStringRef> wanted(
            CFStringCreateWithCString(nullptr, text, CFStringGetSmallestEncoding(itemText)));
        if (wanted && CFStringCompareWithOptions(itemText, wanted.get(),
                                                 CFRangeMake(0, CFStringGetLength(itemText)),
                                                 0) == kCFCompareEqualTo)
            return true;
    }
    return false;
}

void ReleaseCFString(CFStringRef* holder) {
    if (!holder || !*holder) return;
    CFRelease(*holder);
    *holder = nullptr;
}
