// Handler stacks, event records, stale references, the standard close handling, the maximise
// button as zoom box, and the registry under address reuse.
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
};

OSStatus record(EventHandlerCallRef call, EventRef event, void* data) {
    auto* recorder = static_cast<Recorder*>(data);
    recorder->log->push_back(recorder->name);
    if (recorder->callNext) {
        const OSStatus next = CallNextEventHandler(call, event);
        recorder->log->push_back(recorder->name + " after next: " + std::to_string(next));
    }
    return recorder->result;
}

OSStatus removeItself(EventHandlerCallRef, EventRef, void* data) {
    EXPECT_EQ(noErr, RemoveEventHandler(*static_cast<EventHandlerRef*>(data)));
    return eventNotHandledErr;
}

constexpr EventTypeSpec windowClose{kEventClassWindow, kEventWindowClose};

OSStatus sendClose(WindowRef window) {
    EventRef event = nullptr;
    EXPECT_EQ(noErr, CreateEvent(nullptr, kEventClassWindow, kEventWindowClose, 0,
                                 kEventAttributeNone, &event));
    const OSStatus result = SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
    return result;
}

class EventTest : public NibWindowTest {};

TEST_F(EventTest, LastInstalledRunsFirstAndARemovedHandlerIsGone) {
    WindowRef window = openWindow();
    std::vector<std::string> log;
    Recorder bottom{&log, "bottom", noErr};
    Recorder top{&log, "top", -1, true};
    EventHandlerRef self = nullptr;
    ASSERT_EQ(noErr, InstallWindowEventHandler(window, record, 1, &windowClose, &bottom, nullptr));
    ASSERT_EQ(noErr,
              InstallWindowEventHandler(window, removeItself, 1, &windowClose, &self, &self));
    ASSERT_EQ(noErr, InstallWindowEventHandler(window, record, 1, &windowClose, &top, nullptr));

    EXPECT_EQ(-1, sendClose(window));
    EXPECT_EQ((std::vector<std::string>{"top", "bottom", "top after next: 0"}), log);
    EXPECT_EQ(paramErr, RemoveEventHandler(self));
    EXPECT_EQ(paramErr, RemoveEventHandler(nullptr));
}

TEST_F(EventTest, TheCloseCommandDisposesAWindowWithTheStandardHandlerMidClick) {
    WindowRef window = openWindow();
    ASSERT_EQ(noErr, ChangeWindowAttributes(window, kWindowStandardHandlerAttribute, 0));
    EXPECT_TRUE(ToolboxDriver::click(window, controlID("clos", 15)));
    EXPECT_EQ(nullptr, GetWindowEventTarget(window));
    EXPECT_EQ(errInvalidWindowRef, SetWindowTitleWithCFString(window, CFSTR("gone")));
}

TEST(EventRecord, ParametersKeepTheirTypeAndSize) {
    EventRef event = nullptr;
    ASSERT_EQ(noErr, CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0,
                                 kEventAttributeNone, &event));
    const UInt32 attributes = kWindowBoundsChangeSizeChanged;
    ASSERT_EQ(noErr, SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes,
                                       &attributes));
    UInt32 read = 0;
    EventParamType type = 0;
    ByteCount size = 0;
    EXPECT_EQ(noErr, GetEventParameter(event, kEventParamAttributes, typeWildCard, &type,
                                       sizeof read, &size, &read));
    EXPECT_EQ(attributes, read);
    EXPECT_EQ(typeUInt32, type);
    EXPECT_EQ(sizeof read, size);
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
    WindowRef disposed = openWindow();
    ControlRef stale = control(disposed, "okbt", 1);
    DisposeWindow(disposed);

    const ControlID id = controlID("okbt", 1);
    const ControlID missing = controlID("none", 99);
    ControlRef found = nullptr;
    EXPECT_EQ(errInvalidWindowRef, GetControlByID(disposed, &id, &found));
    EXPECT_EQ(errInvalidWindowRef, GetControlByID(nullptr, &id, &found));
    EXPECT_EQ(errUnknownControl, GetControlByID(window, &missing, &found));
    EXPECT_EQ(errUnknownControl, ActivateControl(stale));
    EXPECT_EQ(nullptr, GetControlEventTarget(stale));
    EXPECT_EQ(nullptr, GetControlOwner(stale));
    EXPECT_EQ(paramErr, InstallEventHandler(nullptr, record, 1, &windowClose, nullptr, nullptr));
    EXPECT_EQ(errInvalidWindowRef, RunAppModalLoopForWindow(disposed));
}

// Answers the ideal size it points at, or takes the event without one when it points nowhere.
OSStatus answerIdealSize(EventHandlerCallRef, EventRef event, void* size) {
    const Point* ideal = *static_cast<const Point**>(size);
    if (ideal) SetEventParameter(event, kEventParamDimensions, typeQDPoint, sizeof *ideal, ideal);
    return noErr;
}

TEST_F(EventTest, MaximisingZoomsToTheIdealSizeAHandlerGivesElseMaximises) {
    WindowRef window = openWindow();
    const Point ideal{180, 260}; // v height, h width
    const Point* answer = nullptr;
    const EventTypeSpec getIdealSize{kEventClassWindow, kEventWindowGetIdealSize};
    InstallWindowEventHandler(window, answerIdealSize, 1, &getIdealSize, &answer, nullptr);
    ShowWindow(window);
    QWidget* widget = HIWindowGetWidget(window);
    widget->showMaximized();
    EXPECT_TRUE(widget->isMaximized());
    widget->showNormal();

    answer = &ideal;
    widget->showMaximized();
    EXPECT_TRUE(waitFor([&] { return widget->size() == QSize(260, 180); }));
    EXPECT_FALSE(widget->isMaximized());
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
