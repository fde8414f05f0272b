// Control values held within their range, control data as legacy bytes and the sizes it is
// refused at, an edit text's key filter, and the default and cancel keys.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <utility>

namespace {

class ControlTest : public NibWindowTest {};

TEST_F(ControlTest, ValuesAreHeldWithinTheControlsRange) {
    WindowRef window = openWindow();
    struct Case {
        const char signature[5];
        SInt32 id;
        SInt32 set;
        SInt32 expected;
    };
    const Case cases[] = {
        {"popu", 6, 9, 3},  {"popu", 6, -4, 1},  // the popup's items
        {"chck", 3, 5, 2},                       // mixed is the maximum
        {"upan", 14, 5, 1}, {"upan", 14, -3, 0}, // a stored value
    };
    for (const Case& c : cases) {
        ControlRef target = control(window, c.signature, c.id);
        SetControlValue(target, c.set);
        EXPECT_EQ(c.expected, GetControlValue(target)) << c.signature << " set to " << c.set;
    }
}

TEST_F(ControlTest, TextDataComesAsLegacyBytesCutToTheCallersBuffer) {
    WindowRef window = openWindow();
    ControlRef field = control(window, "edit", 5);
    CFRef<CFStringRef> text = cfString("abc\xC3\xA9\xE6\x97\xA5\xE6\x9C\xAC"); // abcé日本
    CFStringRef set = text.get();
    ASSERT_EQ(noErr, SetControlData(field, kControlEditTextPart, kControlEditTextCFStringTag,
                                    sizeof set, &set));
    Size size = 0;
    ASSERT_EQ(noErr,
              GetControlDataSize(field, kControlEditTextPart, kControlEditTextTextTag, &size));
    EXPECT_EQ(8, size); // four units up to U+00FF, two above
    char bytes[3] = {};
    ASSERT_EQ(noErr, GetControlData(field, kControlEntireControl, kControlEditTextTextTag,
                                    sizeof bytes, bytes, &size));
    EXPECT_EQ(8, size); // the whole size, though only three bytes were copied
    EXPECT_EQ(std::string("abc"), std::string(bytes, 3));

    const char utf8[] = "Fran\xC3\xA7ois";
    ASSERT_EQ(noErr, SetControlData(field, 0, kControlEditTextTextTag, sizeof utf8 - 1, utf8));
    EXPECT_EQ(QString::fromUtf8(utf8), ToolboxDriver::controlText(window, controlID("edit", 5)));
}

TEST_F(ControlTest, TagsAControlDoesNotTakeAndWrongSizesAreRefused) {
    WindowRef window = openWindow();
    ControlRef button = control(window, "okbt", 1);
    CFStringRef text = CFSTR("x");
    EXPECT_EQ(errDataNotSupported,
              SetControlData(button, 0, kControlEditTextCFStringTag, sizeof text, &text));
    ControlKeyFilterUPP filter = nullptr;
    EXPECT_EQ(errDataNotSupported,
              SetControlData(control(window, "stxt", 4), 0, kControlEditTextKeyFilterTag,
                             sizeof filter, &filter));
    EXPECT_EQ(errDataSizeMismatch,
              SetControlData(control(window, "edit", 5), 0, kControlEditTextCFStringTag, 4, &text));
    EXPECT_EQ(errUnknownControl,
              SetControlData(nullptr, 0, kControlEditTextCFStringTag, sizeof text, &text));
}

OSStatus logCommand(EventHandlerCallRef, EventRef event, void* commands) {
    HICommand command{};
    GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                      nullptr, &command);
    static_cast<std::vector<UInt32>*>(commands)->push_back(command.commandID);
    return noErr;
}

TEST_F(ControlTest, ReturnAndEscapePressTheDefaultAndCancelButtons) {
    WindowRef window = openWindow("Dialog");
    std::vector<UInt32> commands;
    const EventTypeSpec process{kEventClassCommand, kEventCommandProcess};
    InstallWindowEventHandler(window, logCommand, 1, &process, &commands, nullptr);
    SetWindowCancelButton(window, control(window, "stop", 2));
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(HIWindowGetWidget(window), &press);
    }
    EXPECT_EQ((std::vector<UInt32>{kHICommandOK, kHICommandCancel}), commands)
        << "Return presses the button the form marks as default";
}

// The character code and modifiers of each key the filter saw.
std::vector<std::pair<SInt16, EventModifiers>> seenKeys;

// Records every key and turns plain lower-case letters into capitals.
ControlKeyFilterResult recordAndCapitalise(ControlRef, SInt16*, SInt16* charCode,
                                           EventModifiers* modifiers) {
    seenKeys.emplace_back(*charCode, *modifiers);
    if (!*modifiers && *charCode >= 'a' && *charCode <= 'z')
        *charCode = SInt16(*charCode - 'a' + 'A');
    return kControlKeyFilterPassKey;
}

TEST_F(ControlTest, KeysReachTheFilterWithCarbonCodesAndCtrlAsCommandButTabDoesNot) {
    seenKeys.clear();
    WindowRef window = openWindow();
    const ControlID id = controlID("edit", 5);
    ControlKeyFilterUPP filter = recordAndCapitalise;
    ASSERT_EQ(noErr, SetControlData(control(window, "edit", 5), kControlEditTextPart,
                                    kControlEditTextKeyFilterTag, sizeof filter, &filter));
    ToolboxDriver::typeKeys(window, id, "fax 1");
    EXPECT_EQ("FAX 1", ToolboxDriver::controlText(window, id));

    seenKeys.clear();
    ToolboxDriver::pressKey(window, id, Qt::Key_Left);
    ToolboxDriver::pressKey(window, id, Qt::Key_Right);
    ToolboxDriver::pressKey(window, id, Qt::Key_Backspace);
    ToolboxDriver::pressKey(window, id, Qt::Key_Delete);
    ToolboxDriver::pressKey(window, id, Qt::Key_V, Qt::ControlModifier, "\x16");
    ToolboxDriver::pressKey(window, id, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier, "\x16");
    ToolboxDriver::pressKey(window, id, Qt::Key_Shift, Qt::ShiftModifier); // not a key
    ToolboxDriver::pressKey(window, id, Qt::Key_Tab); // moves the focus instead
    const std::vector<std::pair<SInt16, EventModifiers>> expected{
        {kLeftArrowCharCode, 0}, {kRightArrowCharCode, 0},
        {kBackspaceCharCode, 0}, {kDeleteCharCode, 0},
        {'v', cmdKey},           {'V', cmdKey | shiftKey}};
    EXPECT_EQ(expected, seenKeys);
}

} // namespace
