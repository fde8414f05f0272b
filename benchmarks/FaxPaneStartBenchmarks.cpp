// The fax pane's share of the print dialog's start: from Prologue to the end of the first Sync
// (which Initialize makes), on the real plug-in bundle loaded as the dialog loads it.
#include <DialogExtension.h>

#include <HIToolboxQt.h>
#include <PMCore.h>

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

void BM_FaxPanePrologueToFirstSync(benchmark::State& state) {
    setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no CUPS server: the demo printer only
    PMPrintSession session = nullptr;
    if (PMCreateSession(&session) != noErr ||
        PMSessionSetCurrentPrinter(session, CFSTR("NorvaleDemoFax")) != noErr) {
        state.SkipWithError("no print session on the demo printer");
        PMRelease(session);
        return;
    }
    QWidget window;
    window.resize(600, 400);
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        std::string error;
        auto extensions = DialogExtension::load(NV_SENDRAFAX_BUNDLE, error);
        auto page = std::make_unique<QWidget>(&window);
        state.ResumeTiming();
        if (extensions.size() != 1) {
            state.SkipWithError(error.c_str());
            break;
        }
        DialogExtension& pane = *extensions.front();
        const OSStatus prologue = pane.prologue();
        const OSStatus initialize = pane.initialize(HIControlFromWidget(page.get()), session);
        state.PauseTiming();
        if (prologue != noErr || initialize != noErr) {
            state.SkipWithError("the fax pane did not start");
            break;
        }
        pane.terminate(noErr);
        extensions.clear();
        page.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    PMRelease(session);
}
BENCHMARK(BM_FaxPanePrologueToFirstSync)->Unit(benchmark::kMillisecond);

} // namespace
