// One dialog extension loaded from its bundle and driven through its function table. The
// object owns the extension's interface; the calls keep the order the dialog needs but check
// nothing about it.
#pragma once

#include "PMPrintingDialogExtensions.h"

#include <CFRef.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class DialogExtension {
  public:
    // Loads every extension that the bundle's factories make for the printer-module type:
    // factory, QueryInterface for the extension interface. On failure returns none and sets
    // error to a sentence for the user.
    static std::vector<std::unique_ptr<DialogExtension>> load(const std::string& bundlePath,
                                                              std::string& error);
    ~DialogExtension(); // releases the interface (Terminate is the caller's to call first)
    DialogExtension(const DialogExtension&) = delete;
    DialogExtension& operator=(const DialogExtension&) = delete;

    OSStatus prologue(); // fills title(), kind(), creator() and the maximum size
    OSStatus initialize(ControlRef parentUserPane, PMPrintSession session);
    OSStatus sync(PMPrintSession session, Boolean direction);
    // Appends the extension's summary rows (title, value) to rows.
    OSStatus getSummaryText(std::vector<std::pair<std::string, std::string>>& rows);
    OSStatus open();
    OSStatus close();
    OSStatus terminate(OSStatus status);

    const std::string& bundlePath() const { return bundlePath_; }
    const std::string& title() const { return title_; }
    const std::string& kind() const { return kind_; }
    OSType creator() const { return creator_; }
    UInt32 maximumWidth() const { return maxWidth_; }
    UInt32 maximumHeight() const { return maxHeight_; }

  private:
    DialogExtension(std::string bundlePath, PlugInIntf* interface);

    std::string bundlePath_;
    PlugInIntf* interface_;
    PMPDEContext context_ = nullptr;
    std::string title_;
    std::string kind_;
    OSType creator_ = 0;
    UInt32 maxWidth_ = 0;
    UInt32 maxHeight_ = 0;
};
