// The titled controls of the plug-in's pane: buttons, group boxes and static texts titled
// from the plug-in bundle, the shown text read back as UTF-8, and the PPD labels whose text is
// set from outside.
#include <CBaseButton.h>
#include <CGPPDStaticTextCtrl.h>
#include <CGroupBoxControl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <CFRef.h>

#include <gtest/gtest.h>

#include <memory>

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
    void show(const ControlID& id, CFStringRef text) const {
        SetControlData(window.control(id), kControlEditTextPart, kControlStaticTextCFStringTag,
                       sizeof text, &text);
    }

    NibWindow window{CFSTR("Window")};
};

TEST_F(TitledControlTest, ButtonsAndLabelsShowTheLocalisedTitleOrTheKeyOrKeepTheNibsText) {
    struct Case {
        const ControlID& id;
        CFStringRef titleKey;
        bool titled;
        const char* text;
    };
    const Case cases[] = {
        {helpBookButtonCtrlID, CFSTR("Help Button Title"), true, "Help"},
        {helpBookButtonCtrlID, CFSTR("Untranslated Button"), true, "Untranslated Button"},
        {helpBookButtonCtrlID, nullptr, false, "From the nib"},
        {senderNameStaticTextCtrlID, CFSTR("Sender Name Title"), true, "Sender Name:"},
        {senderNameStaticTextCtrlID, CFSTR("Title Without Translation"), true,
         "Title Without Translation"},
        {senderNameStaticTextCtrlID, nullptr, false, "From the nib"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(controlName(c.id) + " " + c.text);
        std::unique_ptr<CBaseControl> control;
        if (&c.id == &helpBookButtonCtrlID)
            control = std::make_unique<CGBaseButton>(&c.id, c.titleKey);
        else
            control = std::make_unique<CStaticTextControl>(&c.id, nullptr, nullptr, nullptr,
                                                           nullptr, c.titleKey);
        retitle(c.id);
        EXPECT_EQ(c.titled, control->InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
        EXPECT_EQ(window.control(c.id), control->GetControlHandle());
        EXPECT_EQ(QString::fromUtf8(c.text), shown(c.id));
        retitle(c.id);
        EXPECT_EQ(c.titled, control->ReInitializeCtrl(window.get()));
        EXPECT_EQ(QString::fromUtf8(c.text), shown(c.id));
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

TEST_F(TitledControlTest, ReadingTheScreenGivesTheTextAsUTF8AndKeepsItOverAnEmptyRead) {
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

TEST_F(TitledControlTest, APPDLabelKeepsItsNibTextUntilTextIsSetAndShowsItUnlocalisedIfItCan) {
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

    // Bound to a control without text, setting the text reports failure.
    CGPPDStaticTextCtrl onButton(&helpBookButtonCtrlID, "NVFaxImageQuality", nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(onButton.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    EXPECT_FALSE(onButton.SetExternalValueToUI(&text, sizeof text));
}

} // namespace
