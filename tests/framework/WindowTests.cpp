// The window wrapper: how it marks the window it wraps, which commands it takes, closing, and a
// wrapper whose window could not be made.
#include "CallLog.h"
#include "TestBundles.h"

#include <TWindow.h>

#include <CFRef.h>
#include <HIToolboxQt.h>
#include <MacErrors.h>

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A wrapper of the test nib's document window "Popup" that notes its closing and deletion.
class RecordingTWindow : public TWindow, private CallRecorder {
  public:
    explicit RecordingTWindow(CallLog& log)
        : TWindow(CFSTR("PanelNib"), CFSTR("Popup"), panelTestBundle()),
          CallRecorder(log, "window") {}
    ~RecordingTWindow() override { note("deleted"); }
    void Close() override {
        note("Close");
        TWindow::Close();
    }
    void Hide() override {
        note("Hide");
        TWindow::Hide();
    }
};

// Sends the window a command event: "taken" or "passed on".
std::string sendCommand(WindowRef window, UInt32 kind, UInt32 commandID) {
    EventRef event = nullptr;
    CreateEvent(nullptr, kEventClassCommand, kind, 0, kEventAttributeNone, &event);
    HICommand command = {};
    command.commandID = commandID;
    if (commandID)
        SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command, &command);
    const OSStatus status = SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
    return status == noErr ? "taken" : "passed on";
}

class WindowTest : public testing::Test {
  protected:
    void TearDown() override {
        delete wrapper;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CallLog log;
    RecordingTWindow* wrapper = new RecordingTWindow(log); // null once it deleted itself
    WindowRef window = wrapper->GetWindowRef();
};

// Only a document window is put in the window menu.
TEST_F(WindowTest, TheWrappedWindowIsMarkedAsOurs) {
    ASSERT_TRUE(window);
    EXPECT_EQ(GetWindowPort(window), wrapper->GetPort());
    EXPECT_EQ(TWindow::kWindowKind, GetWindowKind(window));
    EXPECT_EQ(static_cast<TWindow*>(wrapper), GetWRefCon(window));
    WindowAttributes attributes = 0;
    GetWindowAttributes(window, &attributes);
    EXPECT_EQ(kWindowStandardHandlerAttribute | kWindowInWindowMenuAttribute, attributes);
    TWindow dialog(CFSTR("PanelNib"), CFSTR("About"), panelTestBundle()); // a modal dialog
    GetWindowAttributes(dialog.GetWindowRef(), &attributes);
    EXPECT_EQ(kWindowStandardHandlerAttribute, attributes);
}

// Of the commands only 'clos' is taken, and only its status is updated here.
TEST_F(WindowTest, OnlyTheCloseCommandIsTaken) {
    EXPECT_EQ("taken", sendCommand(window, kEventCommandUpdateStatus, kHICommandClose));
    EXPECT_EQ("passed on", sendCommand(window, kEventCommandUpdateStatus, kHICommandOK));
    EXPECT_EQ("passed on", sendCommand(window, kEventCommandProcess, kHICommandOK));
    EXPECT_EQ("passed on", sendCommand(window, kEventCommandProcess, 0)); // no command
    EXPECT_EQ("", log);
}

// Hiding the active window deactivates it on the way.
TEST_F(WindowTest, TheCloseCommandOrTheCloseBoxHidesAndDeletesTheWrapper) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "close command");
        if (!wrapper) {
            wrapper = new RecordingTWindow(log);
            window = wrapper->GetWindowRef();
        }
        wrapper->Show();
        QCoreApplication::processEvents();
        if (closeBox)
            HIWindowGetWidget(window)->close();
        else
            EXPECT_EQ("taken", sendCommand(window, kEventCommandProcess, kHICommandClose));
        wrapper = nullptr;
        EXPECT_EQ(0u, log.find("window:Close window:Hide"));
        EXPECT_TRUE(taken(log).ends_with("window:deleted"));
        EXPECT_EQ(nullptr, GetWindowEventTarget(window)); // the platform window went with it
    }
}

// The wrapper's operations reach its window: titles, place, size, default and cancel buttons,
// drawing, events, and the controls it finds by their ControlIDs.
TEST_F(WindowTest, TheWrapperDrivesItsWindowAndTheControlsItFindsByID) {
    EXPECT_EQ(noErr, wrapper->SetTitle(CFSTR("Fax")));
    EXPECT_EQ(noErr, wrapper->SetAlternateTitle(CFSTR("Fax Settings")));
    const CFRef<CFStringRef> title(wrapper->CopyTitle()), alternate(wrapper->CopyAlternateTitle());
    EXPECT_TRUE(CFEqual(title.get(), CFSTR("Fax")));
    EXPECT_TRUE(CFEqual(alternate.get(), CFSTR("Fax Settings")));
    wrapper->Show();
    wrapper->Select();
    EXPECT_TRUE(wrapper->IsVisible());
    wrapper->MoveTopLeftOfContentTo(40, 50);
    wrapper->SetContentSize(300, 200);
    Rect bounds = {};
    GetWindowBounds(window, kWindowContentRgn, &bounds);
    EXPECT_EQ((std::vector<int>{50, 40, 250, 340}),
              (std::vector<int>{bounds.top, bounds.left, bounds.bottom, bounds.right}));

    const ControlID box = {FOUR_CHAR_CODE("chkb"), 20}, ok = {FOUR_CHAR_CODE("okbt"), 1},
                    cancel = {FOUR_CHAR_CODE("cnbt"), 2};
    ControlRef boxControl = nullptr, okControl = nullptr, cancelControl = nullptr;
    GetControlByID(window, &box, &boxControl);
    GetControlByID(window, &ok, &okControl);
    GetControlByID(window, &cancel, &cancelControl);
    EXPECT_EQ(noErr, wrapper->DisableControlByID(box));
    EXPECT_FALSE(IsControlEnabled(boxControl));
    EXPECT_EQ(noErr, wrapper->EnableControlByID(box));
    EXPECT_TRUE(IsControlEnabled(boxControl));
    EXPECT_EQ(noErr, wrapper->HideControlByID(box));
    EXPECT_FALSE(IsControlVisible(boxControl));
    EXPECT_EQ(noErr, wrapper->ShowControlByID(box));
    EXPECT_TRUE(IsControlVisible(boxControl));
    EXPECT_NE(noErr, wrapper->HideControlByID({FOUR_CHAR_CODE("none"), 9}));
    EXPECT_EQ(noErr, wrapper->SetDefaultButton(okControl));
    EXPECT_EQ(noErr, wrapper->SetCancelButton(cancelControl));

    const Rect area = {0, 0, 10, 10};
    EXPECT_EQ(noErr, wrapper->InvalidateArea(area));
    EXPECT_EQ(noErr, wrapper->ValidateArea(area));
    wrapper->UpdateNow();
    const EventTypeSpec drawing = {kEventClassWindow, kEventWindowDrawContent};
    EXPECT_EQ(noErr, wrapper->RegisterForEvents(1, &drawing));
    EXPECT_EQ(noErr, wrapper->UnregisterForEvents(1, &drawing));
}

TEST(WindowMaking, WithoutTheNibOrTheWindowThereIsNoWindowAndCallsActOnNothing) {
    for (auto [nib, name] : {std::pair{CFSTR("Missing"), CFSTR("Popup")},
                             std::pair{CFSTR("PanelNib"), CFSTR("Missing")}}) {
        auto* wrapper = new TWindow(nib, name, panelTestBundle());
        EXPECT_EQ(nullptr, wrapper->GetWindowRef());
        wrapper->Show();
        HICommand close = {};
        close.commandID = kHICommandClose;
        EXPECT_TRUE(wrapper->HandleCommand(close)); // the event goes nowhere
        wrapper->Close();                           // hides nothing, deletes the wrapper
    }
}

} // namespace
