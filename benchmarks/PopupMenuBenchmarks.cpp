// Building the fax pane's four PPD popup menus, with their titles, from the demo printer's PPD:
// what binding the pane's controls costs each time the dialog shows the pane.
#include "FaxPanePopups.h"

#include <CFRef.h>
#include <IBCarbonRuntime.h>
#include <PMCore.h>
#include <ScopedEnvironment.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

CFBundleRef faxBundle() {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(NV_SENDRAFAX_BUNDLE),
        CFIndex(std::strlen(NV_SENDRAFAX_BUNDLE)), true));
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, url.get()));
    return bundle.get(); // bundles live as long as the process
}

void BM_BuildFaxPanePopupMenusFromDemoPPD(benchmark::State& state) {
    const ScopedEnvironment demoPPD("NV_DEMO_PPD", NV_DEMO_FAX_PPD);
    const ScopedEnvironment noServer("CUPS_SERVER", "/nonexistent/cups.sock");
    PMPrintSession session = nullptr;
    IBNibRef nib = nullptr;
    WindowRef window = nullptr;
    if (PMCreateSession(&session) != noErr ||
        PMSessionSetCurrentPrinter(session, CFSTR("NorvaleDemoFax")) != noErr ||
        CreateNibReferenceWithCFBundle(faxBundle(), CFSTR("NVSendraFax"), &nib) != noErr ||
        CreateWindowFromNib(nib, CFSTR("Window"), &window) != noErr) {
        state.SkipWithError("no demo printer session or pane nib window");
    } else {
        ConstraintTable table;
        FaxPanePopups pane;
        pane.SetxppdPtr(&table);
        pane.SetCurrentPrinterString(session);
        ppd_file_t* ppd = pane.GetPPDRefFromCurrentPrintSession();
        for (auto _ : state)
            pane.InitializeUserPaneControl(window, nullptr, faxBundle(), ppd);
        state.SetItemsProcessed(state.iterations() * 4);
    }
    if (window) DisposeWindow(window);
    if (nib) DisposeNibReference(nib);
    if (session) PMRelease(session);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_BuildFaxPanePopupMenusFromDemoPPD)->Unit(benchmark::kMicrosecond);

} // namespace
