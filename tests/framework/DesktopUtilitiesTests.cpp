// The shared utilities: finding a model name among a popup's items, moving a control, and
// pictures from a bundle's resources.
#include "TestBundles.h"
#include "TestWindows.h"

#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <NibWindow.h>

#include <MacErrors.h>
#include <Menus.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DesktopUtilitiesTest, AModelIsSupportedOnlyWhenAPopupItemEqualsItExactly) {
    NibWindow window(CFSTR("Window"));
    ControlRef popup = window.control(imageQualityPopupListCtrlID);
    MenuRef menu = GetControlPopupMenuHandle(popup);
    DeleteMenuItems(menu, 1, CountMenuItems(menu));
    for (CFStringRef item : {CFSTR("Norvale MFX-100"), CFSTR("Norvale MFX-220")})
        AppendMenuItemTextWithCFString(menu, item, 0, 0, nullptr);
    SetControlMaximum(popup, SInt16(CountMenuItems(menu)));
    for (const char* model : {"Norvale MFX-220", "Norvale MFX-100"})
        EXPECT_TRUE(ISPrintSupported(popup, model)) << model;
    for (const char* model : {"norvale mfx-220", "Norvale MFX-22", "Norvale MFX-2200", ""})
        EXPECT_FALSE(ISPrintSupported(popup, model)) << model;
    EXPECT_FALSE(ISPrintSupported(nullptr, "Norvale MFX-220"));
}

TEST(DesktopUtilitiesTest, ControlBoundsMoveByBothOffsetsOn16BitCoordinates) {
    WidgetWindow window;
    window.addPane("ctrl_1", Rect{10, 20, 30, 60});
    ControlRef control = window.control(ControlID{FOUR_CHAR_CODE("ctrl"), 1});
    EXPECT_EQ(noErr, AdjustControlBounds(control, 5, -3 + 0x10000)); // only the low 16 bits count
    EXPECT_EQ((Rect{15, 17, 35, 57}), boundsOf(control));
    EXPECT_EQ(errUnknownControl, AdjustControlBounds(nullptr, 1, 1));
}

// The panel test bundle's resources: an 8 by 4 red picture and a text.
TEST(DesktopUtilitiesTest, ABundlePictureIsDecodedAtItsOwnSizeOrIntoTheBoundsElseAnError) {
    const Rect scaled = {10, 20, 26, 52};
    for (const Rect* bounds : {static_cast<const Rect*>(nullptr), &scaled}) {
        PicHandle picture = nullptr;
        ASSERT_EQ(noErr, GetIconFromResource(panelTestBundle(), CFSTR("icon"), CFSTR("png"),
                                             &picture, bounds));
        EXPECT_EQ(bounds ? scaled : (Rect{0, 0, 4, 8}), (*picture)->picFrame);
        UInt32 first;
        std::memcpy(&first, *reinterpret_cast<char**>(picture) + sizeof(Picture), sizeof first);
        EXPECT_EQ(0xFFFF0000u, first);
        KillPicture(picture);
    }
    PicHandle picture = nullptr;
    EXPECT_EQ(1, GetIconFromResource(panelTestBundle(), CFSTR("absent"), CFSTR("png"), &picture,
                                     nullptr));
    EXPECT_EQ(cantFindHandler, GetIconFromResource(panelTestBundle(), CFSTR("notes"), CFSTR("txt"),
                                                   &picture, nullptr));
    EXPECT_EQ(nullptr, picture);
}

} // namespace
