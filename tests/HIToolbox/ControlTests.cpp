// Control values, states, bounds, containment, control data, properties and popup menus.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <QComboBox>

namespace {

class ControlTest : public NibWindowTest {};

TEST_F(ControlTest, ValuesAreClampedToMinimumAndMaximum) {
    WindowRef window = openWindow();
    ControlRef popup = control(window, "popu", 6);
    EXPECT_EQ(3, GetControlMaximum(popup));
    SetControlValue(popup, 3);
    EXPECT_EQ(3, GetControlValue(popup));
    EXPECT_EQ("Three", ToolboxDriver::controlText(window, controlID("popu", 6)));
    SetControlValue(popup, 9);
    EXPECT_EQ(3, GetControlValue(popup));
    SetControlValue(popup, -4);
    EXPECT_EQ(1, GetControlValue(popup)); // the popup's minimum
    SetControlValue(popup, 3);
    SetControlMaximum(popup, 2); // the value follows the lowered maximum
    EXPECT_EQ(2, GetControlValue(popup));

    ControlRef check = control(window, "chck", 3);
    SetControlValue(check, 1);
    EXPECT_EQ(1, GetControlValue(check));
    SetControlValue(check, 5);
    EXPECT_EQ(2, GetControlValue(check)); // mixed is the maximum

    ControlRef pane = control(window, "upan", 14);
    SetControl32BitMaximum(pane, 100000);
    SetControl32BitValue(pane, 70000);
    EXPECT_EQ(70000, GetControl32BitValue(pane));
    EXPECT_EQ(32767, GetControlValue(pane)); // the 16-bit form saturates
}

TEST_F(ControlTest, VisibilityActivationAndEnablingAreIndependent) {
    WindowRef window = openWindow();
    ControlRef button = control(window, "plan", 2);
    QWidget* widget = HIControlGetWidget(button);
    HideControl(button);
    EXPECT_FALSE(IsControlVisible(button));
    EXPECT_TRUE(IsControlActive(button));
    DeactivateControl(button);
    ShowControl(button);
    EXPECT_TRUE(IsControlVisible(button));
    EXPECT_FALSE(IsControlActive(button));
    EXPECT_FALSE(widget->isEnabled());
    DisableControl(button);
    ActivateControl(button);
    EXPECT_FALSE(widget->isEnabled()); // still disabled
    EXPECT_FALSE(ToolboxDriver::click(window, controlID("plan", 2)));
    EnableControl(button);
    EXPECT_TRUE(widget->isEnabled());
}

TEST_F(ControlTest, BoundsAreInWindowCoordinatesAndSurviveEmbedding) {
    WindowRef window = openWindow();
    ControlRef inner = control(window, "innr", 8); // at (10, 30) in the group at (220, 10)
    Rect bounds;
    GetControlBounds(inner, &bounds);
    EXPECT_EQ(40, bounds.top);
    EXPECT_EQ(230, bounds.left);
    EXPECT_EQ(60, bounds.bottom);
    EXPECT_EQ(330, bounds.right);

    WindowRef other = openWindow();
    ControlRef container = control(other, "upan", 14);
    ASSERT_EQ(noErr, EmbedControl(inner, container));
    EXPECT_EQ(other, GetControlOwner(inner));
    Rect moved;
    GetControlBounds(inner, &moved);
    EXPECT_EQ(bounds.top, moved.top);
    EXPECT_EQ(bounds.left, moved.left);
    const Rect target{-5, 7, 15, 57};
    SetControlBounds(inner, &target);
    GetControlBounds(inner, &moved);
    EXPECT_EQ(-5, moved.top);
    EXPECT_EQ(57, moved.right);
    EXPECT_EQ(paramErr, EmbedControl(container, inner)); // no loops
}

TEST_F(ControlTest, AnEmbeddedPaneOutlivesTheWindowItCameFrom) {
    // A host's window with a user pane of its own, as a print dialog makes it.
    const Rect bounds{100, 100, 500, 600};
    WindowRef dialog = nullptr;
    ASSERT_EQ(noErr, CreateNewWindow(kDocumentWindowClass, kWindowStandardHandlerAttribute, &bounds,
                                     &dialog));
    ControlRef host = HIControlFromWidget(new QWidget(HIWindowGetWidget(dialog)));
    ASSERT_NE(nullptr, host);

    WindowRef nib = openWindow();
    ControlRef pane = control(nib, "upan", 14);
    ControlRef button = control(nib, "clos", 15);
    ASSERT_EQ(noErr, EmbedControl(pane, host));
    SetControlVisibility(pane, true, false);
    DisposeWindow(nib);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(dialog, GetControlOwner(pane));
    EXPECT_EQ(dialog, GetControlOwner(button));
    const ControlID closeID = controlID("clos", 15);
    ControlRef found = nullptr;
    EXPECT_EQ(noErr, GetControlByID(dialog, &closeID, &found));
    EXPECT_EQ(button, found);
    DisposeWindow(dialog);
}

TEST_F(ControlTest, TabViewsHaveTheirPanesAsSubControls) {
    WindowRef window = openWindow();
    ControlRef tabs = control(window, "tabs", 9);
    UInt16 count = 0;
    ASSERT_EQ(noErr, CountSubControls(tabs, &count));
    EXPECT_EQ(2, count);
    ControlRef second = nullptr;
    ASSERT_EQ(noErr, GetIndexedSubControl(tabs, 2, &second));
    EXPECT_EQ(control(window, "pane", 11), second);
    EXPECT_EQ(paramErr, GetIndexedSubControl(tabs, 3, &second));
    SetControlVisibility(second, true, false);
    EXPECT_TRUE(IsControlVisible(second));

    const ControlTabInfoRecV1 info{kControlTabInfoVersionOne, 0, CFSTR("Device")};
    EXPECT_EQ(noErr, SetControlData(tabs, 2, kControlTabInfoTag, sizeof info, &info));
    ControlTabInfoRecV1 read{};
    EXPECT_EQ(noErr, GetControlData(tabs, 2, kControlTabInfoTag, sizeof read, &read, nullptr));
    EXPECT_EQ("Device", qText(read.name));
    CFRelease(read.name);

    std::vector<SInt32> hits;
    auto onHit = [](EventHandlerCallRef, EventRef event, void* data) -> OSStatus {
        ControlRef hit = nullptr;
        GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr, sizeof hit,
                          nullptr, &hit);
        static_cast<std::vector<SInt32>*>(data)->push_back(GetControl32BitValue(hit));
        return noErr;
    };
    const EventTypeSpec hit{kEventClassControl, kEventControlHit};
    InstallControlEventHandler(tabs, onHit, 1, &hit, &hits, nullptr);
    SetControlValue(tabs, 2); // a program's change is no click
    EXPECT_TRUE(hits.empty());
    EXPECT_TRUE(ToolboxDriver::pickTab(window, controlID("tabs", 9), 1));
    EXPECT_EQ(std::vector<SInt32>{1}, hits);
}

TEST_F(ControlTest, TextDataComesAsStringsOrLegacyBytes) {
    WindowRef window = openWindow();
    ControlRef field = control(window, "edit", 5);
    CFRef<CFStringRef> text = cfString("abc\xC3\xA9\xE6\x97\xA5\xE6\x9C\xAC"); // abcé日本
    CFStringRef set = text.get();
    ASSERT_EQ(noErr, SetControlData(field, kControlEditTextPart, kControlEditTextCFStringTag,
                                    sizeof set, &set));
    CFStringRef copy = nullptr;
    ASSERT_EQ(noErr, GetControlData(field, kControlEditTextPart, kControlEditTextCFStringTag,
                                    sizeof copy, &copy, nullptr));
    EXPECT_TRUE(CFEqual(text.get(), copy));
    CFRelease(copy);

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

    ControlRef label = control(window, "stxt", 4);
    ASSERT_EQ(noErr, SetControlData(label, 0, kControlStaticTextCFStringTag, sizeof set, &set));
    EXPECT_EQ(qText(text.get()), ToolboxDriver::controlText(window, controlID("stxt", 4)));
}

TEST_F(ControlTest, TagsAControlDoesNotTakeAreRefused) {
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

TEST_F(ControlTest, PropertiesKeepTheCallersBytesUnderTheirKey) {
    WindowRef window = openWindow();
    ControlRef field = control(window, "edit", 5);
    const UInt64 stored = 0x1122334455667788;
    ASSERT_EQ(noErr, SetControlProperty(field, FOUR_CHAR_CODE("????"), FOUR_CHAR_CODE("NVRC"),
                                        sizeof stored, &stored));
    UInt64 read = 0;
    ByteCount size = 0;
    EXPECT_EQ(noErr, GetControlProperty(field, FOUR_CHAR_CODE("????"), FOUR_CHAR_CODE("NVRC"),
                                        sizeof read, &size, &read));
    EXPECT_EQ(stored, read);
    EXPECT_EQ(sizeof stored, size);
    EXPECT_EQ(controlPropertyNotFoundErr,
              GetControlProperty(field, FOUR_CHAR_CODE("????"), FOUR_CHAR_CODE("NVRX"), sizeof read,
                                 &size, &read));
}

TEST_F(ControlTest, PopupMenusAreTheComboItems) {
    WindowRef window = openWindow();
    ControlRef popup = control(window, "popu", 6);
    EXPECT_EQ(nullptr, GetControlPopupMenuHandle(control(window, "okbt", 1)));
    MenuRef menu = GetControlPopupMenuHandle(popup);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(3, CountMenuItems(menu));
    ASSERT_EQ(noErr, DeleteMenuItems(menu, 1, CountMenuItems(menu)));
    EXPECT_EQ(0, CountMenuItems(menu));
    MenuItemIndex added = 0;
    for (const char* text : {"Fine", "Standard", "Photo"})
        AppendMenuItemTextWithCFString(menu, cfString(text).get(), 0, 0, &added);
    EXPECT_EQ(3, added);
    CFStringRef itemText = nullptr;
    ASSERT_EQ(noErr, CopyMenuItemTextAsCFString(menu, 2, &itemText));
    EXPECT_EQ("Standard", qText(itemText));
    CFRelease(itemText);
    EXPECT_EQ(paramErr, CopyMenuItemTextAsCFString(menu, 4, &itemText));

    DisableMenuItem(menu, 2);
    EXPECT_FALSE(IsMenuItemEnabled(menu, 2));
    EXPECT_FALSE(ToolboxDriver::pickPopupItem(window, controlID("popu", 6), 2));
    EXPECT_TRUE(ToolboxDriver::pickPopupItem(window, controlID("popu", 6), 3));
    EXPECT_EQ(3, GetControlValue(popup));
    EnableMenuItem(menu, 0); // the whole menu
    EXPECT_TRUE(IsMenuItemEnabled(menu, 2));
    EXPECT_TRUE(ToolboxDriver::pickPopupItem(window, controlID("popu", 6), 2));
    EXPECT_EQ(2, GetControlValue(popup));
}

TEST_F(ControlTest, TitlesOfButtonsGroupsAndWindows) {
    WindowRef window = openWindow();
    SetControlTitleWithCFString(control(window, "okbt", 1), CFSTR("Print"));
    SetControlTitleWithCFString(control(window, "grpb", 7), CFSTR("Cover Page"));
    SetWindowTitleWithCFString(window, CFSTR("Fax"));
    SetWindowAlternateTitle(window, CFSTR("Fax settings"));
    const QStringList texts = ToolboxDriver::windowTexts(window);
    EXPECT_TRUE(texts.contains("Print") && texts.contains("Cover Page") && texts.contains("Fax"));
    CFStringRef title = nullptr;
    ASSERT_EQ(noErr, CopyWindowAlternateTitle(window, &title));
    EXPECT_EQ("Fax settings", qText(title));
    CFRelease(title);
}

TEST_F(ControlTest, WindowGeometryAndPendingUpdates) {
    WindowRef window = openWindow();
    MoveWindow(window, 30, 40, false);
    SizeWindow(window, 300, 200, true);
    Rect bounds;
    ASSERT_EQ(noErr, GetWindowBounds(window, kWindowContentRgn, &bounds));
    EXPECT_EQ(40, bounds.top);
    EXPECT_EQ(30, bounds.left);
    EXPECT_EQ(240, bounds.bottom);
    EXPECT_EQ(330, bounds.right);

    const Rect area{0, 0, 10, 10};
    InvalWindowRect(window, &area);
    EXPECT_TRUE(IsWindowUpdatePending(window));
    const Rect all{0, 0, 200, 300};
    ValidWindowRect(window, &all);
    EXPECT_FALSE(IsWindowUpdatePending(window));
}

TEST_F(ControlTest, ReturnAndEscapePressTheDefaultAndCancelButtons) {
    WindowRef window = openWindow("Dialog");
    std::vector<UInt32> commands;
    auto onCommand = [](EventHandlerCallRef, EventRef event, void* data) -> OSStatus {
        HICommand command{};
        GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                          nullptr, &command);
        static_cast<std::vector<UInt32>*>(data)->push_back(command.commandID);
        return noErr;
    };
    const EventTypeSpec process{kEventClassCommand, kEventCommandProcess};
    InstallWindowEventHandler(window, onCommand, 1, &process, &commands, nullptr);
    SetWindowCancelButton(window, control(window, "stop", 2));
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(HIWindowGetWidget(window), &press);
    }
    EXPECT_EQ((std::vector<UInt32>{kHICommandOK, kHICommandCancel}), commands)
        << "Return presses the button the form marks as default";
}

} // namespace
