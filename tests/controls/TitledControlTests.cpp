// Buttons and group boxes of the plug-in's pane, titled from the plug-in bundle.
#include <CBaseButton.h>
#include <CGroupBoxControl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <gtest/gtest.h>

namespace {

class TitledControlTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(nullptr, window.get()); }
    QString shown(const ControlID& id) const {
        return ToolboxDriver::controlText(window.get(), id);
    }
    void retitle(const ControlID& id) const {
        SetControlTitleWithCFString(window.control(id), CFSTR("From the nib"));
    }

    NibWindow window{CFSTR("Window")};
};

TEST_F(TitledControlTest, AButtonIsBoundAndTitledFromItsKeyOrReportsThatItHasNone) {
    struct Case {
        CFStringRef titleKey;
        bool titled;
        const char* text;
    };
    for (const Case& c : {Case{CFSTR("Help Button Title"), true, "Help"},
                          Case{CFSTR("Untranslated Button"), true, "Untranslated Button"},
                          Case{nullptr, false, "From the nib"}}) {
        retitle(helpBookButtonCtrlID);
        CGBaseButton button(&helpBookButtonCtrlID, c.titleKey);
        EXPECT_EQ(c.titled, button.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
        EXPECT_EQ(window.control(helpBookButtonCtrlID), button.GetControlHandle());
        EXPECT_EQ(QString::fromUtf8(c.text), shown(helpBookButtonCtrlID));
        retitle(helpBookButtonCtrlID);
        EXPECT_EQ(c.titled, button.ReInitializeCtrl(window.get()));
        EXPECT_EQ(QString::fromUtf8(c.text), shown(helpBookButtonCtrlID));
        EXPECT_TRUE(button.SimulateUIEventHandler());
    }
}

TEST_F(TitledControlTest, AGroupBoxWithoutAKeyKeepsItsNibTitleAndSucceeds) {
    for (CFStringRef key : {CFSTR("Cover Page Title"), (CFStringRef) nullptr}) {
        retitle(coverPageGroupBoxCtrlID);
        CGroupBoxControl box(&coverPageGroupBoxCtrlID, key);
        EXPECT_TRUE(box.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
        EXPECT_EQ(key ? "Cover Page" : "From the nib", shown(coverPageGroupBoxCtrlID));
        EXPECT_TRUE(box.ReInitializeCtrl(window.get()));
        EXPECT_EQ(window.control(coverPageGroupBoxCtrlID), box.GetControlHandle());
    }
}

} // namespace
