// The demo fax printer's PPD: it opens, declares its encoding, the four fax options with
// their choices and defaults, and the dialog extension of the fax pane.
#include "TestSupport.h"

namespace {

class DemoPrinterTest : public PrintingTest {
  protected:
    void SetUp() override {
        PrintingTest::SetUp();
        ppd_ = sessionPPD(session_);
        ASSERT_NE(ppd_, nullptr) << "the demo printer's PPD did not open";
    }

    // The option's choice keywords, in PPD order.
    std::vector<std::string> choicesOf(const char* keyword) {
        std::vector<std::string> choices;
        if (ppd_option_t* option = ppdFindOption(ppd_, keyword))
            for (int index = 0; index < option->num_choices; ++index)
                choices.push_back(option->choices[index].choice);
        return choices;
    }

    std::string defaultOf(const char* keyword) {
        ppd_option_t* option = ppdFindOption(ppd_, keyword);
        return option ? option->defchoice : "<no option>";
    }

    ppd_file_t* ppd_ = nullptr;
};

TEST_F(DemoPrinterTest, DeclaresTheFourFaxOptionsWithTheirDefaults) {
    using Choices = std::vector<std::string>;
    // The file declares ISOLatin1; libcups converts its texts to UTF-8 and reports that.
    EXPECT_STREQ(ppd_->lang_encoding, "UTF-8");
    EXPECT_EQ(choicesOf("NVFaxImageQuality"), (Choices{"Standard", "Fine", "SuperFine", "Photo"}));
    EXPECT_EQ(choicesOf("NVFaxTransmissionReport"), (Choices{"Always", "OnError", "Never"}));
    // Four cover page choices, the third one "None"; three sender modes.
    EXPECT_EQ(choicesOf("NVFaxCoverPageMode"), (Choices{"Standard", "Memo", "None", "Device"}));
    EXPECT_EQ(choicesOf("NVFaxSenderMode"), (Choices{"Device", "Name", "NameAndNumber"}));
    EXPECT_EQ(defaultOf("NVFaxImageQuality"), "Fine");
    EXPECT_EQ(defaultOf("NVFaxTransmissionReport"), "OnError");
    EXPECT_EQ(defaultOf("NVFaxCoverPageMode"), "Standard");
    EXPECT_EQ(defaultOf("NVFaxSenderMode"), "Device");
    EXPECT_STREQ(ppdFindOption(ppd_, "NVFaxCoverPageMode")->text, "Cover Page");
}

TEST_F(DemoPrinterTest, NamesTheFaxPlugInAsItsDialogExtension) {
    CFArrayRef paths = nullptr;
    ASSERT_EQ(PMSessionCopyDialogExtensionPaths(session_, &paths), noErr);
    ASSERT_EQ(CFArrayGetCount(paths), 1);
    std::string path = text(CFArrayGetValueAtIndex(paths, 0));
    CFRelease(paths);
    EXPECT_TRUE(path.ends_with("/NVSendraFax.plugin")) << path;
}

} // namespace
