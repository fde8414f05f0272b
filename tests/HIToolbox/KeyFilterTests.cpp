// Key presses of edit texts: the Unicode-key event, key filters, paste and change events.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <HIToolboxTesting.h>

#include <utility>

namespace {

// The character code and modifiers of each key the filter saw.
std::vector<std::pair<SInt16, EventModifiers>> seenKeys;

// Passes letters, arrows and deletions; blocks anything else with a beep, but lets a command
// key shortcut through (like the system's own field filters).
ControlKeyFilterResult lettersOnly(ControlRef, SInt16*, SInt16* charCode,
                                   EventModifiers* modifiers) {
    seenKeys.emplace_back(*charCode, *modifiers);
    const SInt16 c = *charCode;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return kControlKeyFilterPassKey;
    if (c == kLeftArrowCharCode || c == kRightArrowCharCode || c == kBackspaceCharCode ||
        c == kDeleteCharCode)
        return kControlKeyFilterPassKey;
    SysBeep(10);
    return *modifiers == cmdKey ? kControlKeyFilterPassKey : kControlKeyFilterBlockKey;
}

ControlKeyFilterResult upperCase(ControlRef, SInt16*, SInt16* charCode, EventModifiers*) {
    if (*charCode >= 'a' && *charCode <= 'z') *charCode = SInt16(*charCode - 'a' + 'A');
    return kControlKeyFilterPassKey;
}

int validations = 0;
void countValidation(ControlRef) {
    ++validations;
}

class KeyFilterTest : public NibWindowTest {
  protected:
    void SetUp() override {
        seenKeys.clear();
        validations = 0;
        HIResetBeepCount();
        window = openWindow();
        field = control(window, "edit", 5);
    }

    void installFilter(ControlKeyFilterUPP filter) {
        ASSERT_EQ(noErr, SetControlData(field, kControlEditTextPart, kControlEditTextKeyFilterTag,
                                        sizeof filter, &filter));
    }

    QString text() const { return ToolboxDriver::controlText(window, id); }

    WindowRef window = nullptr;
    ControlRef field = nullptr;
    const ControlID id = controlID("edit", 5);
};

TEST_F(KeyFilterTest, KeysReachTheFilterWithCarbonCodesAndCtrlAsCommand) {
    installFilter(lettersOnly);
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

TEST_F(KeyFilterTest, AFilterMayChangeTheCharacter) {
    installFilter(upperCase);
    ToolboxDriver::typeKeys(window, id, "fax 1");
    EXPECT_EQ("FAX 1", text());
}

OSStatus takeDigits(EventHandlerCallRef, EventRef event, void* count) {
    UniChar typed[8] = {};
    ByteCount size = 0;
    GetEventParameter(event, kEventParamTextInputSendText, typeUnicodeText, nullptr, sizeof typed,
                      &size, typed);
    ++*static_cast<int*>(count);
    return size == sizeof(UniChar) && typed[0] >= '0' && typed[0] <= '9' ? noErr
                                                                         : eventNotHandledErr;
}

TEST_F(KeyFilterTest, AUnicodeKeyHandlerRunsFirstAndMayTakeTheKey) {
    installFilter(lettersOnly);
    int calls = 0;
    const EventTypeSpec unicodeKey{kEventClassTextInput, kEventTextInputUnicodeForKeyEvent};
    InstallControlEventHandler(field, takeDigits, 1, &unicodeKey, &calls, nullptr);
    ToolboxDriver::typeKeys(window, id, "a1b");
    EXPECT_EQ(3, calls);
    EXPECT_EQ("ab", text());
    EXPECT_EQ(2u, seenKeys.size()); // the taken digit never reached the filter
    EXPECT_EQ(0u, ToolboxDriver::beepCount());
}

OSStatus countChange(EventHandlerCallRef, EventRef, void* count) {
    ++*static_cast<int*>(count);
    return eventNotHandledErr;
}

TEST_F(KeyFilterTest, UserEditsRunTheValidationProcAndReportTheChange) {
    installFilter(lettersOnly);
    ControlEditTextValidationUPP validation = countValidation;
    ASSERT_EQ(noErr, SetControlData(field, kControlEditTextPart, kControlEditTextValidationProcTag,
                                    sizeof validation, &validation));
    int changes = 0;
    const EventTypeSpec didChange{kEventClassTextField, kEventTextDidChange};
    InstallControlEventHandler(field, countChange, 1, &didChange, &changes, nullptr);

    EXPECT_TRUE(ToolboxDriver::paste(window, id, "12 pasted"));
    EXPECT_EQ("12 pasted", text()); // pasting does not go through the key filter
    EXPECT_EQ(1, validations);
    EXPECT_EQ(1, changes);
    ToolboxDriver::typeKeys(window, id, "x");
    EXPECT_EQ(2, validations);
    EXPECT_EQ(2, changes);

    CFStringRef programmatic = CFSTR("set");
    SetControlData(field, kControlEditTextPart, kControlEditTextCFStringTag, sizeof programmatic,
                   &programmatic);
    EXPECT_EQ(2, changes); // a program's change is no edit
}

} // namespace
