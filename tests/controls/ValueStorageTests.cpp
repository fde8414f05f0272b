// A control's value in the print-settings ticket of a real print session (plain, escaped and
// obscured text, read back) and in the per-printer preferences.
#include "DemoPrinterTicket.h"

#include <CBasePrintPanel.h>
#include <PasswordObfuscation.h>
#include <PlugInIdentity.h>
#include <ScopedEnvironment.h>
#include <SessionAccessors.h>

#include <CFNumber.h>
#include <CFPreferences.h>
#include <CFRef.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr size_t kTextSize = 256;

const ControlID kNameID = {FOUR_CHAR_CODE("snte"), 403};
const ControlID kPasswordID = {FOUR_CHAR_CODE("pswd"), 7};

const ControlAccessInfo kNameAccess = {
    FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"), kCFPreferencesCurrentUser,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderName"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderNameReference")};
const ControlAccessInfo kPasswordAccess = {
    FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"), kCFPreferencesCurrentUser,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxPassword"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxPasswordReference")};
const ControlAccessInfo kUnstoredAccess = {FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"),
                                           kCFPreferencesCurrentUser, nullptr, nullptr};

// A text field as the text fields keep their value: NUL-terminated UTF-8 in a 256-byte buffer,
// copied whole into the ticket text and the preference text.
class TextControl : public CBaseControl {
  public:
    explicit TextControl(const ControlAccessInfo* access, const ControlID* id = &kNameID)
        : CBaseControl(id, nullptr, access) {
        AllocateValueBuffers(kTextSize);
    }

    void setText(const std::string& text) {
        std::memset(controlValue_, 0, kTextSize);
        std::memcpy(controlValue_, text.data(), std::min(text.size(), kTextSize - 1));
    }
    std::string text() const { return static_cast<const char*>(controlValue_); }
    void dropValueBuffer() { FreeValueBuffers(); }

    bool ConvertToTickectData(unsigned char* buffer) override {
        std::memcpy(buffer, controlValue_, kTextSize - 1);
        return true;
    }
    bool ConvertToPreferenceString(char* buffer) override {
        std::memset(buffer, 0, kTextSize - 1);
        std::strcpy(buffer, static_cast<const char*>(controlValue_));
        return true;
    }
    bool ConvertFromPreferenceString(char* text) override {
        setText(text);
        return true;
    }
};

std::string utf8(CFTypeRef string) {
    char buffer[2048] = {};
    if (CFGetTypeID(string) != CFStringGetTypeID()) return "<no string>";
    return CFStringGetCString(static_cast<CFStringRef>(string), buffer, sizeof buffer,
                              kCFStringEncodingUTF8)
               ? buffer
               : "<unconvertible>";
}

// A print session on the demo fax printer with its ticket, a pane whose printer string is the demo
// printer's, and a preferences folder of the test's own.
class ValueStorageTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all(preferencesFolder_);
        _CFPreferencesFlushCaches();
        ASSERT_TRUE(ticket_);
        ASSERT_TRUE(pane_.SetCurrentPrinterString(demo_.session()));
    }
    void TearDown() override {
        _CFPreferencesFlushCaches();
        std::filesystem::remove_all(preferencesFolder_);
    }

    std::string ticketText(CFStringRef key) const { return demo_.text(key); }
    CFIndex ticketItemCount() const {
        const CFRef<CFDictionaryRef> items(PMTicketCreateDict(ticket_));
        return CFDictionaryGetCount(items.get());
    }
    // Writes the text as a name field and reads it back into a fresh one.
    std::string roundTrip(const std::string& text) {
        TextControl writer(&kNameAccess);
        writer.setText(text);
        EXPECT_TRUE(writer.SetValueToTicket(ticket_, false));
        TextControl reader(&kNameAccess);
        EXPECT_TRUE(reader.GetValueFromTicket(ticket_));
        return reader.text();
    }
    // The preference stored under the exact key, as text.
    static std::string preference(const std::string& key) {
        const CFRef<CFStringRef> keyString(
            CFStringCreateWithCString(nullptr, key.c_str(), kCFStringEncodingUTF8));
        const CFRef<CFPropertyListRef> value(
            CFPreferencesCopyValue(keyString.get(), kCFPreferencesAnyApplication,
                                   kCFPreferencesCurrentUser, kCFPreferencesCurrentHost));
        return value ? utf8(value.get()) : "<absent>";
    }
    const std::string kNamePreferenceKey =
        "com.norvale.m.corvexa.printsettings.SFaxCoverSenderNameReference";
    const std::filesystem::path preferencesFolder_ =
        std::filesystem::path(testing::TempDir()) / "value-storage-preferences";
    const ScopedEnvironment preferencesHome_{"XDG_CONFIG_HOME", preferencesFolder_.c_str()};
    const DemoPrinterTicket demo_;
    PMTicketRef ticket_ = demo_.ticket();
    CBasePrintPanel pane_;
};

TEST_F(ValueStorageTest, ASlashFirstOrAnApostropheCommaOrBackslashEscapesEveryByte) {
    EXPECT_EQ("a,b", roundTrip("a,b"));
    EXPECT_EQ("/97/44/98", ticketText(kNameAccess.ticketKey));
    EXPECT_EQ("/x", roundTrip("/x"));
    EXPECT_EQ("/47/120", ticketText(kNameAccess.ticketKey));
    EXPECT_EQ("it's", roundTrip("it's"));
    EXPECT_EQ("/105/116/39/115", ticketText(kNameAccess.ticketKey));
    EXPECT_EQ("C:\\fax", roundTrip("C:\\fax"));
    EXPECT_EQ("/67/58/92/102/97/120", ticketText(kNameAccess.ticketKey));
    EXPECT_EQ("Caf\u00e9, Ltd", roundTrip("Caf\u00e9, Ltd")); // bytes above 127 too
    EXPECT_EQ("/67/97/102/195/169/44/32/76/116/100", ticketText(kNameAccess.ticketKey));
    EXPECT_EQ("a/b", roundTrip("a/b")); // a slash inside needs nothing
    EXPECT_EQ("a/b", ticketText(kNameAccess.ticketKey));
}

TEST_F(ValueStorageTest, TextOfUpTo255BytesIsWrittenWholeWithThePlugInsClientID) {
    const std::string plain = "Hanako Sato" + std::string(244, 'x');
    EXPECT_EQ(plain, roundTrip(plain));
    EXPECT_EQ(plain, ticketText(kNameAccess.ticketKey));
    CFStringRef client = nullptr;
    ASSERT_EQ(noErr, PMTicketGetItemClientID(ticket_, kNameAccess.ticketKey, &client));
    EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(GetAppClientID(), client, 0));
    std::string escaped;
    for (int count = 0; count < 127; ++count)
        escaped += "\u00e9";
    escaped += ",";
    ASSERT_EQ(255u, escaped.size());
    EXPECT_EQ(escaped, roundTrip(escaped)) << "the escaped form is longer than 256 bytes";
    EXPECT_EQ(255u * 4 - 1, ticketText(kNameAccess.ticketKey).size());

    // The empty text is written empty on both paths.
    TextControl name(&kNameAccess);
    EXPECT_TRUE(name.SetValueToTicket(ticket_, false));
    EXPECT_EQ("", ticketText(kNameAccess.ticketKey));
    TextControl password(&kPasswordAccess, &kPasswordID);
    EXPECT_TRUE(password.SetValueToTicketWithKVEEnc(ticket_, false));
    EXPECT_EQ("", ticketText(kPasswordAccess.ticketKey));
}

TEST_F(ValueStorageTest, AControlWithoutKeysLeavesTheTicketAndThePreferencesAlone) {
    const CFIndex before = ticketItemCount();
    for (const ControlAccessInfo* access : {&kUnstoredAccess, (const ControlAccessInfo*)nullptr}) {
        TextControl field(access);
        pane_.RunTimeAddNewControl(&field);
        field.setText("Hanako");
        EXPECT_FALSE(field.SetValueToTicket(ticket_, false));
        EXPECT_FALSE(field.SetValueToTicketWithKVEEnc(ticket_, false));
        EXPECT_FALSE(field.GetValueFromTicket(ticket_));
        EXPECT_TRUE(field.SetValueToPreference()) << "nothing to remember";
        EXPECT_TRUE(field.GetValueToPreference());
        EXPECT_EQ("Hanako", field.text());
    }
    EXPECT_EQ(before, ticketItemCount());
    EXPECT_FALSE(std::filesystem::exists(preferencesFolder_)) << "nothing was written";
}

// The text that the obscured ticket text stands for.
std::string revealed(const std::string& base64) {
    UInt8 obscured[kTextSize] = {};
    UInt32 obscuredLength = 0;
    UInt8 plain[kTextSize] = {};
    UInt32 plainLength = 0;
    if (KVEB64ToBin(reinterpret_cast<const UInt8*>(base64.c_str()), SInt32(base64.size()), obscured,
                    &obscuredLength, kTextSize - 1) != 0 ||
        KVEEncrypt(obscured, SInt32(obscuredLength), plain, &plainLength, kTextSize - 1) != 0)
        return "<undecodable>";
    return std::string(reinterpret_cast<const char*>(plain), plainLength);
}

TEST_F(ValueStorageTest, APasswordOrAControlTheEncryptionListNamesIsObscuredAndBase64Encoded) {
    TextControl password(&kPasswordAccess, &kPasswordID);
    password.setText("1234");
    EXPECT_TRUE(password.SetValueToTicketWithKVEEnc(ticket_, false));
    const std::string written = ticketText(kPasswordAccess.ticketKey);
    EXPECT_EQ(8u, written.size());
    EXPECT_EQ("==", written.substr(6));
    EXPECT_EQ(std::string::npos, written.find("1234"));
    EXPECT_EQ("1234", revealed(written));

    // Every byte is obscured, not only as many as the display length counts.
    password.setText("\u00e9,");
    EXPECT_TRUE(password.SetValueToTicketWithKVEEnc(ticket_, false));
    EXPECT_EQ("\u00e9,", revealed(ticketText(kPasswordAccess.ticketKey)));

    password.setText("a,b");
    CFRef<CFMutableArrayRef> list(CFArrayCreateMutable(nullptr, 0, nullptr));
    EXPECT_TRUE(password.SetValueToTicket(ticket_, false, list.get()));
    EXPECT_EQ("/97/44/98", ticketText(kPasswordAccess.ticketKey)) << "empty list: plain form";
    const ControlID listed = kPasswordID;
    CFArrayAppendValue(list.get(), &listed);
    EXPECT_TRUE(password.SetValueToTicket(ticket_, false, list.get()));
    EXPECT_EQ("a,b", revealed(ticketText(kPasswordAccess.ticketKey)));
}

TEST_F(ValueStorageTest, TheLockedFlagReachesTheTicket) {
    TextControl name(&kNameAccess);
    name.setText("Taro");
    EXPECT_TRUE(name.SetValueToTicket(ticket_, true));
    Boolean locked = false;
    ASSERT_EQ(noErr, PMTicketIsItemLocked(ticket_, kNameAccess.ticketKey, &locked));
    EXPECT_TRUE(locked);
    name.setText("Hanako");
    EXPECT_FALSE(name.SetValueToTicket(ticket_, false)) << "the ticket refuses a locked item";
    EXPECT_EQ("Taro", ticketText(kNameAccess.ticketKey));
}

TEST_F(ValueStorageTest, ReadingAnAbsentKeyKeepsTheValue) {
    TextControl name(&kNameAccess);
    name.setText("Hanako");
    EXPECT_TRUE(name.GetValueFromTicket(ticket_));
    EXPECT_EQ("Hanako", name.text());
    EXPECT_FALSE(name.GetValueFromTicket(nullptr));
    EXPECT_EQ("Hanako", name.text());
    TextControl unbound(&kNameAccess);
    unbound.dropValueBuffer();
    EXPECT_TRUE(unbound.GetValueFromTicket(ticket_)) << "nothing to read, nothing to fill";
}

// A value read back is cut to its control's buffer, and an escaped text ends at its first
// foreign character.
TEST_F(ValueStorageTest, AValueReadBackIsCutToItsControlsBufferAndItsEscapedForm) {
    // A check box or a list keeps its value in 4 bytes.
    class NumberControl : public CBaseControl {
      public:
        NumberControl() : CBaseControl(&kNameID, nullptr, &kNameAccess) {
            AllocateValueBuffers(sizeof(SInt32));
        }
        std::string bytes() const { return static_cast<const char*>(controlValue_); }
    } number;
    ASSERT_EQ(noErr, PMTicketSetCString(ticket_, CFSTR("test"), kNameAccess.ticketKey,
                                        "/49/50/51/52/53/54", false));
    EXPECT_TRUE(number.GetValueFromTicket(ticket_));
    EXPECT_EQ("123", number.bytes());

    const auto readBack = [&](const char* stored) {
        EXPECT_EQ(noErr,
                  PMTicketSetCString(ticket_, CFSTR("test"), kNameAccess.ticketKey, stored, false));
        TextControl name(&kNameAccess);
        name.setText("previous");
        EXPECT_TRUE(name.GetValueFromTicket(ticket_));
        return name.text();
    };
    EXPECT_EQ("ab", readBack("/97/98x/99"));
    EXPECT_EQ("a", readBack("/353")); // the low 8 bits of the number
    EXPECT_EQ("", readBack("/"));
    EXPECT_EQ("a", readBack("/97//98"));
    std::string threeHundred;
    for (int count = 0; count < 300; ++count)
        threeHundred += "/97";
    EXPECT_EQ(std::string(255, 'a'), readBack(threeHundred.c_str())) << "at most 255 bytes";
}

TEST_F(ValueStorageTest, PreferencesSurviveAReloadPerPrinter) {
    TextControl name(&kNameAccess);
    pane_.RunTimeAddNewControl(&name);
    name.setText("Hanako");
    ASSERT_TRUE(name.SetValueToPreference());
    EXPECT_EQ("Hanako", preference("NorvaleDemoFax" + kNamePreferenceKey))
        << "the printer string immediately followed by the preference key";

    // Another printer's value, under its own printer string, stays its own.
    const CFRef<CFStringRef> otherKey(CFStringCreateWithCString(
        nullptr, ("OtherPrinter" + kNamePreferenceKey).c_str(), kCFStringEncodingUTF8));
    CFPreferencesSetValue(otherKey.get(), CFSTR("Taro"), kCFPreferencesAnyApplication,
                          kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    ASSERT_TRUE(CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesCurrentUser,
                                         kCFPreferencesCurrentHost));
    _CFPreferencesFlushCaches(); // as a new process would start

    name.setText("");
    ASSERT_TRUE(name.GetValueToPreference());
    EXPECT_EQ("Hanako", name.text());
    name.setText("\u00e9" + std::string(253, 'x')); // 255 bytes, all kept
    ASSERT_TRUE(name.SetValueToPreference());
    _CFPreferencesFlushCaches();
    name.setText("");
    ASSERT_TRUE(name.GetValueToPreference());
    EXPECT_EQ("\u00e9" + std::string(253, 'x'), name.text());
    EXPECT_EQ("Taro", preference("OtherPrinter" + kNamePreferenceKey));
}

TEST_F(ValueStorageTest, PreferencesNeedAPrinterStringAValueAndAStoredString) {
    TextControl loose(&kNameAccess); // in no pane: no printer string
    loose.setText("Hanako");
    EXPECT_FALSE(loose.SetValueToPreference());
    EXPECT_FALSE(loose.GetValueToPreference());
    EXPECT_EQ("Hanako", loose.text());

    TextControl name(&kNameAccess);
    pane_.RunTimeAddNewControl(&name);
    name.setText("Hanako");
    EXPECT_FALSE(name.GetValueToPreference()) << "nothing stored yet";
    EXPECT_EQ("Hanako", name.text());
    const CFRef<CFStringRef> key(CFStringCreateWithCString(
        nullptr, ("NorvaleDemoFax" + kNamePreferenceKey).c_str(), kCFStringEncodingUTF8));
    const int number = 7;
    const CFRef<CFNumberRef> notText(CFNumberCreate(nullptr, kCFNumberIntType, &number));
    CFPreferencesSetValue(key.get(), notText.get(), kCFPreferencesAnyApplication,
                          kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(name.GetValueToPreference());

    TextControl unbound(&kNameAccess);
    pane_.RunTimeAddNewControl(&unbound);
    unbound.dropValueBuffer();
    EXPECT_FALSE(unbound.SetValueToPreference());
    EXPECT_FALSE(unbound.GetValueToPreference());
}

TEST(ControlItoa, DigitsRightAlignedBeforeTheLastByte) {
    TextControl control(nullptr);
    char buffer[33];
    std::memset(buffer, '#', sizeof buffer);
    const char* digits = control.itoa(1234, buffer, sizeof buffer);
    EXPECT_STREQ("1234", digits);
    EXPECT_EQ(buffer + 28, digits);
    EXPECT_EQ('#', buffer[27]) << "nothing before the first digit is touched";
    EXPECT_STREQ("0", control.itoa(0, buffer, sizeof buffer));
    EXPECT_STREQ("2147483647", control.itoa(INT_MAX, buffer, sizeof buffer));
    EXPECT_STREQ("-2147483648", control.itoa(INT_MIN, buffer, sizeof buffer));
    EXPECT_STREQ("99", control.itoa(99, buffer, 3));
    EXPECT_EQ(nullptr, control.itoa(100, buffer, 3)) << "does not fit";
    EXPECT_EQ(nullptr, control.itoa(-9, buffer, 2));
    EXPECT_EQ(nullptr, control.itoa(1, nullptr, 33));
}

} // namespace
