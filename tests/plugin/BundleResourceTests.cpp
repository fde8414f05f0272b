#include "PlugInTestSupport.h"

#include <HelpBookRegistration.h>
#include <PlugInIdentity.h>

#include <AppleHelp.h>

#include <CFPlugIn.h>
#include <Controls.h>
#include <HIToolboxQt.h>
#include <IBCarbonRuntime.h>

#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct Identity {
    const char* signature;
    SInt32 id;
};

// The fax pane's controls as the pane's definition table gives them.
const Identity kPaneControls[] = {
    {"iqst", 201}, {"trst", 202}, {"iqpl", 101}, {"trpl", 102}, {"cpgb", 301},
    {"cpst", 501}, {"smst", 502}, {"snst", 503}, {"cppl", 401}, {"smpl", 402},
    {"snte", 403}, {"adbk", 601}, {"rsdf", 602}, {"HPBC", 603},
};

ControlID controlID(const Identity& identity) {
    const char* s = identity.signature;
    return {FourCharCode(UInt8(s[0])) << 24 | FourCharCode(UInt8(s[1])) << 16 |
                FourCharCode(UInt8(s[2])) << 8 | FourCharCode(UInt8(s[3])),
            identity.id};
}

CFStringRef infoString(const char* key) {
    CFRef<CFStringRef> name(CFStringCreateWithCString(nullptr, key, kCFStringEncodingUTF8));
    return static_cast<CFStringRef>(CFBundleGetValueForInfoDictionaryKey(faxBundle(), name.get()));
}

// A window of the bundle's nib "NVSendraFax", disposed of at the end.
class NibWindow {
  public:
    explicit NibWindow(CFStringRef name) {
        IBNibRef nib = nullptr;
        if (CreateNibReferenceWithCFBundle(faxBundle(), CFSTR("NVSendraFax"), &nib) != noErr)
            return;
        CreateWindowFromNib(nib, name, &window_);
        DisposeNibReference(nib);
    }
    ~NibWindow() {
        if (window_) DisposeWindow(window_);
    }
    WindowRef get() const { return window_; }
    QWidget* find(const Identity& identity) const {
        const ControlID id = controlID(identity);
        ControlRef control = nullptr;
        if (GetControlByID(window_, &id, &control) != noErr) return nullptr;
        return HIControlGetWidget(control);
    }

  private:
    WindowRef window_ = nullptr;
};

TEST(FaxBundle, InfoNamesTheBundleItsFactoryItsHelpBookAndTheEditor) {
    ASSERT_TRUE(faxBundle());
    EXPECT_TRUE(CFEqual(CFBundleGetIdentifier(faxBundle()),
                        CFSTR("com.norvale.qrt.pde.cvql220ksendrafax")));
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.norvale.qrt.pde.cvql220ksendrafax")),
              faxBundle());
    EXPECT_TRUE(infoString("AddressBookBundleIdentifier"));
    EXPECT_TRUE(CFEqual(infoString("CFBundleHelpBookName"), CFSTR("Norvale Sendra Fax Help")));

    CFRef<CFURLRef> url(CFBundleCopyBundleURL(faxBundle()));
    CFRef<CFPlugInRef> plugIn(CFPlugInCreate(nullptr, url.get()));
    CFRef<CFArrayRef> factories(CFPlugInFindFactoriesForPlugInTypeInPlugIn(
        uuid("BDB091F4-E57F-11D3-B5CC-0050E4603277").get(), plugIn.get()));
    ASSERT_EQ(CFArrayGetCount(factories.get()), 1);
    EXPECT_TRUE(CFEqual(CFArrayGetValueAtIndex(factories.get(), 0),
                        uuid("6C1E2A47-93B5-4D0E-8F21-5A7B3C9D4E10").get()));
}

TEST(FaxBundle, IdentityAccessorsGiveTheFixedNames) {
    ASSERT_TRUE(faxBundle());
    EXPECT_EQ(GetAppBundleRef(), faxBundle());
    EXPECT_TRUE(CFEqual(GetAppClientID(), CFSTR("com.norvale.qrt.pde.SendraFaxKind")));
    EXPECT_TRUE(CFEqual(GetPDENibFileName(), CFSTR("NVSendraFax")));
    EXPECT_STREQ(kNVPDEPlugInTypeIDStr, kPrinterModuleTypeIDStr);
    EXPECT_STREQ(kNVPDEInterfaceIDStr, kDialogExtensionIntfIDStr);
}

TEST(FaxBundle, PaneWindowsUserPaneHoldsEveryControlOfThePane) {
    NibWindow window(CFSTR("Window"));
    ASSERT_TRUE(window.get());
    QWidget* userPane = window.find({"sfsp", 1});
    ASSERT_TRUE(userPane);
    for (const Identity& control : kPaneControls) {
        QWidget* widget = window.find(control);
        ASSERT_TRUE(widget) << control.signature << " " << control.id;
        EXPECT_TRUE(userPane->isAncestorOf(widget)) << control.signature << " " << control.id;
        EXPECT_TRUE(
            userPane->rect().contains(QRect(widget->mapTo(userPane, QPoint()), widget->size())))
            << control.signature << " " << control.id << " lies outside the pane";
    }
}

TEST(FaxBundle, AboutWindowHoldsTheMessageAndAnOKButtonSendingOK) {
    NibWindow window(CFSTR("About"));
    ASSERT_TRUE(window.get());
    EXPECT_TRUE(window.find({"mste", 600}));
    bool okButton = false;
    for (QWidget* widget : HIWindowGetWidget(window.get())->findChildren<QWidget*>()) {
        ControlRef control = HIControlFromWidget(widget);
        UInt32 command = 0;
        if (control && GetControlCommandID(control, &command) == noErr &&
            command == FOUR_CHAR_CODE("ok  "))
            okButton = true;
    }
    EXPECT_TRUE(okButton);
}

TEST(FaxBundle, HelpBookRegistersAndOpensThePanesPage) {
    ASSERT_TRUE(faxBundle());
    ASSERT_EQ(RegisterMyHelpBook(), noErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Norvale Sendra Fax Help"), CFSTR("FaxSettings.htm"), nullptr),
              noErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Norvale Sendra Fax Help"), CFSTR("FaxTransmission.htm"), nullptr),
              noErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Norvale Sendra Fax Help"), CFSTR("Recipients.htm"), nullptr),
              noErr);
}

} // namespace
