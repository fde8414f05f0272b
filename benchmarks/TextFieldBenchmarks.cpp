// The message window shown and dismissed, and a keystroke into a text field through the key
// filter its binding installed, on the windows of the plug-in's nib.
#include <AboutWindow.h>
#include <CTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <TextInputFilters.h>

#include <CFRef.h>
#include <PlugInNibWindow.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const ControlID kMessageOKButton = {FOUR_CHAR_CODE("okbt"), 1};

// The plug-in's bundle as the tests load it, so that the plug-in finds it by its identifier.
CFBundleRef faxBundle() {
    static const CFBundleRef bundle = [] {
        const CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(NV_SENDRAFAX_BUNDLE),
            CFIndex(std::strlen(NV_SENDRAFAX_BUNDLE)), true));
        return CFBundleCreate(nullptr, url.get());
    }();
    return bundle;
}

void BM_PresentAndDismissMessageWindow(benchmark::State& state) {
    ToolboxDriver driver;
    for (auto _ : state) {
        driver.answerNextModal(
            [](WindowRef message) { ToolboxDriver::click(message, kMessageOKButton); });
        if (AboutWindow::Present(faxBundle(), CFSTR("Bad Sender Name")) != noErr) {
            state.SkipWithError("the message window cannot be built");
            break;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_PresentAndDismissMessageWindow)->Unit(benchmark::kMillisecond);

// The pane's sender name field, bound and shown, holding 20 characters.
class SenderNameField {
  public:
    SenderNameField() : window_(faxBundle(), CFSTR("Window")) {
        ShowWindow(window_.get());
        bound_ = field_.InitializeCtrl(window_.get(), nullptr, nullptr, nullptr);
        ToolboxDriver::typeKeys(window_.get(), senderNameTextEditCtrlID, QString(20, u'a'));
    }

    // False, the benchmark skipped, when the field could not be bound.
    bool ready(benchmark::State& state) const {
        if (!bound_) state.SkipWithError("the sender name field cannot be bound");
        return bound_;
    }
    WindowRef window() const { return window_.get(); }
    ControlRef control() const { return field_.GetControlHandle(); }

  private:
    PlugInNibWindow window_;
    CTextEditControl field_{&senderNameTextEditCtrlID, &senderNameTextEditIniData, nullptr,
                            &senderNameTextEditFilterData, &senderNameTextEditAccessInfo};
    bool bound_ = false;
};

// The filter's decision alone: reading the field's text size and comparing the ranges.
void BM_SenderNameKeyFilterPass(benchmark::State& state) {
    const SenderNameField field;
    if (!field.ready(state)) return;
    for (auto _ : state) {
        SInt16 keyCode = 0;
        SInt16 charCode = 'b';
        EventModifiers modifiers = 0;
        benchmark::DoNotOptimize(
            senderNameFilter(field.control(), &keyCode, &charCode, &modifiers));
    }
}
BENCHMARK(BM_SenderNameKeyFilterPass)->Unit(benchmark::kMicrosecond);

// One keystroke as the user types it: the key event, the filter, the field's edit. Each
// iteration types a letter and takes it back with backspace: two keystrokes.
void BM_KeystrokeIntoFilteredField(benchmark::State& state) {
    const SenderNameField field;
    if (!field.ready(state)) return;
    for (auto _ : state) {
        ToolboxDriver::pressKey(field.window(), senderNameTextEditCtrlID, Qt::Key_B, Qt::NoModifier,
                                QStringLiteral("b"));
        ToolboxDriver::pressKey(field.window(), senderNameTextEditCtrlID, Qt::Key_Backspace);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeIntoFilteredField)->Unit(benchmark::kMicrosecond);

} // namespace
