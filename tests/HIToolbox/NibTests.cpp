// Nib loading failures: a missing nib, a missing window and a form that cannot be loaded.
#include "ToolboxTestSupport.h"

namespace {

TEST(NibTest, MissingNibsAndWindowsGiveAStatusAndAMessage) {
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

} // namespace
