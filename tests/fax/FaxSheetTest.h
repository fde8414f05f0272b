// The fax settings sheet of the plug-in's bundle, built as its pane builds it over the
// address-book files a test makes in a scratch folder, and answered through the test driver.
#pragma once

#include "AddressBookFile.h"
#include "TestBundles.h"

#include <ControlDefinitionTables.h>
#include <FaxSettingsWindow.h>
#include <FaxSheetOwner.h>
#include <HIToolboxTesting.h>
#include <PlugInIdentity.h>
#include <ScopedEnvironment.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class FaxSheetTest : public testing::Test {
  protected:
    // The fax pane as far as the sheet sees it: the panel that owns it and keeps its result.
    struct Pane : CBasePrintPanel, FaxSheetOwner {
        void SetSheetResult(SInt32 result) override { sheetResult = result; }
        SInt32 sheetResult = 0;
    };

    void SetUp() override {
        ASSERT_TRUE(faxPlugInBundle());
        std::filesystem::remove_all(books);
        std::filesystem::create_directories(books);
    }
    void TearDown() override {
        closeSheet();
        HISetSystemVersionForTesting(0);
    }

    // Builds the sheet (after the address-book files made so far) holding the recipients.
    void build(const std::vector<AddressText>& recipients = {}) {
        pane = std::make_unique<Pane>();
        sheet = std::make_unique<FaxSettingsWindow>(GetPDENibFileName(), CFSTR("FaxSettings"),
                                                    GetAppBundleRef(), CFSTR("Fax Setting Title"));
        pane->RunTimeAddNewWindow(sheet.get());
        ASSERT_EQ(noErr, pane->InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr));
        sheet->SetRecipientList(CreateAddressEntries(recipients).get());
    }

    void closeSheet() {
        sheet.reset();
        pane.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The next message window: records its text and presses its OK.
    void expectMessage(std::vector<std::string>& shown) {
        driver.answerNextModal([&shown](WindowRef message) {
            shown.push_back(
                ToolboxDriver::controlText(message, aboutMsgWndStatictTextCtrlID).toStdString());
            ToolboxDriver::click(message, {FOUR_CHAR_CODE("okbt"), 1});
        });
    }

    static bool isActive(WindowRef window, const ControlID& id) {
        ControlRef control = nullptr;
        return GetControlByID(window, &id, &control) == noErr && IsControlActive(control);
    }

    // Runs the event loop for a while, so that idle timers can fire.
    static void idle(int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    static QStringList rows(WindowRef window, const ControlID& list) {
        return ToolboxDriver::rowTexts(window, list, FOUR_CHAR_CODE("NAME"));
    }

    // Selects the rows (ids from 1) of the list, the first replacing the selection.
    static void selectRows(WindowRef window, const ControlID& list,
                           const std::vector<DataBrowserItemID>& items) {
        for (size_t i = 0; i < items.size(); ++i)
            EXPECT_TRUE(ToolboxDriver::selectRow(window, list, items[i], i > 0));
    }

    const std::filesystem::path books = std::filesystem::path(testing::TempDir()) / "books";
    const ScopedEnvironment bookFolder{"NV_ADDRESS_BOOK_DIR", books.c_str()};
    ToolboxDriver driver;
    std::unique_ptr<Pane> pane;
    std::unique_ptr<FaxSettingsWindow> sheet;
};
