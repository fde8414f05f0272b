// The print dialog window: a printer popup, a popup of panes (each loaded extension's pane,
// then a Summary pane), the chosen pane, a message line, Cancel and Print. It loads the
// extensions that the current printer's PPD names (plus those it is given) and drives them
// through their whole conversation.
#pragma once

#include "DialogExtension.h"

#include <CupsJobRecord.h>

#include <MacWindows.h>
#include <PMCore.h>

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

struct PrintDialogOptions {
    std::string printerID;                    // empty: the default printer
    std::vector<std::string> extraExtensions; // bundles loaded for every printer
    bool printerExtensions = true; // false: the printer's own extensions (its PPD's) are not loaded
    std::string documentPath;      // what Print prints
    std::string jobTitle;
    // A job held on a CUPS queue to finish instead of a document: its printer is fixed and its
    // title shown; Print sets the job's options and releases it, Cancel cancels it.
    std::optional<CupsJobRecord> heldJob;
};

class PrintDialog : public QWidget {
  public:
    explicit PrintDialog(PrintDialogOptions options);
    ~PrintDialog() override; // ends the extensions still loaded

    // What the buttons and popups do, for the application and the tests.
    // Print: sends "ok  " to the window; when no handler consumes it, has every extension
    // write its settings into the ticket and prints. True when the job went to the printer.
    // Cancel (also the window's close box) ends the extensions with kPMCancel; a held job is
    // cancelled, and when the server cannot cancel it the dialog stays open and says why. Once
    // a job has gone or the dialog was cancelled, the dialog is finished: Print and Cancel do
    // nothing.
    bool print();
    void cancel();
    bool choosePrinter(const std::string& id); // ends the extensions, loads the new printer's
    void showPane(int index);                  // 0 .. extensionCount(): the last is Summary

    WindowRef window() const { return window_; }
    PMPrintSession session() const { return session_; }
    size_t extensionCount() const { return extensions_.size(); }
    const DialogExtension& extension(size_t index) const { return *extensions_[index]; }
    std::string message() const;                  // the message line's text
    std::vector<std::string> summaryRows() const; // "Title: Value" lines of the Summary pane
    // Called when the dialog is done: printed (true) or cancelled (false).
    std::function<void(bool printed)> onFinished;
    // Called just before the dialog itself releases or cancels the held job.
    std::function<void()> beforeHeldJobChange;

  private:
    void buildWindow();
    void fillPrinterPopup();
    void loadExtensions();
    void loadExtension(const std::string& bundlePath);
    void endExtensions(OSStatus status);
    void refreshSummary();
    bool printDocument(); // the document to the current printer; false when it did not go
    void say(const std::string& text); // adds a line to the message line
    void finish(bool printed);         // disables the dialog's controls, then onFinished
    static OSStatus closeBoxPressed(EventHandlerCallRef, EventRef, void* dialog);

    PrintDialogOptions options_;
    PMPrintSession session_ = nullptr;
    WindowRef window_ = nullptr;
    std::vector<std::unique_ptr<DialogExtension>> extensions_;
    std::vector<QWidget*> extensionPages_;
    int shownPane_ = -1;
    bool ended_ = false;
    bool finished_ = false;
    bool printable_ = true; // false when a held job's own printer cannot be chosen

    QComboBox* printerPopup_ = nullptr;
    QComboBox* panePopup_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTreeWidget* summary_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
