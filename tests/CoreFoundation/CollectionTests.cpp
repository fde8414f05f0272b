#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TEST(CFArray, TypeCallBacksRetainAndReleaseValues) {
    auto value = makeString("value");
    {
        CFRef<CFMutableArrayRef> array(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
        CFArrayAppendValue(array.get(), value.get());
        CFArrayInsertValueAtIndex(array.get(), 0, CFSTR("first"));
        EXPECT_EQ(CFGetRetainCount(value.get()), 2);
        EXPECT_EQ(CFArrayGetCount(array.get()), 2);
        EXPECT_EQ(CFArrayGetValueAtIndex(array.get(), 1), value.get());
        EXPECT_EQ(CFArrayGetValueAtIndex(array.get(), 2), nullptr);
        EXPECT_EQ(
            CFArrayGetFirstIndexOfValue(array.get(), CFRangeMake(0, 2), makeString("value").get()),
            1)
            << "values compare with CFEqual";
        EXPECT_EQ(CFArrayGetFirstIndexOfValue(array.get(), CFRangeMake(0, 2), CFSTR("first")), 0);

        CFRef<CFArrayRef> copy(CFArrayCreateCopy(nullptr, array.get()));
        EXPECT_EQ(CFGetRetainCount(value.get()), 3);
        EXPECT_TRUE(CFEqual(copy.get(), array.get()));
        CFArrayRemoveValueAtIndex(array.get(), 1);
        EXPECT_EQ(CFGetRetainCount(value.get()), 2);
        EXPECT_FALSE(CFEqual(copy.get(), array.get()));
        CFArrayAppendValue(const_cast<CFMutableArrayRef>(copy.get()), CFSTR("x"));
        EXPECT_EQ(CFArrayGetCount(copy.get()), 2) << "an immutable array is not changed";
    }
    EXPECT_EQ(CFGetRetainCount(value.get()), 1);
}

TEST(CFArray, PlainPointerArraysCompareByIdentity) {
    int a = 3, b = 1;
    const void* values[] = {&a, &b};
    CFRef<CFArrayRef> plain(CFArrayCreate(nullptr, values, 2, nullptr));
    int copyOfB = 1;
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(plain.get(), CFRangeMake(0, 2), &copyOfB), kCFNotFound);
    EXPECT_EQ(CFArrayGetFirstIndexOfValue(plain.get(), CFRangeMake(0, 2), &b), 1);
    CFRef<CFMutableArrayRef> emptied(CFArrayCreateMutableCopy(nullptr, 0, plain.get()));
    CFArrayRemoveAllValues(emptied.get());
    EXPECT_EQ(CFArrayGetCount(emptied.get()), 0);
    EXPECT_EQ(CFArrayGetCount(nullptr), 0);
}

TEST(CFDictionary, TypeCallBacksLookUpByValueAndOwnEntries) {
    auto value = makeString("1234");
    CFRef<CFMutableDictionaryRef> dict(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    CFDictionarySetValue(dict.get(), makeString("PHNM").get(), value.get());
    EXPECT_EQ(CFGetRetainCount(value.get()), 2);
    EXPECT_EQ(CFDictionaryGetValue(dict.get(), CFSTR("PHNM")), value.get())
        << "keys compare by value";
    EXPECT_TRUE(CFDictionaryContainsKey(dict.get(), CFSTR("PHNM")));
    EXPECT_FALSE(CFDictionaryContainsKey(dict.get(), CFSTR("phnm")));
    CFDictionarySetValue(dict.get(), CFSTR("PHNM"), CFSTR("5678"));
    EXPECT_EQ(CFGetRetainCount(value.get()), 1) << "the replaced value is released";

    CFRef<CFDictionaryRef> copy(CFDictionaryCreateCopy(nullptr, dict.get()));
    EXPECT_TRUE(CFEqual(copy.get(), dict.get()));
    CFDictionaryRemoveValue(dict.get(), CFSTR("PHNM"));
    EXPECT_EQ(CFDictionaryGetCount(dict.get()), 0);
    EXPECT_EQ(CFDictionaryGetCount(copy.get()), 1);
    EXPECT_EQ(CFDictionaryGetValue(nullptr, CFSTR("PHNM")), nullptr);
}

TEST(CFNumber, WidthsConversionsAndPointerSizedValues) {
    const int16_t small = -300;
    CFRef<CFNumberRef> n16(CFNumberCreate(nullptr, kCFNumberSInt16Type, &small));
    int32_t widened = 0;
    EXPECT_TRUE(CFNumberGetValue(n16.get(), kCFNumberSInt32Type, &widened));
    EXPECT_EQ(widened, -300);
    int8_t narrowed = 0;
    EXPECT_FALSE(CFNumberGetValue(n16.get(), kCFNumberSInt8Type, &narrowed))
        << "-300 does not fit 8 bits";

    // A pointer travels through a 64-bit number without loss.
    int target = 0;
    const intptr_t pointer = reinterpret_cast<intptr_t>(&target);
    CFRef<CFNumberRef> reference(CFNumberCreate(nullptr, kCFNumberSInt64Type, &pointer));
    intptr_t back = 0;
    EXPECT_TRUE(CFNumberGetValue(reference.get(), kCFNumberSInt64Type, &back));
    EXPECT_EQ(reinterpret_cast<int*>(back), &target);
    int32_t truncated = 0;
    EXPECT_EQ(CFNumberGetValue(reference.get(), kCFNumberSInt32Type, &truncated),
              pointer == int32_t(pointer));

    const double half = 2.5;
    CFRef<CFNumberRef> real(CFNumberCreate(nullptr, kCFNumberFloat64Type, &half));
    int32_t whole = 0;
    EXPECT_FALSE(CFNumberGetValue(real.get(), kCFNumberSInt32Type, &whole));
    EXPECT_EQ(whole, 2);
    EXPECT_FALSE(CFNumberCreate(nullptr, kCFNumberSInt32Type, nullptr));
    EXPECT_FALSE(CFNumberGetValue(nullptr, kCFNumberSInt32Type, &whole));

    EXPECT_TRUE(CFBooleanGetValue(kCFBooleanTrue));
    EXPECT_FALSE(CFBooleanGetValue(kCFBooleanFalse));
    EXPECT_EQ(CFGetTypeID(kCFBooleanTrue), CFBooleanGetTypeID());
}

TEST(CFData, HoldsBytesAndClipsReads) {
    const UInt8 bytes[] = {'w', 'x', 'a', 'b'};
    CFRef<CFDataRef> data(CFDataCreate(nullptr, bytes, sizeof bytes));
    EXPECT_EQ(CFDataGetLength(data.get()), CFIndex(sizeof bytes));
    UInt8 tail[4] = {};
    CFDataGetBytes(data.get(), CFRangeMake(2, 10), tail);
    EXPECT_EQ(tail[0], 'a');
    EXPECT_EQ(tail[1], 'b');
    EXPECT_EQ(tail[2], 0) << "the read stops at the end of the data";
    EXPECT_EQ(CFDataGetBytePtr(nullptr), nullptr);
}

TEST(CFUUID, StringsBytesConstantsAndEquality) {
    CFRef<CFUUIDRef> type(
        CFUUIDCreateFromString(nullptr, CFSTR("bdb091f4-e57f-11d3-b5cc-0050e4603277")));
    ASSERT_TRUE(type);

    const CFUUIDBytes bytes = CFUUIDGetUUIDBytes(type.get());
    EXPECT_EQ(bytes.byte0, 0xBD);
    EXPECT_EQ(bytes.byte15, 0x77);
    CFRef<CFUUIDRef> fromBytes(CFUUIDCreateFromUUIDBytes(nullptr, bytes));
    EXPECT_TRUE(CFEqual(fromBytes.get(), type.get()));

    CFUUIDRef unknown = IUnknownUUID;
    EXPECT_EQ(unknown, IUnknownUUID) << "a constant UUID is one object";
    CFRef<CFUUIDRef> unknownFromText(
        CFUUIDCreateFromString(nullptr, CFSTR("00000000-0000-0000-C000-000000000046")));
    EXPECT_TRUE(CFEqual(unknownFromText.get(), unknown));
    EXPECT_FALSE(CFEqual(unknown, type.get()));

    EXPECT_FALSE(CFUUIDCreateFromString(nullptr, CFSTR("BDB091F4-E57F-11D3-B5CC-0050E460327")));
    EXPECT_FALSE(CFUUIDCreateFromString(nullptr, CFSTR("BDB091F4+E57F-11D3-B5CC-0050E4603277")));
    EXPECT_FALSE(CFUUIDCreateFromString(nullptr, CFSTR("GDB091F4-E57F-11D3-B5CC-0050E4603277")));
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
          "not xml", "<plist><array><string>x</array></plist>"}) {
        SCOPED_TRACE(bad);
        CFRef<CFDataRef> input(
            CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(bad), CFIndex(std::strlen(bad))));
        EXPECT_FALSE(CFPropertyListCreateWithData(nullptr, input.get(), 0, nullptr, nullptr));
    }
    const void* badKeys[] = {number.get()};
    const void* badValues[] = {number.get()};
    CFRef<CFDictionaryRef> numberKeys(CFDictionaryCreate(nullptr, badKeys, badValues, 1,
                                                         &kCFTypeDictionaryKeyCallBacks,
                                                         &kCFTypeDictionaryValueCallBacks));
    EXPECT_FALSE(CFPropertyListCreateData(nullptr, numberKeys.get(), kCFPropertyListXMLFormat_v1_0,
                                          0, nullptr));
}

} // namespace
