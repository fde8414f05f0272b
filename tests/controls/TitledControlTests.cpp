// The pane's labels: the shown text read back as UTF-8 into a buffer of its own size, and the
// PPD labels whose text is set from outside.
#include <CGPPDStaticTextCtrl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <gtest/gtest.h>

namespace {

class TitledControlTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(nullptr, window.get()); }
    void show(const ControlID& id, CFStringRef text) const {
        SetControlData(window.control(id), kControlEditTextPart, kControlStaticTextCFStringTag,
                       sizeof text, &text);
    }

    NibWindow window{CFSTR("Window")};
};

TEST_F(TitledControlTest, TheScreenIsReadAsUTF8AndAnEmptyReadKeepsTheLastText) {
    const char* const utf8 = "Fax \xC3\x9C \xE2\x80\x94 \xE6\x97\xA5 \xF0\x9F\x98\x80";
    CStaticTextControl label(&senderNameStaticTextCtrlID, nullptr, nullptr, nullptr, nullptr,
                             CFSTR("Sender Name Title"));
    EXPECT_EQ(nullptr, label.GetValueFromUI()); // unbound
    label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr);
    show(senderNameStaticTextCtrlID, CFSTR(""));
    EXPECT_EQ(nullptr, label.GetValueFromUI());
    const CFRef<CFStringRef> text(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
    show(senderNameStaticTextCtrlID, text.get());
    EXPECT_STREQ(utf8, static_cast<const char*>(label.GetValueFromUI()));
    show(senderNameStaticTextCtrlID, CFSTR(""));
    EXPECT_STREQ(utf8, static_cast<const char*>(label.GetValueFromUI()));
}

TEST_F(TitledControlTest, APPDLabelShowsTextSetFromOutsideAndReportsWhereItCannot) {
    CGPPDStaticTextCtrl label(&imageQualityStaticTextCtrlID, "NVFaxImageQuality", nullptr, nullptr,
                              nullptr, nullptr);
    CFStringRef text = CFSTR("Sender Name Title");
    EXPECT_FALSE(label.SetExternalValueToUI(&text, sizeof text)); // unbound
    show(imageQualityStaticTextCtrlID, CFSTR("From the nib"));
    EXPECT_TRUE(label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    EXPECT_EQ("From the nib",
              ToolboxDriver::controlText(window.get(), imageQualityStaticTextCtrlID));
    EXPECT_FALSE(label.SetExternalValueToUI(nullptr, 0));
    EXPECT_TRUE(label.SetExternalValueToUI(&text, sizeof text));
    EXPECT_EQ("Sender Name Title",
              ToolboxDriver::controlText(window.get(), imageQualityStaticTextCtrlID))
        << "not localised";

    CGPPDStaticTextCtrl onButton(&helpBookButtonCtrlID, "NVFaxImageQuality", nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(onButton.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    EXPECT_FALSE(onButton.SetExternalValueToUI(&text, sizeof text)) << "a button has no text";
}

} // namespace
