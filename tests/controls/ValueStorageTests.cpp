// A control's value in the print-settings ticket of a real print session (plain, escaped and
// obscured text, read back) and in the per-printer preferences: bounds, escaping and failures.
#include "DemoPrinterTicket.h"

#include <CBasePrintPanel.h>
#include <PasswordObfuscation.h>

#include <CFNumber.h>
#include <CFPreferences.h>
#include <CFRef.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <filesystem>

namespace {

constexpr size_t kTextSize = 256;

const ControlID kNameID = {FOUR_CHAR_CODE("snte"), 403};
const ControlID kPasswordID = {FOUR_CHAR_CODE("pswd"), 7};
const ControlAccessInfo kNameAccess = {
    FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"), kCFPreferencesCurrentUser,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderName"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderNameReference")};
const ControlAccessInfo kUnstoredAccess = {FOUR_CHAR_CODE("cfst"), FOUR_CHAR_CODE("cfst"),
                                           kCFPreferencesCurrentUser, nullptr, nullptr};
const std::string kNamePreferenceKey =
    "com.norvale.m.corvexa.printsettings.SFaxCoverSenderNameReference";

// A text field as the text fields keep their value: NUL-terminated UTF-8 in a 256-byte buffer,
// copied whole into the ticket text and the preference text.
class TextControl : public CBaseControl {
  public:
    explicit TextControl(const ControlAccessInfo* access, const ControlID* id = &kNameID,
                         size_t size = kTextSize)
        : CBaseControl(id, nullptr, access) {
        if (size) AllocateValueBuffers(size);
    }
    void setText(const std::string& text) {
        std::memset(controlValue_, 0, kTextSize);
        std::memcpy(controlValue_, text.data(), std::min(text.size(), kTextSize - 1));
    }
    std::string text() const { return static_cast<const char*>(controlValue_); }

    bool ConvertToTickectData(unsigned char* buffer) override {
        std::memcpy(buffer, controlValue_, kTextSize - 1);
        return true;
    }
    bool ConvertToPreferenceString(char* buffer) override {
        std::strcpy(buffer, static_cast<const char*>(controlValue_));
        return true;
    }
    bool ConvertFromPreferenceString(char* text) override {
        setText(text);
        return true;
    }
};

// The text that the obscured ticket text stands for.
std::string revealed(const std::string& base64) {
    UInt8 obscured[kTextSize] = {};
    UInt8 plain[kTextSize] = {};
    UInt32 obscuredLength = 0;
    UInt32 plainLength = 0;
    if (KVEB64ToBin(reinterpret_cast<const UInt8*>(base64.c_str()), SInt32(base64.size()), obscured,
                    &obscuredLength, kTextSize - 1) != 0 ||
        KVEEncrypt(obscured, SInt32(obscuredLength), plain, &plainLength, kTextSize - 1) != 0)
        return "<undecodable>";
    return std::string(reinterpret_cast<const char*>(plain), plainLength);
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

    std::string ticketText() const { return demo_.text(kNameAccess.ticketKey); }
    // Writes the text as a name field and reads it back into a fresh one.
    std::string roundTrip(const std::string& text) {
        TextControl writer(&kNameAccess);
        writer.setText(text);
        EXPECT_TRUE(writer.SetValueToTicket(ticket_, false));
        TextControl reader(&kNameAccess);
        EXPECT_TRUE(reader.GetValueFromTicket(ticket_));
        return reader.text();
    }
    // What a name field with "previous" reads back from the stored ticket text.
    std::string readBack(const std::string& stored) {
        EXPECT_EQ(noErr, PMTicketSetCString(ticket_, CFSTR("test"), kNameAccess.ticketKey,
                                            stored.c_str(), false));
        TextControl name(&kNameAccess);
        name.setText("previous");
        EXPECT_TRUE(name.GetValueFromTicket(ticket_));
        return name.text();
    }
    static void setPreference(const std::string& key, CFPropertyListRef value) {
        const CFRef<CFStringRef> name(
            CFStringCreateWithCString(nullptr, key.c_str(), kCFStringEncodingUTF8));
        CFPreferencesSetValue(name.get(), value, kCFPreferencesAnyApplication,
                              kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
        CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesCurrentUser,
                                 kCFPreferencesCurrentHost);
    }

    const std::filesystem::path preferencesFolder_ =
        std::filesystem::path(testing::TempDir()) / "value-storage-preferences";
    const ScopedEnvironment preferencesHome_{"XDG_CONFIG_HOME", preferencesFolder_.c_str()};
    const DemoPrinterTicket demo_;
    PMTicketRef ticket_ = demo_.ticket();
    CBasePrintPanel pane_;
};

// A slash first or an apostrophe, comma or backslash anywhere escapes every byte.
TEST_F(ValueStorageTest, EscapedTextsComeBackAsTheyWere) {
    const std::pair<std::string, std::string> cases[] = {
        {"a,b", "/97/44/98"},
        {"/x", "/47/120"},
        {"it's", "/105/116/39/115"},
        {"C:\\fax", "/67/58/92/102/97/120"},
        {"Caf\u00e9, Ltd", "/67/97/102/195/169/44/32/76/116/100"},
        {"a/b", "a/b"},
        {"", ""},
    };
    for (const auto& [text, stored] : cases) {
        EXPECT_EQ(text, roundTrip(text));
        EXPECT_EQ(stored, ticketText()) << text;
    }
}

// Texts of 255 bytes come back whole, also when their escaped form is longer than 256 bytes; a
// value read back is cut to its control's buffer, and an escaped text ends at its first foreign
// character.
TEST_F(ValueStorageTest, TextsOf255BytesComeBackWholeAndLongerOrForeignOnesAreCut) {
    std::string escaped;
    for (int count = 0; count < 127; ++count)
        escaped += "\u00e9";
    escaped += ",";
    const std::string plain = "Hanako Sato" + std::string(244, 'x');
    for (const std::string& text : {escaped, plain})
        EXPECT_EQ(text, roundTrip(text));
    EXPECT_EQ(plain, ticketText());

    std::string threeHundred;
    for (int count = 0; count < 300; ++count)
        threeHundred += "/97";
    const std::pair<std::string, std::string> cases[] = {{"/97/98x/99", "ab"},
                                                         {"/353", "a"},
                                                         {"/", ""},
                                                         {"/97//98", "a"},
                                                         {threeHundred, std::string(255, 'a')}};
    for (const auto& [stored, text] : cases)
        EXPECT_EQ(text, readBack(stored)) << stored;
    TextControl number(&kNameAccess, &kNameID, sizeof(SInt32)); // a check box or list value
    readBack("/49/50/51/52/53/54");
    EXPECT_TRUE(number.GetValueFromTicket(ticket_));
    EXPECT_EQ("123", number.text());
}

TEST_F(ValueStorageTest, APasswordOrAControlTheEncryptionListNamesIsObscuredAndBase64Encoded) {
    TextControl password(&kNameAccess, &kPasswordID);
    password.setText("\u00e9,"); // every byte, not as many as the display length counts
    EXPECT_TRUE(password.SetValueToTicketWithKVEEnc(ticket_, false));
    EXPECT_EQ("\u00e9,", revealed(ticketText()));
    password.setText("");
    EXPECT_TRUE(password.SetValueToTicketWithKVEEnc(ticket_, false));
    EXPECT_EQ("", ticketText());

    password.setText("a,b");
    CFRef<CFMutableArrayRef> list(CFArrayCreateMutable(nullptr, 0, nullptr));
    EXPECT_TRUE(password.SetValueToTicket(ticket_, false, list.get()));
    EXPECT_EQ("/97/44/98", ticketText()) << "empty list: plain form";
    CFArrayAppendValue(list.get(), &kPasswordID);
    EXPECT_TRUE(password.SetValueToTicket(ticket_, false, list.get()));
    EXPECT_EQ("a,b", revealed(ticketText()));
}

TEST_F(ValueStorageTest, WithoutKeysTicketOrBufferNothingIsStoredAndTheValueIsKept) {
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
    EXPECT_FALSE(std::filesystem::exists(preferencesFolder_)) << "nothing was written";

    TextControl name(&kNameAccess);
    name.setText("Hanako");
    EXPECT_TRUE(name.GetValueFromTicket(ticket_)) << "an absent key";
    EXPECT_FALSE(name.GetValueFromTicket(nullptr));
    EXPECT_FALSE(name.SetValueToPreference()) << "in no pane: no printer string";
    EXPECT_FALSE(name.GetValueToPreference());
    EXPECT_EQ("Hanako", name.text());
    TextControl unbound(&kNameAccess, &kNameID, 0);
    pane_.RunTimeAddNewControl(&unbound);
    EXPECT_TRUE(unbound.GetValueFromTicket(ticket_)) << "nothing to read, nothing to fill";
    EXPECT_FALSE(unbound.SetValueToPreference());
    EXPECT_FALSE(unbound.GetValueToPreference());
}

TEST_F(ValueStorageTest, PreferencesOfUpTo255BytesSurviveAReloadPerPrinter) {
    TextControl name(&kNameAccess);
    pane_.RunTimeAddNewControl(&name);
    EXPECT_FALSE(name.GetValueToPreference()) << "nothing stored yet";
    const std::string longest = "\u00e9" + std::string(253, 'x');
    name.setText(longest);
    ASSERT_TRUE(name.SetValueToPreference());
    setPreference("OtherPrinter" + kNamePreferenceKey, CFSTR("Taro"));
    _CFPreferencesFlushCaches(); // as a new process would start
    name.setText("");
    ASSERT_TRUE(name.GetValueToPreference());
    EXPECT_EQ(longest, name.text()) << "under the printer string followed by the key";

    const int number = 7;
    const CFRef<CFNumberRef> notText(CFNumberCreate(nullptr, kCFNumberIntType, &number));
    setPreference("NorvaleDemoFax" + kNamePreferenceKey, notText.get());
    EXPECT_FALSE(name.GetValueToPreference());
    EXPECT_EQ(longest, name.text());
}

TEST(ControlItoa, DigitsRightAlignedBeforeTheLastByteOrNullWhenTheyDoNotFit) {
    TextControl control(nullptr);
    char buffer[33];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(buffer + 28, control.itoa(1234, buffer, sizeof buffer));
    EXPECT_STREQ("1234", buffer + 28);
    EXPECT_EQ('#', buffer[27]) << "nothing before the first digit is touched";
    EXPECT_STREQ("0", control.itoa(0, buffer, sizeof buffer));
    EXPECT_STREQ("2147483647", control.itoa(INT_MAX, buffer, sizeof buffer));
    EXPECT_STREQ("-2147483648", control.itoa(INT_MIN, buffer, sizeof buffer));
    EXPECT_STREQ("99", control.itoa(99, buffer, 3));
    EXPECT_EQ(nullptr, control.itoa(100, buffer, 3));
    EXPECT_EQ(nullptr, control.itoa(-9, buffer, 2));
    EXPECT_EQ(nullptr, control.itoa(1, nullptr, 33));
}

} // namespace
