// Static texts on the plug-in's pane: localised titles, the shown text read back as UTF-8, and
// the PPD labels whose text is set from outside.
#include <CGPPDStaticTextCtrl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <CFRef.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class StaticTextTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(nullptr, window.get()); }

    QString shown(const ControlID& id) const {
        return ToolboxDriver::controlText(window.get(), id);
    }
    void show(const ControlID& id, CFStringRef text) const {
        SetControlData(window.control(id), kControlEditTextPart, kControlStaticTextCFStringTag,
                       sizeof text, &text);
    }

    NibWindow window{CFSTR("Window")};
};

TEST_F(StaticTextTest, BindingShowsTheLocalisedTitleOrTheKeyItself) {
    struct Case {
        CFStringRef titleKey;
        bool result;
        const char* text;
    };
    const Case cases[] = {
        {CFSTR("Sender Name Title"), true, "Sender Name:"},
        {CFSTR("Title Without Translation"), true, "Title Without Translation"},
        {nullptr, false, "unchanged"}, // without a key the nib's text stays
    };
    for (const Case& c : cases) {
        show(senderNameStaticTextCtrlID, CFSTR("unchanged"));
        CStaticTextControl label(&senderNameStaticTextCtrlID, nullptr, nullptr, nullptr, nullptr,
                                 c.titleKey);
        EXPECT_EQ(c.result, label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
        EXPECT_EQ(window.control(senderNameStaticTextCtrlID), label.GetControlHandle());
        EXPECT_EQ(QString::fromUtf8(c.text), shown(senderNameStaticTextCtrlID));
        show(senderNameStaticTextCtrlID, CFSTR("unchanged"));
        EXPECT_EQ(c.result, label.ReInitializeCtrl(window.get()));
        EXPECT_EQ(QString::fromUtf8(c.text), shown(senderNameStaticTextCtrlID));
    }
}

TEST_F(StaticTextTest, ReadingTheScreenGivesTheTextAsUTF8AndKeepsItOverAnEmptyRead) {
    CStaticTextControl label(&senderNameStaticTextCtrlID, nullptr, nullptr, nullptr, nullptr,
                             CFSTR("Sender Name Title"));
    EXPECT_EQ(nullptr, label.GetValueFromUI()); // unbound
    label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr);
    show(senderNameStaticTextCtrlID, CFSTR(""));
    EXPECT_EQ(nullptr, label.GetValueFromUI());

    CFRef<CFStringRef> text(CFStringCreateWithCString(
        nullptr, "Fax \xC3\x9C \xE2\x80\x94 \xE6\x97\xA5", kCFStringEncodingUTF8));
    show(senderNameStaticTextCtrlID, text.get());
    auto* value = static_cast<const char*>(label.GetValueFromUI());
    ASSERT_NE(nullptr, value);
    EXPECT_STREQ("Fax \xC3\x9C \xE2\x80\x94 \xE6\x97\xA5", value);

    show(senderNameStaticTextCtrlID, CFSTR(""));
    EXPECT_STREQ("Fax \xC3\x9C \xE2\x80\x94 \xE6\x97\xA5",
                 static_cast<const char*>(label.GetValueFromUI()));
}

TEST_F(StaticTextTest, APPDLabelKeepsItsNibTextUntilTextIsSetAndShowsItUnlocalised) {
    CGPPDStaticTextCtrl label(&imageQualityStaticTextCtrlID, "NVFaxImageQuality", nullptr, nullptr,
                              nullptr, nullptr);
    CFStringRef text = CFSTR("Sender Name Title");
    EXPECT_FALSE(label.SetExternalValueToUI(&text, sizeof text)); // unbound

    show(imageQualityStaticTextCtrlID, CFSTR("From the nib"));
    EXPECT_TRUE(label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    EXPECT_EQ("From the nib", shown(imageQualityStaticTextCtrlID));

    EXPECT_FALSE(label.SetExternalValueToUI(nullptr, 0));
    EXPECT_TRUE(label.SetExternalValueToUI(&text, sizeof text));
    EXPECT_EQ("Sender Name Title", shown(imageQualityStaticTextCtrlID));
}

TEST_F(StaticTextTest, APPDLabelBoundToAControlWithoutTextReportsFailure) {
    CGPPDStaticTextCtrl label(&helpBookButtonCtrlID, "NVFaxImageQuality", nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_TRUE(label.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    CFStringRef text = CFSTR("Title");
    EXPECT_FALSE(label.SetExternalValueToUI(&text, sizeof text));
}

} // namespace
