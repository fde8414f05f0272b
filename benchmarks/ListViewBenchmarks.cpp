// The fax settings sheet's recipient list view, shown, with 10,000 address entries: adding them
// to an empty list, and the cycle of a search refilter (clear, then add them all again). Each
// iteration includes the view's pending layout and painting.
#include <CBrowserListView.h>
#include <ControlDefinitionTables.h>

#include <CFDictionary.h>
#include <CFRef.h>
#include <MacErrors.h>
#include <PlugInNibWindow.h>
#include <TestBundles.h>

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

// The sheet's window, shown, with its recipient list view bound and given its callback, and
// the entries to fill it with.
class RecipientList {
  public:
    RecipientList() {
        if (!window_.get() ||
            !view_.InitializeCtrl(window_.get(), nullptr, faxPlugInBundle(), nullptr))
            return;
        DataBrowserCallbacks callbacks{};
        callbacks.version = kDataBrowserLatestCallbacks;
        InitDataBrowserCallbacks(&callbacks);
        callbacks.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(entryData);
        ready_ = view_.SetDataCallBack(&callbacks);
        ShowWindow(window_.get());
        QApplication::processEvents();
    }
    // False, and the benchmark skipped, when the list could not be bound.
    bool ready(benchmark::State& state) const {
        if (!ready_) state.SkipWithError("the recipient list cannot be bound");
        return ready_;
    }
    void clear() { view_.ClearItems(); }
    // Adds the entries and lets the view lay out and paint them.
    void fill() {
        view_.AddItems(entries_.get());
        QApplication::processEvents();
    }

  private:
    PlugInNibWindow window_{faxPlugInBundle(), CFSTR("FaxSettings")};
    CBrowserListView view_{&recipientListTableViewCtrlID, &recipientListTableViewIniData, nullptr,
                           nullptr};
    bool ready_ = false;
    const CFRef<CFArrayRef> entries_ = makeEntries();
};

void BM_ListViewAddItems(benchmark::State& state) {
    RecipientList list;
    if (!list.ready(state)) return;
    for (auto _ : state) {
        state.PauseTiming();
        list.clear();
        QApplication::processEvents();
        state.ResumeTiming();
        list.fill();
    }
}
BENCHMARK(BM_ListViewAddItems)->Unit(benchmark::kMillisecond);

void BM_ListViewRefilter(benchmark::State& state) {
    RecipientList list;
    if (!list.ready(state)) return;
    list.fill();
    for (auto _ : state) {
        list.clear();
        list.fill();
    }
}
BENCHMARK(BM_ListViewRefilter)->Unit(benchmark::kMillisecond);

} // namespace
