// Help pages, control bounds, popup item search, string release, the current date and
// pictures from bundle resources.
#include "DesktopUtilities.h"

#include <AppleHelp.h>
#include <CFRef.h>
#include <CFTimeZone.h>
#include <CFURL.h>
#include <MacErrors.h>
#include <Menus.h>
#include <PlugInIdentity.h>

#include <cstring>

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

bool GetCurrentDateAndTime(CFGregorianDate* date) {
    if (!date) return false;
    std::memset(date, 0, sizeof *date);
    CFRef<CFTimeZoneRef> zone(CFTimeZoneCopySystem());
    *date = CFAbsoluteTimeGetGregorianDate(CFAbsoluteTimeGetCurrent(), zone.get());
    return true;
}

namespace {

// No such resource in the bundle.
constexpr OSErr kResourceNotFound = 1;

} // namespace

OSErr GetIconFromResource(CFBundleRef bundle, CFStringRef name, CFStringRef type,
                          PicHandle* picture, const Rect* bounds) {
    CFRef<CFURLRef> url(CFBundleCopyResourceURL(bundle, name, type, nullptr));
    if (!url) return kResourceNotFound;
    FSRef file;
    if (!CFURLGetFSRef(url.get(), &file)) return fnfErr;
    FSSpec fileSpec;
    if (OSErr status =
            FSGetCatalogInfo(&file, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr))
        return status;
    GraphicsImportComponent importer = nullptr;
    if (OSErr status = GetGraphicsImporterForFile(&fileSpec, &importer)) return status;
    static const Rect kNaturalBounds = {0, 0, 0, 0};
    GraphicsImportSetBoundsRect(importer, bounds ? bounds : &kNaturalBounds);
    const ComponentResult status = GraphicsImportGetAsPicture(importer, picture);
    CloseComponent(importer);
    return OSErr(status);
}
