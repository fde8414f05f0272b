// The model check of a PPD against the supported models listed by a popup's items.
#include "TestPPD.h"

#include <PPDCompatibility.h>

#include <HIToolboxQt.h>
#include <MacWindows.h>
#include <Menus.h>
#include <PMErrors.h>

#include <QComboBox>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(PPDCompatibility, ThePPDsModelNameMustEqualAPopupItem) {
    auto* host = new QWidget;
    WindowRef window = HIWindowFromWidget(host);
    ControlRef popup = HIControlFromWidget(new QComboBox(host));
    ASSERT_NE(nullptr, popup);
    const PPDFile demo = openDemoPPD();
    const PPDFile other = openTestPPD("Options");
    ASSERT_TRUE(demo && other);
    EXPECT_EQ(kPMInvalidKey, CheckPPDCompatible(demo.get(), popup)) << "no items";

    MenuRef menu = GetControlPopupMenuHandle(popup);
    for (CFStringRef model : {CFSTR("Norvale CVQL100"), CFSTR("Norvale CVQL220K")})
        AppendMenuItemTextWithCFString(menu, model, 0, 0, nullptr);
    SetControlMaximum(popup, SInt16(CountMenuItems(menu)));
    EXPECT_EQ(noErr, CheckPPDCompatible(demo.get(), popup)); // "Norvale CVQL220K"
    EXPECT_EQ(kPMInvalidKey, CheckPPDCompatible(other.get(), popup));
    EXPECT_EQ(kPMInvalidKey, CheckPPDCompatible(nullptr, popup));
    DisposeWindow(window);
}

} // namespace
