// The shared utilities on windows of the plug-in's nib: finding a model name among a popup's
// items, moving a control, releasing a string, and opening pages of the plug-in's help book.
#include "TestBundles.h"

#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <NibWindow.h>

#include <AppleHelp.h>
#include <CFURL.h>
#include <MacErrors.h>
#include <Menus.h>

#include <QApplication>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

TEST(DesktopUtilitiesTest, AModelIsSupportedOnlyWhenAPopupItemEqualsItExactly) {
    NibWindow window(CFSTR("Window"));
    ControlRef popup = window.control(imageQualityPopupListCtrlID);
    ASSERT_NE(nullptr, popup);
    MenuRef menu = GetControlPopupMenuHandle(popup);
    DeleteMenuItems(menu, 1, CountMenuItems(menu));
    SetControlMaximum(popup, 0);
    EXPECT_FALSE(ISPrintSupported(popup, "Norvale MFX-220"));

    for (CFStringRef item : {CFSTR("Norvale MFX-100"), CFSTR("Norvale MFX-220")})
        AppendMenuItemTextWithCFString(menu, item, 0, 0, nullptr);
    SetControlMaximum(popup, SInt16(CountMenuItems(menu)));
    struct Case {
        const char* model;
        bool supported;
    };
    for (const Case& c : {Case{"Norvale MFX-220", true}, Case{"Norvale MFX-100", true},
                          Case{"norvale mfx-220", false}, Case{"Norvale MFX-22", false},
                          Case{"Norvale MFX-2200", false}, Case{"", false}})
        EXPECT_EQ(c.supported, ISPrintSupported(popup, c.model)) << c.model;
    EXPECT_FALSE(ISPrintSupported(nullptr, "Norvale MFX-220"));
}

TEST(DesktopUtilitiesTest, ControlBoundsMoveByBothOffsetsOn16BitCoordinates) {
    NibWindow window(CFSTR("Window"));
    ControlRef button = window.control(helpBookButtonCtrlID);
    Rect before;
    GetControlBounds(button, &before);
    EXPECT_EQ(noErr, AdjustControlBounds(button, 5, -3 + 0x10000)); // only the low 16 bits count
    Rect after;
    GetControlBounds(button, &after);
    EXPECT_EQ(before.top + 5, after.top);
    EXPECT_EQ(before.bottom + 5, after.bottom);
    EXPECT_EQ(before.left - 3, after.left);
    EXPECT_EQ(before.right - 3, after.right);
    EXPECT_EQ(errUnknownControl, AdjustControlBounds(nullptr, 1, 1));
}

TEST(DesktopUtilitiesTest, ReleasingAStringClearsItsHolder) {
    CFStringRef text = CFStringCreateWithCString(nullptr, "text", kCFStringEncodingUTF8);
    ReleaseCFString(&text);
    EXPECT_EQ(nullptr, text);
    ReleaseCFString(&text); // an empty holder and no holder are left alone
    ReleaseCFString(nullptr);
}

QTextBrowser* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(widget);
    return nullptr;
}

TEST(DesktopUtilitiesTest, HelpPagesOpenInTheBookNamedByTheLocalisedKey) {
    CFRef<CFURLRef> url(CFBundleCopyBundleURL(faxPlugInBundle()));
    FSRef bundleReference;
    ASSERT_TRUE(CFURLGetFSRef(url.get(), &bundleReference));
    ASSERT_EQ(noErr, AHRegisterHelpBook(&bundleReference));

    EXPECT_EQ(noErr, GotoHelpPage(CFSTR("FaxTransmission.htm"), nullptr,
                                  CFSTR("Norvale Sendra Fax Help")));
    ASSERT_NE(nullptr, helpWindow());
    EXPECT_TRUE(helpWindow()->source().toString().endsWith("FaxTransmission.htm"));
    EXPECT_EQ(fnfErr,
              GotoHelpPage(CFSTR("Missing.htm"), nullptr, CFSTR("Norvale Sendra Fax Help")));
    // A key without a translation names the book itself; no book of that name is registered.
    EXPECT_EQ(kAHInternalErr,
              GotoHelpPage(CFSTR("FaxSettings.htm"), nullptr, CFSTR("Unregistered Help Book")));
    delete helpWindow();
}

} // namespace
