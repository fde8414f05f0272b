// Values at their bounds: numbers that do not fit, malformed UUIDs and property lists, changes
// to immutable objects, and an XML round trip of every property-list type.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

TEST(CFNumber, ConversionsThatLoseTheValueFail) {
    const int16_t small = -300;
    CFRef<CFNumberRef> n16(CFNumberCreate(nullptr, kCFNumberSInt16Type, &small));
    int32_t widened = 0;
    EXPECT_TRUE(CFNumberGetValue(n16.get(), kCFNumberSInt32Type, &widened));
    EXPECT_EQ(widened, -300);
    int8_t narrowed = 0;
    EXPECT_FALSE(CFNumberGetValue(n16.get(), kCFNumberSInt8Type, &narrowed));

    const int64_t big = int64_t(1) << 40;
    CFRef<CFNumberRef> n64(CFNumberCreate(nullptr, kCFNumberSInt64Type, &big));
    int32_t truncated = 0;
    EXPECT_FALSE(CFNumberGetValue(n64.get(), kCFNumberSInt32Type, &truncated));

    const double half = 2.5;
    CFRef<CFNumberRef> real(CFNumberCreate(nullptr, kCFNumberFloat64Type, &half));
    int32_t whole = 0;
    EXPECT_FALSE(CFNumberGetValue(real.get(), kCFNumberSInt32Type, &whole));
    EXPECT_EQ(whole, 2) << "the value is still given, without its fraction";
    EXPECT_FALSE(CFNumberCreate(nullptr, kCFNumberSInt32Type, nullptr));
    EXPECT_FALSE(CFNumberGetValue(nullptr, kCFNumberSInt32Type, &whole));
}

TEST(CFUUID, TextInEitherCaseParsesAndOtherCharactersAreRefused) {
    CFRef<CFUUIDRef> lower(
        CFUUIDCreateFromString(nullptr, CFSTR("bdb091f4-e57f-11d3-b5cc-0050e4603277")));
    CFRef<CFUUIDRef> upper(
        CFUUIDCreateFromString(nullptr, CFSTR("BDB091F4-E57F-11D3-B5CC-0050E4603277")));
    EXPECT_TRUE(CFEqual(lower.get(), upper.get()));
    EXPECT_FALSE(CFUUIDCreateFromString(nullptr, CFSTR("GDB091F4-E57F-11D3-B5CC-0050E4603277")));
}

TEST(CFImmutable, ImmutableObjectsRefuseChanges) {
    auto fixed = makeString("fixed");
    CFStringAppend(const_cast<CFMutableStringRef>(fixed.get()), CFSTR("!"));
    EXPECT_EQ(text(fixed.get()), "fixed");
    const void* values[] = {CFSTR("a")};
    CFRef<CFArrayRef> array(CFArrayCreate(nullptr, values, 1, &kCFTypeArrayCallBacks));
    CFArrayAppendValue(const_cast<CFMutableArrayRef>(array.get()), CFSTR("b"));
    EXPECT_EQ(CFArrayGetCount(array.get()), 1);
}

TEST(CFPropertyList, XMLRoundTripAndMalformedInput) {
    const long long count = 30;
    CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt64Type, &count));
    const UInt8 raw[] = {0, 1, 254, 255};
    CFRef<CFDataRef> data(CFDataCreate(nullptr, raw, 4));
    const void* items[] = {CFSTR("a & <b>"), kCFBooleanFalse, data.get()};
    CFRef<CFArrayRef> array(CFArrayCreate(nullptr, items, 3, &kCFTypeArrayCallBacks));
    const void* keys[] = {CFSTR("Name"), CFSTR("Count"), CFSTR("Items")};
    auto name = makeString("ファクス");
    const void* values[] = {name.get(), number.get(), array.get()};
    CFRef<CFDictionaryRef> original(CFDictionaryCreate(nullptr, keys, values, 3,
                                                       &kCFTypeDictionaryKeyCallBacks,
                                                       &kCFTypeDictionaryValueCallBacks));
    CFRef<CFDataRef> xml(CFPropertyListCreateData(nullptr, original.get(),
                                                  kCFPropertyListXMLFormat_v1_0, 0, nullptr));
    ASSERT_TRUE(xml);
    CFRef<CFPropertyListRef> parsed(
        CFPropertyListCreateWithData(nullptr, xml.get(), 0, nullptr, nullptr));
    EXPECT_TRUE(CFEqual(parsed.get(), original.get()));

    for (const char* bad :
         {"<plist><dict><key>a</key></dict></plist>",
          "<plist><dict><string>x</string></dict></plist>", "<plist><integer>12x</integer></plist>",
          "not xml", "<plist><array><string>x</array></plist>",
          // Found by fuzzing: UTF-7 decodes "+277" to a lone surrogate, which no XML can carry.
          "<?xml version=\"1.0\" encoding=\"UTF7\"?><plist><dict><key>+277</key><array></array>"
          "</dict>"}) {
        CFRef<CFDataRef> input(
            CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(bad), CFIndex(std::strlen(bad))));
        EXPECT_FALSE(CFPropertyListCreateWithData(nullptr, input.get(), 0, nullptr, nullptr))
            << bad;
    }
    const void* numberKeys[] = {number.get()};
    CFRef<CFDictionaryRef> numberKeyed(CFDictionaryCreate(nullptr, numberKeys, numberKeys, 1,
                                                          &kCFTypeDictionaryKeyCallBacks,
                                                          &kCFTypeDictionaryValueCallBacks));
    EXPECT_FALSE(CFPropertyListCreateData(nullptr, numberKeyed.get(), kCFPropertyListXMLFormat_v1_0,
                                          0, nullptr));
    // A text XML cannot carry is refused rather than written so that it never reads back.
    for (const UniChar unit : {UniChar(0x01), UniChar(0xDBBE)}) {
        CFRef<CFStringRef> text(CFStringCreateWithCharacters(nullptr, &unit, 1));
        EXPECT_FALSE(CFPropertyListCreateData(nullptr, text.get(), kCFPropertyListXMLFormat_v1_0, 0,
                                              nullptr))
            << unit;
    }
}

} // namespace
