// Long runs in one process that report resident memory after the first 100 cycles and at the
// end: the print dialog with the fax pane opened and closed 1,000 times (the pane, the sheet and
// the address window shown and closed each time), and 10,000 ticket write/read round trips of a
// whole fax job (the pane's settings and ten recipients).
#include "SampleBookFolder.h"

#include <DemoPrinterTicket.h>

#include <AddressEntries.h>
#include <ControlDefinitionTables.h>
#include <DialogExtension.h>
#include <FaxRecipientTicket.h>
#include <HIToolboxQt.h>
#include <PMPrintingDialogExtensions.h>
#include <PrintDialog.h>
#include <TestDriver/ToolboxDriver.h>

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpCycles = 100;

double residentMiB() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Runs the cycle the given number of times, stopping at the first that fails, and sets the
// resident memory after the warm-up cycles, at the end, and the growth between them (MiB).
void runCycles(benchmark::State& state, int cycles, const std::function<bool()>& cycle) {
    double afterWarmUp = 0;
    for (auto _ : state) {
        for (int done = 0; done < cycles; ++done) {
            if (!cycle()) {
                state.SkipWithError("a cycle failed");
                return;
            }
            if (done + 1 == kWarmUpCycles) afterWarmUp = residentMiB();
        }
    }
    const double atEnd = residentMiB();
    state.counters["rss_after_100_MiB"] = afterWarmUp;
    state.counters["rss_end_MiB"] = atEnd;
    state.counters["growth_MiB"] = atEnd - afterWarmUp;
}

// One dialog on the demo printer: the fax pane shown, Print showing the sheet, the address
// window looked up from it and cancelled, the sheet stopped, the dialog cancelled and closed.
bool openAndCloseDialog(ToolboxDriver& driver) {
    PrintDialogOptions options;
    options.printerID = "NorvaleDemoFax";
    options.documentPath = "/dev/null";
    bool addressWindowShown = false;
    {
        PrintDialog dialog(options);
        if (dialog.extensionCount() != 1) return false;
        dialog.show();
        dialog.showPane(0);
        QApplication::processEvents();
        driver.answerNextModal([&](WindowRef sheet) {
            driver.answerNextModal([&](WindowRef addressWindow) {
                QApplication::processEvents();
                addressWindowShown = true;
                ToolboxDriver::click(addressWindow, CancelButtonCtrlID);
            });
            ToolboxDriver::click(sheet, lookupAddressBookButtonCtrlID);
            ToolboxDriver::click(sheet, cancelSendingButtonCtrlID);
        });
        if (dialog.print()) return false; // Stop sends nothing
        dialog.cancel();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    return addressWindowShown && driver.pendingAnswers() == 0;
}

void BM_SoakDialogOpenClose(benchmark::State& state) {
    setenv("CUPS_SERVER", "127.0.0.1:1", 1); // no CUPS server: the demo printer only
    const SampleBookFolder book(100);
    ToolboxDriver driver;
    if (!book.made()) {
        state.SkipWithError("no sample address book");
        return;
    }
    runCycles(state, 1000, [&] { return openAndCloseDialog(driver); });
}
BENCHMARK(BM_SoakDialogOpenClose)->Iterations(1)->Unit(benchmark::kSecond);

// The fax pane of the plug-in's bundle on a page of a shown toolbox window, with choices made on
// screen.
class FaxJobPane {
  public:
    FaxJobPane() {
        if (!job_.ticket()) return;
        std::string error;
        extensions_ = DialogExtension::load(NV_SENDRAFAX_BUNDLE, error);
        const WindowRef window = HIWindowFromWidget(&window_);
        window_.resize(600, 400);
        window_.show();
        if (extensions_.size() != 1 || pane().prologue() != noErr ||
            pane().initialize(HIControlFromWidget(&page_), job_.session()) != noErr)
            return;
        ready_ = ToolboxDriver::pickPopupItem(window, senderModePopupListCtrlID, 2) &&
                 ToolboxDriver::pickPopupItem(window, imageQualityPopupListCtrlID, 3) &&
                 ToolboxDriver::typeKeys(window, senderNameTextEditCtrlID, "Ada Lovelace");
    }
    ~FaxJobPane() {
        if (!extensions_.empty()) pane().terminate(noErr);
        extensions_.clear();
    }
    FaxJobPane(const FaxJobPane&) = delete;
    FaxJobPane& operator=(const FaxJobPane&) = delete;

    bool ready() const { return ready_; }

    // Writes the pane and the recipients into the ticket, reads the pane back from it and
    // checks the typed sender name and the last recipient's name there.
    bool roundTrip(CFArrayRef recipients) {
        return SetRecipientsToTicket(job_.ticket(), recipients, false) == noErr &&
               pane().sync(job_.session(), kSyncDirectionSetTickets) == noErr &&
               pane().sync(job_.session(), kSyncDirectionSetUserInterface) == noErr &&
               job_.text(CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderName")) ==
                   "Ada Lovelace" &&
               job_.text(CFSTR("com.norvale.m.corvexa.printsettings.SFaxDestinationName10")) ==
                   "Recipient 10";
    }

  private:
    DialogExtension& pane() { return *extensions_.front(); }

    DemoPrinterTicket job_;
    QWidget window_;
    QWidget page_{&window_};
    std::vector<std::unique_ptr<DialogExtension>> extensions_;
    bool ready_ = false;
};

void BM_SoakFaxJobTicketRoundTrip(benchmark::State& state) {
    FaxJobPane pane;
    if (!pane.ready()) {
        state.SkipWithError("the fax pane did not start on the demo printer");
        return;
    }
    std::vector<AddressText> texts;
    for (int i = 1; i <= 10; ++i)
        texts.push_back({"Recipient " + std::to_string(i), "+49 30 100" + std::to_string(i)});
    const CFRef<CFArrayRef> recipients = CreateAddressEntries(texts);
    runCycles(state, 10000, [&] { return pane.roundTrip(recipients.get()); });
}
BENCHMARK(BM_SoakFaxJobTicketRoundTrip)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
