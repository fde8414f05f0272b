// The address window of the real sheet over a 10,000-entry address-book file: presenting it on
// the address-book tab (building the window, reading the file and the first fill of its source
// view, laid out and painted), and one search keystroke's refilter of that view.
#include "SampleBookFolder.h"

#include <AddressSettingWindow.h>
#include <FaxSettingsWindow.h>
#include <ScopedEnvironment.h>
#include <TestBundles.h>

#include <ControlDefinitionTables.h>
#include <PlugInIdentity.h>
#include <QrolKit.h>
#include <TestDriver/ToolboxDriver.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kEntries = 10000;

// The sheet over the sample folder, initialised as its pane does it, and its address window.
class AddressWindowBench {
  public:
    AddressWindowBench() {
        if (!book_.made() || !faxPlugInBundle()) return;
        sheet_ = std::make_unique<FaxSettingsWindow>(GetPDENibFileName(), CFSTR("FaxSettings"),
                                                     GetAppBundleRef(), CFSTR("Fax Setting Title"));
        owner_.RunTimeAddNewWindow(sheet_.get());
        owner_.InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr);
        window_ = dynamic_cast<AddressSettingWindow*>(
            sheet_->GetPanelControl(&AddressSettingTabViewCtrlID)->GetOwnerPanel());
    }
    bool ready(benchmark::State& state) const {
        if (!window_) state.SkipWithError("the address window over the sample book is missing");
        return window_;
    }
    // Presents the window on the address-book tab; the action runs in its modal loop, once the
    // view is laid out and painted, and must end it.
    void present(std::function<void(WindowRef)> action) {
        driver_.answerNextModal([&action](WindowRef window) {
            QApplication::processEvents();
            action(window);
        });
        window_->PresentWithTabSelection(1);
    }
    size_t shownRows(WindowRef window) const {
        return size_t(
            ToolboxDriver::rowTexts(window, AddressBookSrcTableViewCtrlID, FOUR_CHAR_CODE("NAME"))
                .size());
    }

  private:
    SampleBookFolder book_{kEntries};
    ToolboxDriver driver_;
    CBasePrintPanel owner_;
    std::unique_ptr<FaxSettingsWindow> sheet_;
    AddressSettingWindow* window_ = nullptr;
};

void BM_AddressWindowPresentOnBook(benchmark::State& state) {
    AddressWindowBench bench;
    if (!bench.ready(state)) return;
    for (auto _ : state)
        bench.present([](WindowRef window) { ToolboxDriver::click(window, CancelButtonCtrlID); });
    size_t rows = 0;
    bench.present([&](WindowRef window) {
        rows = bench.shownRows(window);
        ToolboxDriver::click(window, CancelButtonCtrlID);
    });
    if (rows != kEntries) state.SkipWithError("the window did not show every entry");
}
BENCHMARK(BM_AddressWindowPresentOnBook)->Unit(benchmark::kMillisecond);

// Each keystroke alternately types "7" (about a third of the entries hold it) and deletes it
// (all of them shown again); the view is laid out and painted each time.
void BM_AddressWindowSearchKeystroke(benchmark::State& state) {
    AddressWindowBench bench;
    if (!bench.ready(state)) return;
    bench.present([&](WindowRef window) {
        bool typed = false;
        for (auto _ : state) {
            if (typed)
                ToolboxDriver::pressKey(window, AddressBookSearchTextEditCtrlID, Qt::Key_Backspace);
            else
                ToolboxDriver::typeKeys(window, AddressBookSearchTextEditCtrlID, "7");
            typed = !typed;
            QApplication::processEvents();
        }
        ToolboxDriver::click(window, CancelButtonCtrlID);
    });
}
BENCHMARK(BM_AddressWindowSearchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
