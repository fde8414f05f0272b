#include "NibWindow.h"
#include "NibWindowControls.h"
#include "PlugInTestSupport.h"

#include <HelpBookRegistration.h>
#include <PlugInIdentity.h>

#include <AppleHelp.h>

#include <CFPlugIn.h>

#include <QWidget>

#include <gtest/gtest.h>

namespace {

CFStringRef infoString(const char* key) {
    CFRef<CFStringRef> name(CFStringCreateWithCString(nullptr, key, kCFStringEncodingUTF8));
    return static_cast<CFStringRef>(CFBundleGetValueForInfoDictionaryKey(faxBundle(), name.get()));
}

TEST(FaxBundle, InfoNamesTheBundleItsFactoryItsHelpBookAndTheEditor) {
    ASSERT_TRUE(faxBundle());
    EXPECT_TRUE(CFEqual(CFBundleGetIdentifier(faxBundle()),
                        CFSTR("com.norvale.qrt.pde.cvql220ksendrafax")));
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.norvale.qrt.pde.cvql220ksendrafax")),
              faxBundle());
    EXPECT_EQ(GetAppBundleRef(), faxBundle());
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

TEST(FaxBundle, PaneWindowsUserPaneHoldsEveryControlOfThePane) {
    NibWindow window(CFSTR("Window"));
    ASSERT_TRUE(window.get());
    QWidget* userPane = window.widget({FOUR_CHAR_CODE("sfsp"), 1});
    ASSERT_TRUE(userPane);
    for (const ControlID* id : kPaneControls) {
        QWidget* widget = window.widget(*id);
        ASSERT_TRUE(widget) << controlName(*id);
        EXPECT_TRUE(userPane->isAncestorOf(widget)) << controlName(*id);
        EXPECT_TRUE(
            userPane->rect().contains(QRect(widget->mapTo(userPane, QPoint()), widget->size())))
            << controlName(*id) << " lies outside the pane";
    }
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
