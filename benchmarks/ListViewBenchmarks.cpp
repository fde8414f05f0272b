// The fax settings sheet's recipient list view, shown, with 10,000 address entries: adding them
// to an empty list, and the cycle of a search refilter (clear, then add them all again). Each
// iteration includes the view's pending layout and painting.
#include "NibWindow.h"

#include <CBrowserListView.h>
#include <ControlDefinitionTables.h>

#include <CFDictionary.h>
#include <MacErrors.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr CFIndex kEntryCount = 10000;

// Entries {"NAME": "Name <i>", "PHNM": "<i>"}.
CFRef<CFArrayRef> makeEntries() {
    CFRef<CFMutableArrayRef> entries(
        CFArrayCreateMutable(nullptr, kEntryCount, &kCFTypeArrayCallBacks));
    for (CFIndex i = 0; i < kEntryCount; ++i) {
        const std::string number = std::to_string(i);
        const CFRef<CFStringRef> name(
            CFStringCreateWithCString(nullptr, ("Name " + number).c_str(), kCFStringEncodingUTF8));
        const CFRef<CFStringRef> phone(
            CFStringCreateWithCString(nullptr, number.c_str(), kCFStringEncodingUTF8));
        const void* keys[] = {CFSTR("NAME"), CFSTR("PHNM")};
        const void* values[] = {name.get(), phone.get()};
        const CFRef<CFDictionaryRef> entry(CFDictionaryCreate(nullptr, keys, values, 2,
                                                              &kCFTypeDictionaryKeyCallBacks,
                                                              &kCFTypeDictionaryValueCallBacks));
        CFArrayAppendValue(entries.get(), entry.get());
    }
    return CFRef<CFArrayRef>(entries.release());
}

// The sheet's way of answering for a row: active and selectable, not editable, and the
// entry's string for the name and number columns.
OSStatus entryData(ControlRef browser, DataBrowserItemID item, DataBrowserPropertyID property,
                   DataBrowserItemDataRef data, Boolean setValue) {
    if (setValue) return errDataBrowserPropertyNotSupported;
    const auto* view = static_cast<const CBrowserListView*>(GetControlReference(browser));
    const auto* entry = static_cast<CFDictionaryRef>(
        view ? CFArrayGetValueAtIndex(view->GetItems(), CFIndex(item) - 1) : nullptr);
    if (!entry) return errDataBrowserItemNotFound;
    switch (property) {
    case kDataBrowserItemIsActiveProperty:
    case kDataBrowserItemIsSelectableProperty:
        return SetDataBrowserItemDataBooleanValue(data, true);
    case kDataBrowserItemIsEditableProperty:
        return SetDataBrowserItemDataBooleanValue(data, false);
    case FOUR_CHAR_CODE("NAME"):
    case FOUR_CHAR_CODE("PHNM"): {
        const auto* text = static_cast<CFStringRef>(CFDictionaryGetValue(
            entry, property == FOUR_CHAR_CODE("NAME") ? CFSTR("NAME") : CFSTR("PHNM")));
        return text ? SetDataBrowserItemDataText(data, text) : noErr;
    }
    default:
        return errDataBrowserPropertyNotSupported;
    }
}

// The sheet's window, shown, with its recipient list view bound and given its callback.
class RecipientList {
  public:
    RecipientList() {
        if (!window_.get() || !view.InitializeCtrl(window_.get(), nullptr, faxBundle(), nullptr))
            return;
        DataBrowserCallbacks callbacks{};
        callbacks.version = kDataBrowserLatestCallbacks;
        InitDataBrowserCallbacks(&callbacks);
        callbacks.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(entryData);
        ready_ = view.SetDataCallBack(&callbacks);
        ShowWindow(window_.get());
        QApplication::processEvents();
    }
    bool ready() const { return ready_; }

    CBrowserListView view{&recipientListTableViewCtrlID, &recipientListTableViewIniData, nullptr,
                          nullptr};

  private:
    NibWindow window_{CFSTR("FaxSettings")};
    bool ready_ = false;
};

void BM_ListViewAddItems(benchmark::State& state) {
    const CFRef<CFArrayRef> entries = makeEntries();
    RecipientList list;
    if (!list.ready()) {
        state.SkipWithError("the recipient list cannot be bound");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        list.view.ClearItems();
        QApplication::processEvents();
        state.ResumeTiming();
        list.view.AddItems(entries.get());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ListViewAddItems)->Unit(benchmark::kMillisecond);

void BM_ListViewRefilter(benchmark::State& state) {
    const CFRef<CFArrayRef> entries = makeEntries();
    RecipientList list;
    if (!list.ready()) {
        state.SkipWithError("the recipient list cannot be bound");
        return;
    }
    list.view.AddItems(entries.get());
    for (auto _ : state) {
        list.view.ClearItems();
        list.view.AddItems(entries.get());
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ListViewRefilter)->Unit(benchmark::kMillisecond);

} // namespace
