// The print dialog from its start to a shown extension pane, with the test extension.
#include <PrintDialog.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_PrintDialogStartToShownPane(benchmark::State& state) {
    setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no CUPS server: the demo printer only
    PrintDialogOptions options;
    options.printerID = "NorvaleDemoFax";
    options.extraExtensions = {NV_TEST_EXTENSION_BUNDLE};
    options.documentPath = "/dev/null";
    for (auto _ : state) {
        PrintDialog dialog(options);
        dialog.show();
        dialog.showPane(0);
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.extensionCount());
    }
}
BENCHMARK(BM_PrintDialogStartToShownPane)->Unit(benchmark::kMillisecond);

} // namespace
