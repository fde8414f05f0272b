// Nib loading, its failures, and what the driver reads and saves of a window.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <HIToolboxTesting.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

namespace {

class NibTest : public NibWindowTest {};

TEST_F(NibTest, WindowsTakeTheirClassFromTheirForm) {
    WindowClass windowClass = 0;
    GetWindowClass(openWindow("Window"), &windowClass);
    EXPECT_EQ(kDocumentWindowClass, windowClass);
    GetWindowClass(openWindow("Dialog"), &windowClass);
    EXPECT_EQ(kMovableModalWindowClass, windowClass);
}

TEST_F(NibTest, MissingNibsAndWindowsGiveAStatusAndAMessage) {
    IBNibRef nib = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(kIBCarbonRuntimeCantFindNibFile,
              CreateNibReferenceWithCFBundle(testBundle(), CFSTR("NoSuchNib"), &nib));
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("NoSuchNib"));

    ASSERT_EQ(noErr, CreateNibReferenceWithCFBundle(testBundle(), CFSTR("TestNib"), &nib));
    WindowRef window = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(kIBCarbonRuntimeCantFindObject,
              CreateWindowFromNib(nib, CFSTR("NoSuchWindow"), &window));
    EXPECT_EQ(kIBCarbonRuntimeObjectNotOfRequestedType,
              CreateWindowFromNib(nib, CFSTR("Broken"), &window));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, messages.find("NoSuchWindow"));
    EXPECT_NE(std::string::npos, messages.find("Broken"));
    EXPECT_EQ(paramErr, CreateWindowFromNib(nullptr, CFSTR("Window"), &window));
    DisposeNibReference(nib);
    EXPECT_EQ(paramErr, CreateNibReferenceWithCFBundle(nullptr, CFSTR("TestNib"), &nib));
}

TEST_F(NibTest, TheDriverReadsAndSavesWhatAWindowShows) {
    WindowRef window = openWindow();
    HideControl(control(window, "stxt", 4));
    const QStringList texts = ToolboxDriver::windowTexts(window);
    EXPECT_TRUE(texts.contains("Test Window") && texts.contains("OK") && texts.contains("One"));
    EXPECT_FALSE(texts.contains("Static")); // hidden
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("window.png");
    ASSERT_TRUE(ToolboxDriver::saveWindowImage(window, path));
    EXPECT_EQ(QSize(480, 360), QImage(path).size());
}

TEST(SystemServices, GestaltReportsTheSystemVersionTestsMayLower) {
    SInt32 version = 0;
    ASSERT_EQ(noErr, Gestalt(gestaltSystemVersion, &version));
    EXPECT_GE(version, 0x1040);
    HISetSystemVersionForTesting(0x1039);
    Gestalt(gestaltSystemVersion, &version);
    EXPECT_EQ(0x1039, version);
    HISetSystemVersionForTesting(0);
    EXPECT_EQ(gestaltUndefSelectorErr, Gestalt(FOUR_CHAR_CODE("what"), &version));
    EXPECT_EQ(paramErr, Gestalt(gestaltSystemVersion, nullptr));
}

TEST(SystemServices, HandlesGrowZeroFilledAndKnowTheirSize) {
    Handle handle = NewHandle(4);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(4, GetHandleSize(handle));
    HLock(handle);
    std::memcpy(*handle, "abcd", 4);
    HUnlock(handle);
    SetHandleSize(handle, 8);
    EXPECT_EQ(8, GetHandleSize(handle));
    EXPECT_EQ(0, std::memcmp(*handle, "abcd\0\0\0\0", 8));
    DisposeHandle(handle);
    EXPECT_EQ(0, GetHandleSize(nullptr));
    EXPECT_EQ(nullptr, NewHandle(-1));
}

} // namespace
