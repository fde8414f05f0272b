// The handlers the panel installs: the control-hit handler of every control and the command
// handler through which the dialog's Print reaches the pane.
#include "CallLog.h"

#include <MacErrors.h>

#include <gtest/gtest.h>

namespace {

class PrintButtonTest : public testing::Test {
  protected:
    PrintButtonTest() {
        panel.RunTimeAddNewControl(&control);
        panel.RunTimeAddNewWindow(&child);
    }

    OSStatus sendCommand(UInt32 commandID) {
        EventRef event = NewCommandEvent(commandID);
        const OSStatus result =
            CBasePrintPanel::Control_DefaultPrintBtnHandler(nullptr, event, &panel);
        ReleaseEvent(event);
        return result;
    }

    CallLog log;
    PrintAnsweringPanel panel{log};
    RecordingControl control{log, "c1"};
    RecordingWindow child{log, "w1"};
};

TEST_F(PrintButtonTest, OtherCommandsAndAnEventWithoutACommandPassUntouched) {
    EXPECT_EQ(eventNotHandledErr, sendCommand(kHICommandCancel));
    EXPECT_EQ(eventNotHandledErr, sendCommand(FOUR_CHAR_CODE("OK  ")));
    EventRef event = nullptr;
    CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &event);
    EXPECT_EQ(eventNotHandledErr,
              CBasePrintPanel::Control_DefaultPrintBtnHandler(nullptr, event, &panel));
    ReleaseEvent(event);
    EXPECT_TRUE(log.empty());
}

TEST_F(PrintButtonTest, AnAcceptedPrintTakesTheScreenValuesAndGoesOnOnceTheChildrenAreReleased) {
    EXPECT_EQ(eventNotHandledErr, sendCommand(kHICommandOK));
    EXPECT_EQ((CallLog{"panel:OnClickPrintCommand", "c1:GetValueFromUI",
                       "c1:SetValueFromUIToControl", "w1:ReleaseWindow"}),
              log);

    // A child that cannot be released holds the print back.
    child.answer = -1;
    EXPECT_EQ(noErr, sendCommand(kHICommandOK));
}

TEST(ControlHitHandler, TheControlHandlesTheHitAndReadsTheScreenThenTheEventGoesOn) {
    CallLog log;
    RecordingControl control(log, "c1");
    EventRef hit = nullptr;
    CreateEvent(nullptr, kEventClassControl, kEventControlHit, 0, 0, &hit);
    EXPECT_EQ(eventNotHandledErr,
              CBasePrintPanel::Control_DefaultCommandHandler(nullptr, hit, &control));
    ReleaseEvent(hit);
    EXPECT_EQ((CallLog{"c1:UIEventHandler", "c1:GetValueFromUI"}), log);

    log.clear();
    EventRef other = nullptr;
    CreateEvent(nullptr, kEventClassControl, 2, 0, 0, &other);
    EXPECT_EQ(eventNotHandledErr,
              CBasePrintPanel::Control_DefaultCommandHandler(nullptr, other, &control));
    ReleaseEvent(other);
    EXPECT_TRUE(log.empty());
}

} // namespace
