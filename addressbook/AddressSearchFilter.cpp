// The address window's search filter: each tab's source view shows the entries of its source
// list whose name contains the tab's search text, refiltered as the user types or pastes.
#include "AddressSettingWindow.h"

#include "AddressSourceTabView.h"

#include <CBrowserListView.h>
#include <CTextEditControl.h>

#include <CFString.h>
#include <MacErrors.h>

#include <cstdio>

namespace {

const CFStringRef kNameKey = CFSTR("NAME");

// The entry's "NAME"; false for a null element, or one that is no entry or has no name.
bool ReadEntryName(CFTypeRef element, CFStringRef& name) {
    if (!element || CFGetTypeID(element) != CFDictionaryGetTypeID()) return false;
    const void* value = CFDictionaryGetValue(static_cast<CFDictionaryRef>(element), kNameKey);
    if (!value || CFGetTypeID(value) != CFStringGetTypeID()) return false;
    name = static_cast<CFStringRef>(value);
    return true;
}

} // namespace

SInt32 AddressSettingWindow::UpdateTableView(CBrowserListView* view) {
    view->ClearItems();
    const TabControls tab = view == addressBookSrcView_ ? AddressBookTab() : DeviceDataTab();

    const char* text = static_cast<const char*>(tab.searchField->GetValueFromUI());
    if (!text) {
        std::fputs("AddressSettingWindow::UpdateTableView - Search TextField is NULL.\n", stderr);
        return -1;
    }
    CFRef<CFStringRef> searchString(
        CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8));
    if (!searchString) {
        std::fputs("AddressSettingWindow::UpdateTableView - searchString is NULL.\n", stderr);
        return -1;
    }
    CFRef<CFMutableArrayRef> taken(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    if (!taken) {
        std::fputs("AddressSettingWindow::UpdateTableView - Cannot Create CFMutableArray.\n",
                   stderr);
        return -1;
    }

    const bool takeAll = CFStringGetLength(searchString.get()) == 0;
    const CFIndex count = tab.sourceList ? CFArrayGetCount(tab.sourceList) : 0;
    for (CFIndex i = 0; i < count; ++i) {
        CFTypeRef entry = CFArrayGetValueAtIndex(tab.sourceList, i);
        CFStringRef name = nullptr;
        if (!ReadEntryName(entry, name)) return -1; // an unreadable entry: nothing shown
        if (takeAll || CFStringFind(name, searchString.get(), kCFCompareCaseInsensitive).location !=
                           kCFNotFound)
            CFArrayAppendValue(taken.get(), entry);
    }
    view->AddItems(taken.get());
    return 0;
}

SInt32 AddressSettingWindow::SortDestinations(AddressSettingWindow* window) {
    switch (window->tabView_->getCurrentTabIndex()) {
    case 1:
        window->UpdateTableView(window->addressBookSrcView_);
        break;
    case 2:
        window->UpdateTableView(window->deviceDataSrcView_);
        break;
    default:
        break;
    }
    return 0;
}

OSStatus AddressSettingWindow::InputTextHandler(EventHandlerCallRef, EventRef, void* window) {
    SortDestinations(static_cast<AddressSettingWindow*>(window));
    return eventNotHandledErr; // the field still takes the change
}

OSStatus AddressSettingWindow::KeyboardInputToSearchField(EventHandlerCallRef, EventRef,
                                                          void* window) {
    return static_cast<AddressSettingWindow*>(window)->fieldWatcher_.KeyTyped(
        KeyboardTimerIdleCallback, window);
}

void AddressSettingWindow::KeyboardTimerIdleCallback(EventLoopTimerRef timer,
                                                     EventLoopIdleTimerMessage, void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    SortDestinations(window);
    window->fieldWatcher_.TimerFired(timer);
}

void AddressSettingWindow::PasteToSearchField(ControlRef field) {
    if (auto* window = static_cast<AddressSettingWindow*>(TextFieldWatcher::WindowOfField(field)))
        SortDestinations(window);
}
