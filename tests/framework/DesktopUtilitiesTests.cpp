// The shared utilities on windows of the plug-in's nib: finding a model name among a popup's
// items, moving a control, releasing a string, and opening pages of the plug-in's help book.
#include "TestBundles.h"
#include "TestWindows.h"

#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <NibWindow.h>

#include <AppleHelp.h>
#include <CFURL.h>
#include <MacErrors.h>
#include <Menus.h>

#include <ScopedEnvironment.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

TEST(DesktopUtilitiesTest, AModelIsSupportedOnlyWhenAPopupItemEqualsItExactly) {
    NibWindow window(CFSTR("Window"));
    ControlRef popup = window.control(imageQualityPopupListCtrlID);
    ASSERT_NE(nullptr, popup);
    MenuRef menu = GetControlPopupMenuHandle(popup);
    DeleteMenuItems(menu, 1, CountMenuItems(menu));
    SetControlMaximum(popup, 0);
    EXPECT_FALSE(ISPrintSupported(popup, "Norvale MFX-220"));

    for (CFStringRef item : {CFSTR("Norvale MFX-100"), CFSTR("Norvale MFX-220")})
        AppendMenuItemTextWithCFString(menu, item, 0, 0, nullptr);
    SetControlMaximum(popup, SInt16(CountMenuItems(menu)));
    struct Case {
        const char* model;
        bool supported;
    };
    for (const Case& c : {Case{"Norvale MFX-220", true}, Case{"Norvale MFX-100", true},
                          Case{"norvale mfx-220", false}, Case{"Norvale MFX-22", false},
                          Case{"Norvale MFX-2200", false}, Case{"", false}})
        EXPECT_EQ(c.supported, ISPrintSupported(popup, c.model)) << c.model;
    EXPECT_FALSE(ISPrintSupported(nullptr, "Norvale MFX-220"));
}

TEST(DesktopUtilitiesTest, ControlBoundsMoveByBothOffsetsOn16BitCoordinates) {
    NibWindow window(CFSTR("Window"));
    ControlRef button = window.control(helpBookButtonCtrlID);
    Rect before;
    GetControlBounds(button, &before);
    EXPECT_EQ(noErr, AdjustControlBounds(button, 5, -3 + 0x10000)); // only the low 16 bits count
    Rect after;
    GetControlBounds(button, &after);
    EXPECT_EQ(before.top + 5, after.top);
    EXPECT_EQ(before.bottom + 5, after.bottom);
    EXPECT_EQ(before.left - 3, after.left);
    EXPECT_EQ(before.right - 3, after.right);
    EXPECT_EQ(errUnknownControl, AdjustControlBounds(nullptr, 1, 1));
}

QTextBrowser* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(widget);
    return nullptr;
}

TEST(DesktopUtilitiesTest, HelpPagesOpenInTheBookNamedByTheLocalisedKey) {
    CFRef<CFURLRef> url(CFBundleCopyBundleURL(faxPlugInBundle()));
    FSRef bundleReference;
    ASSERT_TRUE(CFURLGetFSRef(url.get(), &bundleReference));
    ASSERT_EQ(noErr, AHRegisterHelpBook(&bundleReference));

    EXPECT_EQ(noErr, GotoHelpPage(CFSTR("FaxTransmission.htm"), nullptr,
                                  CFSTR("Norvale Sendra Fax Help")));
    ASSERT_NE(nullptr, helpWindow());
    EXPECT_TRUE(helpWindow()->source().toString().endsWith("FaxTransmission.htm"));
    EXPECT_EQ(fnfErr,
              GotoHelpPage(CFSTR("Missing.htm"), nullptr, CFSTR("Norvale Sendra Fax Help")));
    // A key without a translation names the book itself; no book of that name is registered.
    EXPECT_EQ(kAHInternalErr,
              GotoHelpPage(CFSTR("FaxSettings.htm"), nullptr, CFSTR("Unregistered Help Book")));
    delete helpWindow();
}

TEST(DesktopUtilitiesTest, TheCurrentDateIsTheSystemZonesDateAndTime) {
    EXPECT_FALSE(GetCurrentDateAndTime(nullptr));
    CFGregorianDate date;
    std::time_t before, after;
    {
        ScopedEnvironment zone("TZ", "Asia/Tokyo");
        tzset();
        before = std::time(nullptr);
        ASSERT_TRUE(GetCurrentDateAndTime(&date));
        after = std::time(nullptr);
    }
    tzset();
    // The date is the Tokyo minute of one of the two moments around the call.
    auto tokyoMinute = [](std::time_t moment) {
        std::tm local;
        moment += 9 * 3600;
        gmtime_r(&moment, &local);
        return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
               std::to_string(local.tm_mday) + " " + std::to_string(local.tm_hour) + ":" +
               std::to_string(local.tm_min);
    };
    const std::string shown = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                              std::to_string(date.day) + " " + std::to_string(date.hour) + ":" +
                              std::to_string(date.minute);
    EXPECT_TRUE(shown == tokyoMinute(before) || shown == tokyoMinute(after)) << shown;
    EXPECT_GE(date.second, 0.0);
    EXPECT_LT(date.second, 60.0);
}

// A bundle made in the scratch folder with a 8 by 4 red picture and a text resource.
CFBundleRef pictureBundle() {
    namespace fs = std::filesystem;
    const fs::path bundle = fs::path(testing::TempDir()) / "Pictures.plugin";
    fs::create_directories(bundle / "Contents/Resources");
    std::ofstream(bundle / "Contents/Info.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
           "<key>CFBundleIdentifier</key><string>com.norvale.test.pictures</string>"
           "</dict></plist>\n";
    QImage red(8, 4, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    red.save(QString::fromStdString((bundle / "Contents/Resources/icon.png").string()));
    std::ofstream(bundle / "Contents/Resources/notes.txt") << "not a picture";
    return loadBundle(bundle.c_str());
}

TEST(DesktopUtilitiesTest, ABundlePictureIsDecodedAtItsOwnSizeOrIntoTheBounds) {
    CFBundleRef bundle = pictureBundle();
    ASSERT_NE(nullptr, bundle);
    struct Case {
        const Rect* bounds;
        Rect frame;
    };
    const Rect scaled = {10, 20, 26, 52};
    for (const Case& c : {Case{nullptr, Rect{0, 0, 4, 8}}, Case{&scaled, scaled}}) {
        PicHandle picture = nullptr;
        ASSERT_EQ(noErr,
                  GetIconFromResource(bundle, CFSTR("icon"), CFSTR("png"), &picture, c.bounds));
        ASSERT_NE(nullptr, picture);
        EXPECT_EQ(c.frame, (*picture)->picFrame);
        const size_t pixels =
            size_t(c.frame.bottom - c.frame.top) * size_t(c.frame.right - c.frame.left);
        EXPECT_EQ(Size(sizeof(Picture) + 4 * pixels), GetHandleSize(Handle(picture)));
        UInt32 first;
        std::memcpy(&first, *reinterpret_cast<char**>(picture) + sizeof(Picture), sizeof first);
        EXPECT_EQ(0xFFFF0000u, first);
        KillPicture(picture);
    }
    PicHandle picture = nullptr;
    EXPECT_EQ(1, GetIconFromResource(bundle, CFSTR("absent"), CFSTR("png"), &picture, nullptr));
    EXPECT_EQ(cantFindHandler,
              GetIconFromResource(bundle, CFSTR("notes"), CFSTR("txt"), &picture, nullptr));
    EXPECT_EQ(nullptr, picture);
}

} // namespace
