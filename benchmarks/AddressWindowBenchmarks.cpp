// The address window of the real sheet over a 10,000-entry address-book file: presenting it on
// the address-book tab (building the window, reading the file and the first fill of its source
// view, laid out and painted), and one search keystroke's refilter of that view.
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

void setText(UInt8* field, size_t size, const std::string& text) {
    for (size_t i = 0; i < text.size() && 2 * i + 2 < size; ++i)
        field[2 * i] = UInt8(text[i]);
}

// An address-book folder of its own holding one file of kEntries entries, the folder the
// address-book library looks in while the object lives.
class SampleBookFolder {
  public:
    SampleBookFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nv-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        folder_ = pattern;
        environment_ = std::make_unique<ScopedEnvironment>("NV_ADDRESS_BOOK_DIR", pattern.c_str());
        const std::string file = (folder_ / "Office").string();
        CFStringRef path = CFStringCreateWithCString(nullptr, file.c_str(), kCFStringEncodingUTF8);
        std::vector<QrolMyFaxRecord> entries(kEntries);
        for (int i = 0; i < kEntries; ++i) {
            setText(entries[i].name, sizeof entries[i].name, "Recipient " + std::to_string(i));
            setText(entries[i].faxNumber, sizeof entries[i].faxNumber,
                    "+49 30 " + std::to_string(1000000 + i));
        }
        QROLDataRef data = QROLData_Create();
        made_ = QROLData_Add_MyFax(data, kEntries, entries.data()) == kQrolNoErr &&
                QrolGADFile_Add(path, data, 0) == kQrolNoErr;
        QROLData_Delete(data);
        CFRelease(path);
    }
    ~SampleBookFolder() {
        environment_.reset();
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    bool made() const { return made_; }

  private:
    std::filesystem::path folder_;
    std::unique_ptr<ScopedEnvironment> environment_;
    bool made_ = false;
};

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
    SampleBookFolder book_;
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
