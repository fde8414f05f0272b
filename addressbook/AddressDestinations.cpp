// The address window's destination list: adding the selected source entries (groups expanded
// into their members), deleting selected destinations, and showing an entry's properties.
#include "AddressSettingWindow.h"

#include "AddressDuplicates.h"
#include "AddressEntry.h"
#include "AgreeAlert.h"
#include "GroupPropertyWindow.h"
#include "UserPropertyWindow.h"

#include <AboutWindow.h>
#include <CBaseButton.h>
#include <CBrowserListView.h>
#include <PlugInIdentity.h>

SInt32 AddressSettingWindow::InitDestinationView(CBrowserListView* view) {
    view->ClearItems();
    view->AddItems(destinationList_.get());
    return 0;
}

CFMutableArrayRef AddressSettingWindow::CopyAdditions(CBrowserListView* sourceView) {
    CFRef<CFMutableArrayRef> selected(sourceView->CopySelectedItems());
    if (!selected) return nullptr;
    CFRef<CFMutableArrayRef> additions(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    if (!additions) return nullptr;
    for (CFIndex i = 0, count = CFArrayGetCount(selected.get()); i < count; ++i) {
        CFDictionaryRef entry = AsAddressEntry(CFArrayGetValueAtIndex(selected.get(), i));
        if (!entry) return nullptr;
        if (!IsGroupEntry(entry)) {
            CFArrayAppendValue(additions.get(), entry);
            continue;
        }
        // A group whose members are not all shown adds nothing of its own.
        CFRef<CFMutableArrayRef> members(CopyUserListFromGroup(entry, sourceView->GetItems()));
        if (members)
            CFArrayAppendArray(additions.get(), members.get(),
                               CFRangeMake(0, CFArrayGetCount(members.get())));
    }
    return additions.release();
}

SInt32 AddressSettingWindow::AddAddressToDestination(CBrowserListView* sourceView,
                                                     CBrowserListView* destView) {
    if (!destinationList_) return -1;
    CFRef<CFMutableArrayRef> additions(CopyAdditions(sourceView));
    if (!additions) return -1;
    CFMutableArrayRef destinations = destinationList_.get();
    const CFIndex count = CFArrayGetCount(additions.get());
    if (CFArrayGetCount(destinations) + count > kMaxDestinations) {
        AboutWindow::Present(GetAppBundleRef(), CFSTR("No More Destination"));
        return 0;
    }
    // The duplicate question is asked once; its answer holds for the whole batch.
    bool asked = false;
    bool addDuplicates = false;
    for (CFIndex i = 0; i < count; ++i) {
        auto entry = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(additions.get(), i));
        if (CheckDuplication(destinations, entry)) {
            if (!asked) {
                addDuplicates =
                    ShowMessageToAgree(GetAppBundleRef(), CFSTR("Duplicated Address Found"),
                                       CFSTR("Add the same address to destinations?"));
                asked = true;
            }
            if (!addDuplicates) continue;
        }
        CFArrayAppendValue(destinations, entry);
    }
    InitDestinationView(destView);
    return 0;
}

OSStatus AddressSettingWindow::AddAddress(EventHandlerCallRef, EventRef event, void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    TabControls tab = {};
    if (!window->FindTab(EventControl(event), &TabControls::addButton, tab)) return -1;
    return window->AddAddressToDestination(tab.sourceView, tab.destView);
}

OSStatus AddressSettingWindow::DeleteAddress(EventHandlerCallRef, EventRef event, void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    TabControls tab = {};
    if (!window->FindTab(EventControl(event), &TabControls::deleteButton, tab)) return -1;
    tab.destView->RemoveSelectedItems();
    if (CFMutableArrayRef destinations = window->destinationList_.get()) {
        CFArrayRemoveAllValues(destinations);
        if (CFArrayRef remaining = tab.destView->GetItems())
            CFArrayAppendArray(destinations, remaining, CFRangeMake(0, CFArrayGetCount(remaining)));
    }
    const bool onAddressBook = tab.destView == window->addressBookDestView_;
    window->InitDestinationView(onAddressBook ? window->deviceDataDestView_
                                              : window->addressBookDestView_);
    return noErr;
}

OSStatus AddressSettingWindow::ShowAddressProperty(EventHandlerCallRef, EventRef event,
                                                   void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    TabControls tab = {};
    if (!window->FindTab(EventControl(event), &TabControls::propertyButton, tab)) return -1;
    CFRef<CFMutableArrayRef> selected(tab.sourceView->CopySelectedItems());
    if (!selected || CFArrayGetCount(selected.get()) == 0) return noErr;
    CFTypeRef first = CFArrayGetValueAtIndex(selected.get(), 0);
    if (!first || CFGetTypeID(first) != CFDictionaryGetTypeID()) return noErr;
    auto entry = static_cast<CFDictionaryRef>(first);
    if (!IsGroupEntry(entry)) {
        window->userPropertyWindow_->PresentWithAddress(entry);
    } else if (CFRef<CFMutableArrayRef> members(
                   CopyUserListFromGroup(entry, tab.sourceView->GetItems()));
               members) {
        window->groupPropertyWindow_->PresentWithAddress(entry, members.get());
    }
    return noErr;
}
