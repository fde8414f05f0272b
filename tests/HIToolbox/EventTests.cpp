// Handler stacks, propagation to parent targets, the standard handling, event records, and the
// window events that come from the widgets: close box, moves, resizes, activation, maximising.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <QPushButton>

#include <cstdint>
#include <string>

namespace {

// A handler that logs its name, optionally calls the next handler, and answers a result.
struct Recorder {
    std::vector<std::string>* log;
    std::string name;
    OSStatus result = eventNotHandledErr;
    bool callNext = false;
    UInt32 command = 0; // the command of a 'cmds' event, when one came
};

OSStatus record(EventHandlerCallRef call, EventRef event, void* data) {
    auto* recorder = static_cast<Recorder*>(data);
    recorder->log->push_back(recorder->name);
    if (GetEventClass(event) == kEventClassCommand) {
        HICommand command{};
        GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                          nullptr, &command);
        recorder->command = command.commandID;
    }
    if (recorder->callNext) {
        const OSStatus next = CallNextEventHandler(call, event);
        recorder->log->push_back(recorder->name + " after next: " + std::to_string(next));
    }
    return recorder->result;
}

OSStatus removeItself(EventHandlerCallRef, EventRef, void* data) {
    auto* handler = static_cast<EventHandlerRef*>(data);
    EXPECT_EQ(noErr, RemoveEventHandler(*handler));
    return eventNotHandledErr;
}

constexpr EventTypeSpec controlHit{kEventClassControl, kEventControlHit};
constexpr EventTypeSpec commandProcess{kEventClassCommand, kEventCommandProcess};
constexpr EventTypeSpec windowClose{kEventClassWindow, kEventWindowClose};

OSStatus sendToWindow(WindowRef window, UInt32 eventClass, UInt32 kind) {
    EventRef event = nullptr;
    EXPECT_EQ(noErr, CreateEvent(nullptr, eventClass, kind, 0, kEventAttributeNone, &event));
    const OSStatus result = SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
    return result;
}

class EventTest : public NibWindowTest {};

TEST_F(EventTest, LastInstalledRunsFirstAndCallNextGoesOneStepDown) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder bottom{&log, "bottom", noErr};
    Recorder middle{&log, "middle", eventNotHandledErr};
    Recorder top{&log, "top", -1, true};
    for (Recorder* recorder : {&bottom, &middle, &top})
        ASSERT_EQ(noErr,
                  InstallWindowEventHandler(window, record, 1, &windowClose, recorder, nullptr));

    EXPECT_EQ(-1, sendToWindow(window, kEventClassWindow, kEventWindowClose));
    EXPECT_EQ((std::vector<std::string>{"top", "middle", "bottom", "top after next: 0"}), log);
}

TEST_F(EventTest, UnhandledEventsGoFromControlToWindowToApplication) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder onControl{&log, "control"}, onWindow{&log, "window"}, onApplication{&log, "app"};
    EventHandlerRef applicationHandler = nullptr;
    ASSERT_EQ(noErr, InstallControlEventHandler(control(window, "plan", 2), record, 1, &controlHit,
                                                &onControl, nullptr));
    ASSERT_EQ(noErr, InstallWindowEventHandler(window, record, 1, &controlHit, &onWindow, nullptr));
    ASSERT_EQ(noErr, InstallEventHandler(GetApplicationEventTarget(), record, 1, &controlHit,
                                         &onApplication, &applicationHandler));

    EXPECT_TRUE(ToolboxDriver::click(window, controlID("plan", 2)));
    EXPECT_EQ((std::vector<std::string>{"control", "window", "app"}), log);

    log.clear();
    onWindow.result = noErr; // taken by the window: the application never sees it
    ToolboxDriver::click(window, controlID("plan", 2));
    EXPECT_EQ((std::vector<std::string>{"control", "window"}), log);
    EXPECT_EQ(noErr, RemoveEventHandler(applicationHandler));
}

TEST_F(EventTest, RemovedHandlersStopRunningAndMayRemoveThemselves) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder below{&log, "below"};
    EventHandlerRef self = nullptr;
    ASSERT_EQ(noErr, InstallWindowEventHandler(window, record, 1, &windowClose, &below, nullptr));
    ASSERT_EQ(noErr,
              InstallWindowEventHandler(window, removeItself, 1, &windowClose, &self, &self));

    sendToWindow(window, kEventClassWindow, kEventWindowClose);
    EXPECT_EQ(std::vector<std::string>{"below"}, log); // the dispatch went on below it
    EXPECT_EQ(paramErr, RemoveEventHandler(self));     // already gone
    EXPECT_EQ(paramErr, RemoveEventHandler(nullptr));
}

TEST_F(EventTest, AButtonWithACommandSendsItToItsWindowUnlessItsHitIsTaken) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder onCommand{&log, "command", noErr};
    ASSERT_EQ(noErr,
              InstallWindowEventHandler(window, record, 1, &commandProcess, &onCommand, nullptr));

    EXPECT_TRUE(ToolboxDriver::click(window, controlID("okbt", 1)));
    EXPECT_EQ(std::vector<std::string>{"command"}, log);
    EXPECT_EQ(kHICommandOK, onCommand.command);

    log.clear();
    ToolboxDriver::click(window, controlID("plan", 2)); // no command
    EXPECT_TRUE(log.empty());

    Recorder takesHit{&log, "hit", noErr};
    InstallControlEventHandler(control(window, "okbt", 1), record, 1, &controlHit, &takesHit,
                               nullptr);
    ToolboxDriver::click(window, controlID("okbt", 1));
    EXPECT_EQ(std::vector<std::string>{"hit"}, log);
}

TEST_F(EventTest, TheCloseBoxAndCommandSendCloseAndTheStandardHandlerDisposesTheWindow) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder onClose{&log, "close"};
    InstallWindowEventHandler(window, record, 1, &windowClose, &onClose, nullptr);

    ShowWindow(window);
    HIWindowGetWidget(window)->close(); // the close box
    ToolboxDriver::click(window, controlID("clos", 15));
    EXPECT_EQ((std::vector<std::string>{"close", "close"}), log);
    EXPECT_NE(nullptr, GetWindowEventTarget(window)); // no standard handler: it stays
    EXPECT_TRUE(IsWindowVisible(window));

    ASSERT_EQ(noErr, ChangeWindowAttributes(window, kWindowStandardHandlerAttribute, 0));
    ToolboxDriver::click(window, controlID("clos", 15));
    EXPECT_EQ(nullptr, GetWindowEventTarget(window));
    EXPECT_EQ(errInvalidWindowRef, SetWindowTitleWithCFString(window, CFSTR("gone")));
}

OSStatus disposeOnCommand(EventHandlerCallRef, EventRef, void* window) {
    DisposeWindow(static_cast<WindowRef>(window));
    return noErr;
}

TEST_F(EventTest, AHandlerMayDisposeOfItsWindowWhileTheClickIsDispatched) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder onHit{&log, "hit"};
    InstallControlEventHandler(control(window, "okbt", 1), record, 1, &controlHit, &onHit, nullptr);
    InstallWindowEventHandler(window, disposeOnCommand, 1, &commandProcess, window, nullptr);
    EXPECT_TRUE(ToolboxDriver::click(window, controlID("okbt", 1)));
    EXPECT_EQ(std::vector<std::string>{"hit"}, log);
    EXPECT_EQ(nullptr, GetWindowEventTarget(window));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(EventRecord, ParametersKeepTheirTypeAndSize) {
    EventRef event = nullptr;
    ASSERT_EQ(noErr, CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0,
                                 kEventAttributeNone, &event));
    EXPECT_EQ(kEventClassWindow, GetEventClass(event));
    EXPECT_EQ(kEventWindowBoundsChanged, GetEventKind(event));
    const UInt32 attributes = kWindowBoundsChangeSizeChanged;
    ASSERT_EQ(noErr, SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes,
                                       &attributes));

    UInt32 read = 0;
    EventParamType type = 0;
    ByteCount size = 0;
    EXPECT_EQ(noErr, GetEventParameter(event, kEventParamAttributes, typeUInt32, &type, sizeof read,
                                       &size, &read));
    EXPECT_EQ(attributes, read);
    EXPECT_EQ(typeUInt32, type);
    EXPECT_EQ(sizeof read, size);
    EXPECT_EQ(noErr, GetEventParameter(event, kEventParamAttributes, typeWildCard, nullptr,
                                       sizeof read, nullptr, &read));
    Point point{};
    EXPECT_EQ(errAECoercionFail, GetEventParameter(event, kEventParamAttributes, typeQDPoint,
                                                   nullptr, sizeof point, nullptr, &point));
    EXPECT_EQ(eventParameterNotFoundErr,
              GetEventParameter(event, kEventParamDimensions, typeQDPoint, nullptr, sizeof point,
                                nullptr, &point));
    UInt16 half = 0; // a short buffer gets what fits, never more
    EXPECT_EQ(noErr, GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr,
                                       sizeof half, &size, &half));
    EXPECT_EQ(sizeof read, size);
    ReleaseEvent(event);
}

TEST_F(EventTest, StaleAndNullReferencesGiveErrorsNotCrashes) {
    WindowRef window = openWindow();
    ControlRef button = control(window, "okbt", 1);
    WindowRef disposed = openWindow();
    ControlRef stale = control(disposed, "okbt", 1);
    DisposeWindow(disposed);

    const ControlID id = controlID("okbt", 1);
    ControlRef found = nullptr;
    EXPECT_EQ(errInvalidWindowRef, GetControlByID(disposed, &id, &found));
    EXPECT_EQ(errInvalidWindowRef, GetControlByID(nullptr, &id, &found));
    EXPECT_EQ(errUnknownControl, ActivateControl(stale));
    EXPECT_EQ(errUnknownControl, SetControlTitleWithCFString(nullptr, CFSTR("x")));
    EXPECT_EQ(nullptr, GetControlEventTarget(stale));
    EXPECT_EQ(paramErr, InstallEventHandler(nullptr, record, 1, &controlHit, nullptr, nullptr));
    EXPECT_EQ(errInvalidWindowRef, RunAppModalLoopForWindow(disposed));
    EXPECT_EQ(nullptr, GetControlOwner(stale));
    EXPECT_EQ(window, GetControlOwner(button));
    const ControlID missing = controlID("none", 99);
    EXPECT_EQ(errUnknownControl, GetControlByID(window, &missing, &found));
}

// Logs the attributes of each bounds-changed event and passes it on.
OSStatus recordBoundsChange(EventHandlerCallRef, EventRef event, void* changes) {
    UInt32 attributes = 0;
    GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr, sizeof attributes, nullptr,
                      &attributes);
    static_cast<std::vector<UInt32>*>(changes)->push_back(attributes);
    return eventNotHandledErr;
}

TEST_F(EventTest, AMoveAndAResizeOfTheWidgetSayWhichBoundsChanged) {
    WindowRef window = openWindow();
    ShowWindow(window);
    QCoreApplication::processEvents();
    std::vector<UInt32> changes;
    const EventTypeSpec boundsChanged{kEventClassWindow, kEventWindowBoundsChanged};
    InstallWindowEventHandler(window, recordBoundsChange, 1, &boundsChanged, &changes, nullptr);

    MoveWindow(window, 50, 70, false);
    EXPECT_TRUE(waitFor([&] { return !changes.empty(); }));
    EXPECT_EQ(std::vector<UInt32>{kWindowBoundsChangeOriginChanged}, changes);
    changes.clear();
    SizeWindow(window, 300, 200, true);
    EXPECT_TRUE(waitFor([&] { return !changes.empty(); }));
    EXPECT_EQ(std::vector<UInt32>{kWindowBoundsChangeSizeChanged}, changes);
}

TEST_F(EventTest, ActivationChangesBecomeActivatedAndDeactivatedEvents) {
    WindowRef first = openWindow();
    WindowRef second = openWindow();
    std::vector<std::string> log;
    Recorder activated{&log, "activated"};
    Recorder deactivated{&log, "deactivated"};
    const EventTypeSpec activation{kEventClassWindow, kEventWindowActivated};
    const EventTypeSpec deactivation{kEventClassWindow, kEventWindowDeactivated};
    InstallWindowEventHandler(first, record, 1, &activation, &activated, nullptr);
    InstallWindowEventHandler(first, record, 1, &deactivation, &deactivated, nullptr);

    ShowWindow(first);
    SelectWindow(first);
    EXPECT_TRUE(waitFor([&] { return !log.empty(); }));
    EXPECT_EQ(std::vector<std::string>{"activated"}, log);
    ShowWindow(second);
    SelectWindow(second);
    EXPECT_TRUE(waitFor([&] { return log.size() > 1; }));
    EXPECT_EQ((std::vector<std::string>{"activated", "deactivated"}), log);
}

OSStatus answerIdealSize(EventHandlerCallRef, EventRef event, void* size) {
    SetEventParameter(event, kEventParamDimensions, typeQDPoint, sizeof(Point), size);
    return noErr;
}

constexpr EventTypeSpec getIdealSize{kEventClassWindow, kEventWindowGetIdealSize};

TEST_F(EventTest, MaximisingZoomsToTheIdealSizeThatAHandlerGives) {
    WindowRef window = openWindow();
    Point ideal{180, 260}; // v height, h width
    InstallWindowEventHandler(window, answerIdealSize, 1, &getIdealSize, &ideal, nullptr);
    ShowWindow(window);
    QWidget* widget = HIWindowGetWidget(window);
    widget->showMaximized();
    EXPECT_TRUE(waitFor([&] { return widget->size() == QSize(260, 180); }));
    EXPECT_FALSE(widget->isMaximized());
}

TEST_F(EventTest, WithoutDimensionsFromAHandlerMaximisingMaximises) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder asked{&log, "asked", noErr}; // takes the event but gives no dimensions
    InstallWindowEventHandler(window, record, 1, &getIdealSize, &asked, nullptr);
    ShowWindow(window);
    QWidget* widget = HIWindowGetWidget(window);
    widget->showMaximized();
    EXPECT_EQ(std::vector<std::string>{"asked"}, log);
    EXPECT_TRUE(widget->isMaximized());
    widget->showNormal(); // leaving the maximised state asks nothing
    EXPECT_EQ(std::vector<std::string>{"asked"}, log);
}

TEST(WindowLifetime, TheLateDeletionOfADisposedWindowsWidgetLeavesNewerWindowsAlone) {
    // A disposed window's widget goes at the next deferred deletion; by then its window and
    // control objects are gone, and the allocator often gives their memory at once to the next
    // ones. Only a newer object at a freed address can be mistaken for the disposed one.
    auto makeWindow = [] {
        auto* widget = new QWidget;
        new QPushButton(widget);
        widget->findChild<QPushButton*>()->setObjectName("okbt_1");
        return HIWindowFromWidget(widget);
    };
    const ControlID buttonID = controlID("okbt", 1);
    auto buttonOf = [&](WindowRef window) {
        ControlRef button = nullptr;
        GetControlByID(window, &buttonID, &button);
        return button;
    };
    std::vector<std::pair<WindowRef, ControlRef>> newer;
    bool reused = false;
    for (int round = 0; round < 8; ++round) {
        WindowRef disposed = makeWindow();
        const auto freedWindow = reinterpret_cast<std::uintptr_t>(disposed);
        const auto freedButton = reinterpret_cast<std::uintptr_t>(buttonOf(disposed));
        DisposeWindow(disposed);
        WindowRef window = makeWindow();
        ControlRef button = buttonOf(window);
        ASSERT_NE(nullptr, button);
        reused = reused || reinterpret_cast<std::uintptr_t>(window) == freedWindow ||
                 reinterpret_cast<std::uintptr_t>(button) == freedButton;
        newer.emplace_back(window, button);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (auto [window, button] : newer) {
        EXPECT_NE(nullptr, GetWindowEventTarget(window));
        EXPECT_NE(nullptr, GetControlEventTarget(button));
        DisposeWindow(window);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!reused)
        GTEST_SKIP() << "No newer window or control took a disposed one's address (the "
                        "allocator holds freed memory back, as AddressSanitizer does), so the "
                        "case was not met";
}

} // namespace
