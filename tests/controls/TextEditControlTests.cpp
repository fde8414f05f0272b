// The text fields bound to the real fields of the plug-in's nib windows: typing through the key
// filter their binding installs, rebinding, the bounds of the screen text and of value texts,
// and the clock's time.
#include <CTextEditControl.h>
#include <CTimeTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <PlugInNibWindow.h>
#include <TestBundles.h>

#include <TestDriver/ToolboxDriver.h>

#include <QTimeEdit>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A window of the plug-in's nib, shown.
class FaxNibWindow : public PlugInNibWindow {
  public:
    explicit FaxNibWindow(CFStringRef name) : PlugInNibWindow(faxPlugInBundle(), name) {
        ShowWindow(get());
    }
    std::string text(const ControlID& id) const {
        return ToolboxDriver::controlText(get(), id).toStdString();
    }
    UInt32 beepsTyping(const ControlID& id, const QString& keys) const {
        const UInt32 before = ToolboxDriver::beepCount();
        ToolboxDriver::typeKeys(get(), id, keys);
        return ToolboxDriver::beepCount() - before;
    }
    QTimeEdit* clock() const { return qobject_cast<QTimeEdit*>(widget(delayedTimeTextEditCtrlID)); }
};

// A text field whose control and UI values can be read.
class Field : public CTextEditControl {
  public:
    using CTextEditControl::CTextEditControl;
    std::string controlValue() const { return ControlValueText(); }
    std::string uiValue() const { return uiValue_ ? static_cast<const char*>(uiValue_) : ""; }
};

class TextEditControlTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(faxPlugInBundle()); }
    ToolboxDriver driver_;
};

TEST_F(TextEditControlTest, ARebuiltWindowGetsTheValueAndTheKeyFilterBackAndOnlyCorrectEmpties) {
    Field phone(&phoneNumberTextEditCtrlID, &phoneNumberTextEditIniData, nullptr,
                &phoneNumberTextEditFilterData, &phoneNumberTextEditAccessInfo);
    {
        FaxNibWindow first(CFSTR("FaxSettings"));
        ASSERT_TRUE(phone.InitializeCtrl(first.get(), nullptr, nullptr, nullptr));
        ToolboxDriver::typeKeys(first.get(), phoneNumberTextEditCtrlID, QStringLiteral("12"));
        phone.GetValueFromUI();
        phone.SetValueFromUIToControl();
    }
    FaxNibWindow second(CFSTR("FaxSettings"));
    ASSERT_TRUE(phone.ReInitializeCtrl(second.get()));
    EXPECT_TRUE(phone.SetControlValueToUI());
    EXPECT_EQ("12", second.text(phoneNumberTextEditCtrlID));
    EXPECT_EQ(1u, second.beepsTyping(phoneNumberTextEditCtrlID, QStringLiteral("3x")));
    phone.GetValueFromUI();
    EXPECT_EQ("123", phone.uiValue());
    EXPECT_TRUE(phone.CorrectCtrlUI());
    EXPECT_EQ("", second.text(phoneNumberTextEditCtrlID));
    EXPECT_EQ("", phone.uiValue());
    EXPECT_EQ(0, phone.GetDataBlkSize());
    EXPECT_EQ("12", phone.controlValue());
}

// The screen text is kept to fifty UTF-16 units, never splitting a surrogate pair, while the
// length check sees the whole text.
TEST_F(TextEditControlTest, ReadingTheScreenKeepsFiftyUnitsWhileTheLengthCheckSeesTheWholeText) {
    FaxNibWindow window(CFSTR("FaxSettings"));
    Field phone(&phoneNumberTextEditCtrlID, &phoneNumberTextEditIniData, nullptr,
                &phoneNumberTextEditFilterData, &phoneNumberTextEditAccessInfo);
    ASSERT_TRUE(phone.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    const QString pasted = QString(6, u'9') + QStringLiteral("0123456789").repeated(5) + "#*:=";
    ToolboxDriver::paste(window.get(), phoneNumberTextEditCtrlID, pasted);
    phone.GetValueFromUI();
    EXPECT_EQ(pasted.left(50).toStdString(), phone.uiValue());
    EXPECT_EQ(60, phone.GetDataBlkSize());
    std::string message;
    driver_.answerNextModal([&message](WindowRef shown) {
        message = ToolboxDriver::controlText(shown, aboutMsgWndStatictTextCtrlID).toStdString();
        ToolboxDriver::click(shown, ControlID{FOUR_CHAR_CODE("okbt"), 1});
    });
    EXPECT_FALSE(phone.InvalidateData());
    EXPECT_EQ("Enter a fax number of at most 50 characters: digits and * # : = -", message);
    phone.SetValueFromUIToControl();
    EXPECT_EQ(pasted.left(50).toStdString(), phone.controlValue());

    Field name(&userNameTextEditCtrlID, &userNameTextEditIniData, nullptr, nullptr,
               &userNameTextEditAccessInfo);
    ASSERT_TRUE(name.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    ToolboxDriver::paste(window.get(), userNameTextEditCtrlID,
                         QString(49, u'a') + QStringLiteral("\U0001F600"));
    name.GetValueFromUI();
    EXPECT_EQ(std::string(49, 'a'), name.uiValue());
    EXPECT_EQ(53, name.GetDataBlkSize());
}

TEST_F(TextEditControlTest, LongValueTextsAreCutAtACharacterBoundaryWithin255Bytes) {
    FaxNibWindow window(CFSTR("UserProperty"));
    Field note(&UserPropertyNoteTextEditCtrlID, &UserPropertyNoteTextEditIniData, nullptr, nullptr,
               &UserPropertyTextEditAccessInfo);
    ASSERT_TRUE(note.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    std::string accented;
    for (int count = 0; count < 150; ++count)
        accented += "\u00e9"; // 300 bytes
    EXPECT_TRUE(note.ConvertFromPreferenceString(accented.data()));
    EXPECT_EQ(accented.substr(0, 254), note.controlValue());
    EXPECT_EQ(127, note.GetDataBlkSize());
    // A full 256-byte buffer without a NUL, as a property window hands its values on.
    char unterminated[CTextEditControl::kTextValueSize];
    std::memcpy(unterminated, accented.data(), sizeof unterminated);
    EXPECT_TRUE(note.SetExternalValueToUI(unterminated, sizeof unterminated));
    EXPECT_EQ(accented.substr(0, 254), window.text(UserPropertyNoteTextEditCtrlID));
}

TEST_F(TextEditControlTest, TheDelayedTimeIsTheClocksHourAndMinuteAndComesBackAfterARebuild) {
    CTimeTextEditControl time(&delayedTimeTextEditCtrlID, &delayedTimeTextEditIniData, nullptr,
                              nullptr, &delayedTimesTextEditAccessInfo);
    EXPECT_EQ(nullptr, time.GetValueFromUI()) << "unbound";
    {
        FaxNibWindow window(CFSTR("FaxSettings"));
        ASSERT_TRUE(window.clock()) << "the delayed time is a clock control";
        ASSERT_TRUE(time.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
        window.clock()->setTime(QTime(7, 5));
        ASSERT_NE(nullptr, time.GetValueFromUI());
        EXPECT_TRUE(time.InvalidateData()) << "five characters, the field's limit";
        time.SetValueFromUIToControl();
        char text[CTextEditControl::kTextValueSize] = {};
        ASSERT_TRUE(time.ConvertToTickectData(reinterpret_cast<unsigned char*>(text)));
        EXPECT_STREQ("07:05", text);
        window.clock()->setTime(QTime(23, 40));
        time.GetValueFromUI();
        time.SetValueFromUIToControl();
    }
    FaxNibWindow rebuilt(CFSTR("FaxSettings"));
    ASSERT_TRUE(time.ReInitializeCtrl(rebuilt.get()));
    EXPECT_TRUE(time.SetControlValueToUI());
    EXPECT_EQ(QTime(23, 40), rebuilt.clock()->time());
    // A stored text that is not an "HH:MM" time leaves the clock as it is.
    for (std::string stored : {"25:00", "7:05", "07:05x"}) {
        EXPECT_TRUE(time.ConvertFromPreferenceString(stored.data()));
        EXPECT_TRUE(time.SetControlValueToUI());
        EXPECT_EQ(QTime(23, 40), rebuilt.clock()->time()) << stored;
    }
}

} // namespace
