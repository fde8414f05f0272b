// The window wrapper: how it marks the window it wraps, the dispatch of window and command
// events to its operations, what it does with its window, and a wrapper whose window could
// not be made.
#include "CallLog.h"
#include "TestBundles.h"
#include "TestWindows.h"

#include <TWindow.h>

#include <MacErrors.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const ControlID kCheckBoxID = {FOUR_CHAR_CODE("chkb"), 20};
const ControlID kOKButtonID = {FOUR_CHAR_CODE("okbt"), 1};
const ControlID kCancelButtonID = {FOUR_CHAR_CODE("cnbt"), 2};

// A wrapper that logs each operation the dispatch reaches, and its own deletion.
class RecordingTWindow : public TWindow {
  public:
    RecordingTWindow(CallLog& log, WindowRef window) : TWindow(window), recorder_(log, "window") {}
    ~RecordingTWindow() override { note("deleted"); }

    Point idealSize = {0, 0};
    bool logEvents = false; // log the kind of every event the handler receives

    void Close() override {
        note("Close");
        TWindow::Close();
    }
    void Hide() override {
        note("Hide");
        TWindow::Hide();
    }
    void Draw() override { note("Draw"); }
    void Activated() override { note("Activated"); }
    void Deactivated() override { note("Deactivated"); }
    void Moved() override { note("Moved"); }
    void Resized() override { note("Resized"); }
    Point GetIdealSize() override {
        note("GetIdealSize");
        return idealSize;
    }
    OSStatus HandleEvent(EventHandlerCallRef callRef, EventRef event) override {
        if (logEvents) note(("event " + std::to_string(GetEventKind(event))).c_str());
        return TWindow::HandleEvent(callRef, event);
    }

  private:
    void note(const char* operation) { recorder_.note(operation); }
    CallRecorder recorder_;
};

// Logs "next" and passes the event on: a handler installed under the wrapper's.
OSStatus logNext(EventHandlerCallRef, EventRef, void* log) {
    static_cast<CallLog*>(log)->push_back("next");
    return eventNotHandledErr;
}

WindowRef nibWindow(CFStringRef name) {
    IBNibRef nib = nullptr;
    WindowRef window = nullptr;
    EXPECT_EQ(noErr, CreateNibReferenceWithCFBundle(panelTestBundle(), CFSTR("PanelNib"), &nib));
    EXPECT_EQ(noErr, CreateWindowFromNib(nib, name, &window));
    DisposeNibReference(nib);
    return window;
}

WindowAttributes attributesOf(WindowRef window) {
    WindowAttributes attributes = 0;
    GetWindowAttributes(window, &attributes);
    return attributes;
}

// Sends the window an event of the class and kind after fill() has added its parameters, and
// lets read() look at the event afterwards.
OSStatus send(WindowRef window, UInt32 eventClass, UInt32 kind,
              const std::function<void(EventRef)>& fill = {},
              const std::function<void(EventRef)>& read = {}) {
    EventRef event = nullptr;
    EXPECT_EQ(noErr, CreateEvent(nullptr, eventClass, kind, 0, kEventAttributeNone, &event));
    if (fill) fill(event);
    const OSStatus result = SendEventToEventTarget(event, GetWindowEventTarget(window));
    if (read) read(event);
    ReleaseEvent(event);
    return result;
}

OSStatus sendCommand(WindowRef window, UInt32 kind, UInt32 commandID) {
    return send(window, kEventClassCommand, kind, [&](EventRef event) {
        HICommand command = {};
        command.commandID = commandID;
        SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command, &command);
    });
}

OSStatus sendBoundsChanged(WindowRef window, UInt32 attributes) {
    return send(window, kEventClassWindow, kEventWindowBoundsChanged, [&](EventRef event) {
        SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes, &attributes);
    });
}

// Close, then Hide (hiding the active window deactivates it), and the deletion last.
bool closedHiddenAndDeleted(const CallLog& log) {
    return log.size() >= 3 && log[0] == "window:Close" && log[1] == "window:Hide" &&
           log.back() == "window:deleted";
}

// The wrapper of the nib window "Popup", with a handler under its own that logs "next" for
// draw content, activation, deactivation and the update event.
class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window = nibWindow(CFSTR("Popup"));
        static const EventTypeSpec below[] = {{kEventClassWindow, kEventWindowDrawContent},
                                              {kEventClassWindow, kEventWindowActivated},
                                              {kEventClassWindow, kEventWindowDeactivated},
                                              {kEventClassWindow, kEventWindowUpdate}};
        InstallWindowEventHandler(window, logNext, 4, below, &log, nullptr);
        wrapper = new RecordingTWindow(log, window);
    }
    void TearDown() override {
        delete wrapper;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Shows the window and forgets the moves and resizes of showing it.
    void show() {
        wrapper->Show();
        QCoreApplication::processEvents();
        log.clear();
    }
    // After the wrapper deleted itself.
    void forgetWrapper() { wrapper = nullptr; }

    CallLog log;
    WindowRef window = nullptr;
    RecordingTWindow* wrapper = nullptr;
};

TEST_F(WindowTest, TheWrappedWindowIsMarkedAsOurs) {
    EXPECT_EQ(window, wrapper->GetWindowRef());
    EXPECT_EQ(GetWindowPort(window), wrapper->GetPort());
    EXPECT_NE(nullptr, wrapper->GetPort());
    EXPECT_EQ(2001, GetWindowKind(window));
    EXPECT_EQ(static_cast<TWindow*>(wrapper), GetWRefCon(window));
    // A document window: the standard handler and the window menu.
    EXPECT_EQ(kWindowStandardHandlerAttribute | kWindowInWindowMenuAttribute, attributesOf(window));
    EXPECT_FALSE(wrapper->IsVisible());
}

// Only a document window, from a nib or made new, is put in the window menu.
TEST(WindowMaking, ANewWindowHasTheClassAttributesAndBounds) {
    const Rect bounds = {100, 50, 300, 450};
    TWindow document(kDocumentWindowClass, kWindowCloseBoxAttribute, bounds);
    ASSERT_NE(nullptr, document.GetWindowRef());
    Rect content;
    ASSERT_EQ(noErr, GetWindowBounds(document.GetWindowRef(), kWindowContentRgn, &content));
    EXPECT_EQ(bounds, content);
    EXPECT_EQ(kWindowCloseBoxAttribute | kWindowStandardHandlerAttribute |
                  kWindowInWindowMenuAttribute,
              attributesOf(document.GetWindowRef()));
    EXPECT_FALSE(document.IsVisible());

    TWindow plain(kPlainWindowClass, kWindowNoAttributes, bounds);
    EXPECT_EQ(kWindowStandardHandlerAttribute, attributesOf(plain.GetWindowRef()));
    TWindow dialog(CFSTR("PanelNib"), CFSTR("About"), panelTestBundle()); // a modal dialog
    ASSERT_NE(nullptr, dialog.GetWindowRef());
    EXPECT_EQ(kWindowStandardHandlerAttribute, attributesOf(dialog.GetWindowRef()));
    CFRef<CFStringRef> title(dialog.CopyTitle());
    EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(title.get(), CFSTR("Test message"), 0));
}

TEST(WindowMaking, WithoutTheNibOrTheWindowThereIsNoWindowAndCallsActOnNothing) {
    for (auto [nib, name] : {std::pair{CFSTR("Missing"), CFSTR("Popup")},
                             std::pair{CFSTR("PanelNib"), CFSTR("Missing")}}) {
        auto* wrapper = new TWindow(nib, name, panelTestBundle());
        EXPECT_EQ(nullptr, wrapper->GetWindowRef());
        EXPECT_EQ(nullptr, wrapper->GetPort());
        wrapper->Show();
        wrapper->Select();
        EXPECT_FALSE(wrapper->IsVisible());
        EXPECT_EQ(errInvalidWindowRef, wrapper->SetTitle(CFSTR("title")));
        EXPECT_EQ(nullptr, wrapper->CopyTitle());
        EXPECT_EQ(nullptr, wrapper->CopyAlternateTitle());
        wrapper->MoveTopLeftOfContentTo(10, 10);
        wrapper->SetContentSize(100, 100);
        EXPECT_EQ(errInvalidWindowRef, wrapper->InvalidateArea(Rect{0, 0, 10, 10}));
        wrapper->UpdateNow();
        EXPECT_EQ(errInvalidWindowRef, wrapper->EnableControlByID(kCheckBoxID));
        EXPECT_EQ(paramErr, wrapper->RegisterForEvents(1, &TWindow::kEvents[0]));
        HICommand close = {};
        close.commandID = kHICommandClose;
        EXPECT_TRUE(wrapper->HandleCommand(close)); // the event goes nowhere
        wrapper->Close();                           // hides nothing, deletes the wrapper
    }
}

// Drawing and activation go to the next handler first; a bounds change calls Resized or Moved,
// and with neither bit it is passed on.
TEST_F(WindowTest, WindowEventsReachTheirOperations) {
    EXPECT_EQ(noErr, send(window, kEventClassWindow, kEventWindowDrawContent));
    EXPECT_EQ(noErr, send(window, kEventClassWindow, kEventWindowActivated));
    EXPECT_EQ(noErr, send(window, kEventClassWindow, kEventWindowDeactivated));
    EXPECT_EQ(
        (CallLog{"next", "window:Draw", "next", "window:Activated", "next", "window:Deactivated"}),
        log);
    log.clear();
    EXPECT_EQ(noErr, sendBoundsChanged(window, kWindowBoundsChangeSizeChanged |
                                                   kWindowBoundsChangeOriginChanged));
    EXPECT_EQ(noErr, sendBoundsChanged(window, kWindowBoundsChangeOriginChanged));
    EXPECT_EQ((CallLog{"window:Resized", "window:Moved"}), log);
    log.clear();
    EXPECT_EQ(eventNotHandledErr, sendBoundsChanged(window, 0x10));
    EXPECT_EQ(eventNotHandledErr, send(window, kEventClassWindow, kEventWindowBoundsChanged));
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowTest, TheIdealSizeIsGivenOnlyWhenBothCoordinatesAreSet) {
    Point dims = {0, 0};
    auto readDims = [&](EventRef event) {
        return GetEventParameter(event, kEventParamDimensions, typeQDPoint, nullptr, sizeof dims,
                                 nullptr, &dims);
    };
    OSStatus dimsStatus = noErr;
    auto askIdealSize = [&] {
        return send(window, kEventClassWindow, kEventWindowGetIdealSize, {},
                    [&](EventRef event) { dimsStatus = readDims(event); });
    };
    EXPECT_EQ(eventNotHandledErr, askIdealSize()); // the default (0, 0)
    EXPECT_EQ(eventParameterNotFoundErr, dimsStatus);
    EXPECT_EQ(CallLog{"window:GetIdealSize"}, log);

    wrapper->idealSize = Point{0, 400};
    EXPECT_EQ(eventNotHandledErr, askIdealSize());
    EXPECT_EQ(eventParameterNotFoundErr, dimsStatus);

    wrapper->idealSize = Point{300, 400};
    EXPECT_EQ(noErr, askIdealSize());
    ASSERT_EQ(noErr, dimsStatus);
    EXPECT_EQ(300, dims.v);
    EXPECT_EQ(400, dims.h);
}

TEST_F(WindowTest, TheCloseCommandOrTheCloseBoxHidesAndDeletesTheWrapper) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "close command");
        if (!wrapper) SetUp(); // a new window for the second way
        log.clear();
        show();
        if (closeBox)
            HIWindowGetWidget(window)->close();
        else
            EXPECT_EQ(noErr, sendCommand(window, kEventCommandProcess, kHICommandClose));
        forgetWrapper();
        EXPECT_TRUE(closedHiddenAndDeleted(log));
        EXPECT_EQ(nullptr, GetWindowEventTarget(window)); // the platform window went with it
    }
}

TEST_F(WindowTest, TheCloseCommandIsEnabledAndOtherCommandsAndEventsArePassedOn) {
    EXPECT_EQ(noErr, sendCommand(window, kEventCommandUpdateStatus, kHICommandClose));
    EXPECT_EQ(eventNotHandledErr, sendCommand(window, kEventCommandProcess, kHICommandOK));
    EXPECT_EQ(eventNotHandledErr, sendCommand(window, kEventCommandUpdateStatus, kHICommandOK));
    EXPECT_EQ(eventNotHandledErr, send(window, kEventClassCommand, kEventCommandProcess));
    const EventTypeSpec others[] = {{kEventClassWindow, kEventWindowUpdate},
                                    {kEventClassCommand, 3},
                                    {kEventClassControl, kEventControlHit}};
    for (auto [eventClass, kind] : others) {
        EventRef event = nullptr;
        ASSERT_EQ(noErr, CreateEvent(nullptr, eventClass, kind, 0, kEventAttributeNone, &event));
        EXPECT_EQ(eventNotHandledErr, wrapper->HandleEvent(nullptr, event));
        ReleaseEvent(event);
    }
    EXPECT_TRUE(log.empty()); // nothing closes
    EXPECT_EQ(window, wrapper->GetWindowRef());
}

TEST_F(WindowTest, EventTypesCanBeAddedToAndRemovedFromTheHandler) {
    wrapper->logEvents = true;
    const EventTypeSpec update = {kEventClassWindow, kEventWindowUpdate};
    ASSERT_EQ(noErr, wrapper->RegisterForEvents(1, &update));
    send(window, kEventClassWindow, kEventWindowUpdate);
    EXPECT_EQ((CallLog{"window:event 1", "next"}), log); // passed on below
    log.clear();
    ASSERT_EQ(noErr, wrapper->UnregisterForEvents(1, &update));
    send(window, kEventClassWindow, kEventWindowUpdate);
    EXPECT_EQ(CallLog{"next"}, log);
}

TEST_F(WindowTest, UpdateNowSendsTheUpdateEventOnlyWhileAnUpdateIsPending) {
    ASSERT_EQ(noErr, wrapper->ValidateArea(Rect{0, 0, 160, 300}));
    wrapper->UpdateNow();
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(noErr, wrapper->InvalidateArea(Rect{10, 10, 20, 20}));
    wrapper->UpdateNow();
    EXPECT_EQ(CallLog{"next"}, log);
    ASSERT_EQ(noErr, wrapper->ValidateArea(Rect{0, 0, 160, 300}));
    EXPECT_FALSE(IsWindowUpdatePending(window));
}

TEST_F(WindowTest, ControlsAreEnabledAndShownByID) {
    ControlRef checkBox = nullptr;
    ASSERT_EQ(noErr, GetControlByID(window, &kCheckBoxID, &checkBox));
    EXPECT_EQ(noErr, wrapper->DisableControlByID(kCheckBoxID));
    EXPECT_EQ(noErr, wrapper->HideControlByID(kCheckBoxID));
    EXPECT_FALSE(IsControlEnabled(checkBox) || IsControlVisible(checkBox));
    EXPECT_EQ(noErr, wrapper->EnableControlByID(kCheckBoxID));
    EXPECT_EQ(noErr, wrapper->ShowControlByID(kCheckBoxID));
    EXPECT_TRUE(IsControlEnabled(checkBox) && IsControlVisible(checkBox));

    const ControlID missing = {FOUR_CHAR_CODE("none"), 9};
    EXPECT_EQ(errUnknownControl, wrapper->EnableControlByID(missing));
    EXPECT_EQ(errUnknownControl, wrapper->DisableControlByID(missing));
    EXPECT_EQ(errUnknownControl, wrapper->ShowControlByID(missing));
    EXPECT_EQ(errUnknownControl, wrapper->HideControlByID(missing));
}

TEST_F(WindowTest, AWindowDisposedOfElsewhereIsForgotten) {
    DisposeWindow(window);
    wrapper->PlatformWindowDisposed();
    EXPECT_EQ(nullptr, wrapper->GetWindowRef());
    EXPECT_EQ(nullptr, wrapper->GetPort());
    delete wrapper;
    forgetWrapper();
    EXPECT_EQ(CallLog{"window:deleted"}, log);
}

} // namespace
