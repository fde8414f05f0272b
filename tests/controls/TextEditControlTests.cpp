// The text fields bound to the real fields of the plug-in's nib windows and used as a user
// uses them: typing through the key filter their binding installs, pasting, checking the text
// with the message window answering, and the clock's time.
#include <CTextEditControl.h>
#include <CTimeTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <PlugInNibWindow.h>
#include <TestBundles.h>

#include <TestDriver/ToolboxDriver.h>

#include <QTimeEdit>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

// A window of the plug-in's nib, shown.
class FaxNibWindow : public PlugInNibWindow {
  public:
    explicit FaxNibWindow(CFStringRef name) : PlugInNibWindow(faxPlugInBundle(), name) {
        ShowWindow(get());
    }
    template <class Widget> Widget* widgetAs(const ControlID& id) const {
        return qobject_cast<Widget*>(widget(id));
    }
};

// A text field's control value, UI value and data size, read through the operations that
// hand them on.
class InspectableField : public CTextEditControl {
  public:
    using CTextEditControl::CTextEditControl;
    std::string controlValue() const { return ControlValueText(); }
    std::string uiValue() const { return uiValue_ ? static_cast<const char*>(uiValue_) : ""; }
};

std::string screenText(WindowRef window, const ControlID& id) {
    return ToolboxDriver::controlText(window, id).toStdString();
}

// The message window's OK button.
const ControlID kMessageOKButton = {FOUR_CHAR_CODE("okbt"), 1};

UInt32 beepsWhile(const std::function<void()>& action) {
    const UInt32 before = ToolboxDriver::beepCount();
    action();
    return ToolboxDriver::beepCount() - before;
}

class TextEditControlTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(faxPlugInBundle()); }

    // Answers the next message window with OK, keeping the message it showed.
    void answerMessageWith(std::string& shown) {
        driver_.answerNextModal([&shown](WindowRef message) {
            shown = screenText(message, aboutMsgWndStatictTextCtrlID);
            ToolboxDriver::click(message, kMessageOKButton);
        });
    }

    ToolboxDriver driver_;
};

TEST_F(TextEditControlTest, EachFilteredFieldTypesUpToItsLimitOnceBound) {
    struct Case {
        CFStringRef window;
        const ControlID& id;
        const TextEditIniData& ini;
        const TextEditFilterData& filter;
        ControlAccessInfo& access;
        QString accepted; // typed without a beep, filling the field
        QString blocked;  // each key beeps and is dropped
    };
    const Case cases[] = {
        {CFSTR("Window"), senderNameTextEditCtrlID, senderNameTextEditIniData,
         senderNameTextEditFilterData, senderNameTextEditAccessInfo,
         QString(29, u'a') + QStringLiteral("Z"), QStringLiteral("b")},
        {CFSTR("FaxSettings"), userNameTextEditCtrlID, userNameTextEditIniData,
         userNameTextEditFilterData, userNameTextEditAccessInfo, QString(32, u'n'),
         QStringLiteral("o")},
        {CFSTR("FaxSettings"), phoneNumberTextEditCtrlID, phoneNumberTextEditIniData,
         phoneNumberTextEditFilterData, phoneNumberTextEditAccessInfo,
         QStringLiteral("0123456789#*:=-") + QString(35, u'7'), QStringLiteral("8")},
        {CFSTR("FaxSettings"), passwordTextEditCtrlID, passwordTextEditIniData,
         passwordTextEditFilterData, passwordTextEditAccessInfo, QStringLiteral("1234"),
         QStringLiteral("5")},
    };
    for (const Case& each : cases) {
        FaxNibWindow window(each.window);
        CTextEditControl field(&each.id, &each.ini, nullptr, &each.filter, &each.access);
        ASSERT_TRUE(field.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
        EXPECT_EQ(
            0u, beepsWhile([&] { ToolboxDriver::typeKeys(window.get(), each.id, each.accepted); }))
            << each.accepted.toStdString();
        EXPECT_EQ(UInt32(each.blocked.size()),
                  beepsWhile([&] { ToolboxDriver::typeKeys(window.get(), each.id, each.blocked); }))
            << each.blocked.toStdString();
        EXPECT_EQ(each.accepted.toStdString(), screenText(window.get(), each.id));
    }
}

TEST_F(TextEditControlTest, ARebuiltWindowGetsTheValueAndTheKeyFilterBackAndOnlyCorrectEmpties) {
    InspectableField phone(&phoneNumberTextEditCtrlID, &phoneNumberTextEditIniData, nullptr,
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
    const auto shown = [&] { return screenText(second.get(), phoneNumberTextEditCtrlID); };
    EXPECT_EQ("12", shown());
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        return beepsWhile([&] {
            ToolboxDriver::pressKey(second.get(), phoneNumberTextEditCtrlID, key, modifiers);
        });
    };
    ToolboxDriver::typeKeys(second.get(), phoneNumberTextEditCtrlID, QStringLiteral("3"));
    EXPECT_EQ(1u, press(Qt::Key_Up));
    EXPECT_EQ("123", shown());
    // A command-key shortcut outside the ranges beeps but passes: command-Z undoes. With
    // shift as well it is blocked: command-shift-Z does not redo.
    EXPECT_EQ(1u, press(Qt::Key_Z, Qt::ControlModifier));
    const std::string undone = shown();
    EXPECT_NE("123", undone);
    EXPECT_EQ(1u, press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_EQ(undone, shown());

    ToolboxDriver::typeKeys(second.get(), phoneNumberTextEditCtrlID, QStringLiteral("56"));
    phone.GetValueFromUI();
    EXPECT_EQ(undone + "56", phone.uiValue());
    EXPECT_TRUE(phone.CorrectCtrlUI());
    EXPECT_EQ("", shown());
    EXPECT_EQ("", phone.uiValue());
    EXPECT_EQ(0, phone.GetDataBlkSize());
    EXPECT_EQ("12", phone.controlValue());
}

TEST_F(TextEditControlTest, ARejectedTextShowsTheFieldsMessageAndPutsTheCaretBack) {
    struct Case {
        QString text;
        bool valid;
    };
    const Case cases[] = {
        {QString(), true},          {QStringLiteral("Norvale Fax Ltd. (Sales)"), true},
        {QString(30, u'x'), true},  {QStringLiteral("Caf\u00e9"), false},
        {QString(31, u'x'), false},
    };
    FaxNibWindow window(CFSTR("Window"));
    InspectableField field(&senderNameTextEditCtrlID, &senderNameTextEditIniData, nullptr,
                           &senderNameTextEditFilterData, &senderNameTextEditAccessInfo);
    ASSERT_TRUE(field.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    for (const Case& each : cases) {
        ASSERT_TRUE(field.CorrectCtrlUI());
        ToolboxDriver::paste(window.get(), senderNameTextEditCtrlID, each.text);
        SetKeyboardFocus(window.get(), nullptr, kControlFocusNoPart);
        std::string shown = "<no message>";
        if (!each.valid) answerMessageWith(shown);
        EXPECT_EQ(each.valid, field.InvalidateData()) << each.text.toStdString();
        EXPECT_EQ(0u, driver_.pendingAnswers()) << each.text.toStdString();
        if (each.valid) {
            EXPECT_EQ("<no message>", shown);
            continue;
        }
        EXPECT_EQ("The sender name can have at most 30 letters, digits, spaces and punctuation "
                  "marks (no accented letters).",
                  shown);
        ControlRef focused = nullptr;
        GetKeyboardFocus(window.get(), &focused);
        EXPECT_EQ(window.control(senderNameTextEditCtrlID), focused) << each.text.toStdString();
    }
}

TEST_F(TextEditControlTest, ReadingTheScreenKeepsFiftyUnitsWhileTheLengthCheckSeesTheWholeText) {
    FaxNibWindow window(CFSTR("FaxSettings"));
    InspectableField phone(&phoneNumberTextEditCtrlID, &phoneNumberTextEditIniData, nullptr,
                           &phoneNumberTextEditFilterData, &phoneNumberTextEditAccessInfo);
    ASSERT_TRUE(phone.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
    const QString pasted = QString(6, u'9') + QStringLiteral("0123456789").repeated(5) + "#*:=";
    ASSERT_EQ(60, pasted.size());
    ToolboxDriver::paste(window.get(), phoneNumberTextEditCtrlID, pasted);
    phone.GetValueFromUI();
    EXPECT_EQ(pasted.left(50).toStdString(), phone.uiValue());
    EXPECT_EQ(60, phone.GetDataBlkSize());
    std::string shown;
    answerMessageWith(shown);
    EXPECT_FALSE(phone.InvalidateData()) << "60 is above the limit of 50";
    EXPECT_EQ("Enter a fax number of at most 50 characters: digits and * # : = -", shown);
    phone.SetValueFromUIToControl();
    EXPECT_EQ(pasted.left(50).toStdString(), phone.controlValue());

    // A cut never splits a character outside the Basic Multilingual Plane.
    InspectableField name(&userNameTextEditCtrlID, &userNameTextEditIniData, nullptr, nullptr,
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
    InspectableField note(&UserPropertyNoteTextEditCtrlID, &UserPropertyNoteTextEditIniData,
                          nullptr, nullptr, &UserPropertyTextEditAccessInfo);
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
    EXPECT_EQ(QString(127, QChar(0x00E9)),
              ToolboxDriver::controlText(window.get(), UserPropertyNoteTextEditCtrlID));
}

TEST_F(TextEditControlTest, TheDelayedTimeIsTheClocksHourAndMinuteAndComesBackAfterARebuild) {
    CTimeTextEditControl time(&delayedTimeTextEditCtrlID, &delayedTimeTextEditIniData, nullptr,
                              nullptr, &delayedTimesTextEditAccessInfo);
    {
        FaxNibWindow window(CFSTR("FaxSettings"));
        auto* clock = window.widgetAs<QTimeEdit>(delayedTimeTextEditCtrlID);
        ASSERT_TRUE(clock) << "the delayed time is a clock control";
        ASSERT_TRUE(time.InitializeCtrl(window.get(), nullptr, nullptr, nullptr));
        clock->setTime(QTime(7, 5));
        ASSERT_NE(nullptr, time.GetValueFromUI());
        EXPECT_EQ(5, time.GetDataBlkSize());
        EXPECT_TRUE(time.InvalidateData()) << "five characters, the field's limit";
        time.SetValueFromUIToControl();
        char text[CTextEditControl::kTextValueSize] = {};
        ASSERT_TRUE(time.ConvertToTickectData(reinterpret_cast<unsigned char*>(text)));
        EXPECT_STREQ("07:05", text);
        clock->setTime(QTime(23, 40));
        time.GetValueFromUI();
        time.SetValueFromUIToControl();
    }
    FaxNibWindow rebuilt(CFSTR("FaxSettings"));
    ASSERT_TRUE(time.ReInitializeCtrl(rebuilt.get()));
    EXPECT_TRUE(time.SetControlValueToUI());
    EXPECT_EQ(QTime(23, 40), rebuilt.widgetAs<QTimeEdit>(delayedTimeTextEditCtrlID)->time());

    CTimeTextEditControl unbound(&delayedTimeTextEditCtrlID, &delayedTimeTextEditIniData, nullptr,
                                 nullptr, &delayedTimesTextEditAccessInfo);
    EXPECT_EQ(nullptr, unbound.GetValueFromUI());
}

} // namespace
