// The entry and group property windows of the plug-in's nib, opened as the address window opens
// them and answered as a user would: what they show, that OK closes them, and that they change
// nothing.
#include "TestBundles.h"

#include <GroupPropertyWindow.h>
#include <UserPropertyWindow.h>

#include <ControlDefinitionTables.h>
#include <HIToolboxQt.h>
#include <PlugInIdentity.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Fields = std::vector<std::pair<const char*, std::u16string>>;

CFRef<CFStringRef> cfText(const std::u16string& text) {
    return CFRef<CFStringRef>(CFStringCreateWithCharacters(
        nullptr, reinterpret_cast<const UniChar*>(text.data()), CFIndex(text.size())));
}

// An address entry of string values.
CFRef<CFDictionaryRef> entry(const Fields& fields) {
    CFRef<CFMutableDictionaryRef> made(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    for (const auto& [key, value] : fields) {
        const CFRef<CFStringRef> name(
            CFStringCreateWithCString(nullptr, key, kCFStringEncodingUTF8));
        CFDictionarySetValue(made.get(), name.get(), cfText(value).get());
    }
    return CFRef<CFDictionaryRef>(made.release());
}

CFRef<CFArrayRef> entries(const std::vector<CFRef<CFDictionaryRef>>& list) {
    std::vector<const void*> values;
    for (const auto& each : list)
        values.push_back(each.get());
    return CFRef<CFArrayRef>(
        CFArrayCreate(nullptr, values.data(), CFIndex(values.size()), &kCFTypeArrayCallBacks));
}

QString shown(WindowRef window, const ControlID& id) {
    return ToolboxDriver::controlText(window, id);
}

void saveScreenshot(WindowRef window, const char* name) {
    const QDir folder(QStringLiteral(NV_SCREENSHOT_DIR));
    EXPECT_TRUE(folder.mkpath(QStringLiteral(".")) &&
                ToolboxDriver::saveWindowImage(window, folder.filePath(QString(name) + ".png")));
}

// Both windows built and initialised as the address window does it.
class PropertyWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bundle_);
        owner_.RunTimeAddNewWindow(&user_);
        owner_.RunTimeAddNewWindow(&group_);
        ASSERT_EQ(noErr,
                  owner_.InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr));
    }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Loaded first: the windows are built from it as they are constructed.
    CFBundleRef bundle_ = faxPlugInBundle();
    ToolboxDriver driver_;
    CBasePrintPanel owner_;
    UserPropertyWindow user_{GetPDENibFileName(), CFSTR("UserProperty"), GetAppBundleRef(),
                             CFSTR("Property Button Title")};
    GroupPropertyWindow group_{GetPDENibFileName(), CFSTR("GroupProperty"), GetAppBundleRef(),
                               CFSTR("Property Button Title")};
};

TEST_F(PropertyWindowTest, AnEntryIsShownUntilOKWithEveryMissingFieldEmpty) {
    struct Case {
        const char* what;
        Fields entry;
        std::vector<QString> expected; // name, number, company, note
    };
    const Case cases[] = {
        {"a file entry",
         {{"NAME", u"Hanna Köhler"},
          {"PHNM", u"0301234567"},
          {"Company", u"Norvale Logistics GmbH"},
          {"Memo", u"Invoices only; call before sending more than 20 pages"}},
         {"Hanna Köhler", "0301234567", "Norvale Logistics GmbH",
          "Invoices only; call before sending more than 20 pages"}},
        {"a device entry right after it",
         {{"NAME", u"Front desk"}, {"PHNM", u"0407654321"}},
         {"Front desk", "0407654321", "", ""}},
        {"a file entry with an empty company and note",
         {{"NAME", u"Ole"}, {"PHNM", u"123"}, {"Company", u""}, {"Memo", u""}},
         {"Ole", "123", "", ""}},
    };
    for (const Case& each : cases) {
        const CFRef<CFDictionaryRef> shownEntry = entry(each.entry);
        const CFRef<CFDictionaryRef> before(CFDictionaryCreateCopy(nullptr, shownEntry.get()));
        std::vector<QString> fields;
        QStringList texts;
        driver_.answerNextModal([&](WindowRef window) {
            for (const ControlID* id :
                 {&UserPropertyNameTextEditCtrlID, &UserPropertyPhoneNumberTextEditCtrlID,
                  &UserPropertyCompanyTextEditCtrlID, &UserPropertyNoteTextEditCtrlID})
                fields.push_back(shown(window, *id));
            texts = ToolboxDriver::windowTexts(window);
            ControlRef note = nullptr;
            GetControlByID(window, &UserPropertyNoteTextEditCtrlID, &note);
            const auto* noteField = qobject_cast<QLineEdit*>(HIControlGetWidget(note));
            EXPECT_TRUE(noteField && noteField->cursorPosition() == 0)
                << each.what << ": a note wider than its field is read from its start";
            if (fields[0] == "Hanna Köhler") saveScreenshot(window, "UserPropertyWindow");
            EXPECT_TRUE(ToolboxDriver::click(window, UPOKButtonCtrlID));
        });
        EXPECT_EQ(noErr, user_.PresentWithAddress(shownEntry.get())) << each.what;
        EXPECT_EQ(0u, driver_.pendingAnswers()) << each.what << ": OK ends the window";
        EXPECT_EQ(each.expected, fields) << each.what;
        for (const char* text : {"Properties...", "Company", "Note", "OK"})
            EXPECT_TRUE(texts.contains(text)) << each.what << ": " << text;
        EXPECT_EQ(nullptr, user_.GetWindow()) << each.what << ": put away after OK";
        EXPECT_TRUE(CFEqual(before.get(), shownEntry.get())) << each.what << ": unchanged";
    }
}

TEST_F(PropertyWindowTest, ALongNoteIsCutBetweenCharactersToItsFieldsBytes) {
    struct Case {
        const char* what;
        std::u16string note; // 254 UTF-16 units
        std::u16string shown;
    };
    const std::u16string euros(253, u'€'); // 3 UTF-8 bytes each
    const std::u16string faces = [] {      // 4 UTF-8 bytes and 2 units each
        std::u16string text;
        for (int i = 0; i < 127; ++i)
            text += u"\U0001F600";
        return text;
    }();
    const Case cases[] = {
        {"three-byte characters", u"a" + euros, u"a" + euros.substr(0, 84)}, // 253 bytes
        {"surrogate pairs", faces, faces.substr(0, 2 * 63)},                 // 252 bytes
    };
    for (const Case& each : cases) {
        ASSERT_EQ(254u, each.note.size()) << each.what;
        const CFRef<CFDictionaryRef> note =
            entry({{"NAME", u"Notes"}, {"PHNM", u"1"}, {"Memo", each.note}});
        QString field;
        driver_.answerNextModal([&](WindowRef window) {
            field = shown(window, UserPropertyNoteTextEditCtrlID);
            ToolboxDriver::click(window, UPOKButtonCtrlID);
        });
        EXPECT_EQ(noErr, user_.PresentWithAddress(note.get()));
        EXPECT_EQ(QString::fromStdU16String(each.shown), field) << each.what;
    }
}

TEST_F(PropertyWindowTest, AGroupShowsItsMembersInOrderSortableButNotSelectable) {
    const CFRef<CFDictionaryRef> sales = entry({{"NAME", u"Sales team"}, {"PHNM", u"Group"}});
    const CFRef<CFArrayRef> members =
        entries({entry({{"NAME", u"Zoe Brandt"}, {"PHNM", u"0301111"}}),
                 entry({{"NAME", u"anna Roth"}, {"PHNM", u"0302222"}}),
                 entry({{"NAME", u"Bernd Ahl"}, {"PHNM", u"0303333"}})});
    const ControlID& list = GroupPropertyMemberTableViewCtrlID;
    driver_.answerNextModal([&](WindowRef window) {
        EXPECT_EQ("Sales team", shown(window, GroupPropertyNameTextEditCtrlID));
        EXPECT_EQ(QStringList({"Zoe Brandt", "anna Roth", "Bernd Ahl"}),
                  ToolboxDriver::rowTexts(window, list, FOUR_CHAR_CODE("NAME")));
        saveScreenshot(window, "GroupPropertyWindow");
        EXPECT_FALSE(ToolboxDriver::selectRow(window, list, 1)) << "members are not selectable";
        EXPECT_TRUE(ToolboxDriver::clickColumnHeader(window, list, FOUR_CHAR_CODE("NAME")));
        EXPECT_EQ(QStringList({"anna Roth", "Bernd Ahl", "Zoe Brandt"}),
                  ToolboxDriver::rowTexts(window, list, FOUR_CHAR_CODE("NAME")));
        EXPECT_TRUE(ToolboxDriver::click(window, GPOKButtonCtrlID));
    });
    EXPECT_EQ(noErr, group_.PresentWithAddress(sales.get(), members.get()));
    EXPECT_EQ(nullptr, group_.GetWindow());

    // A group without members, or whose members could not all be found (null), shows its
    // name and no earlier group's members.
    const CFRef<CFArrayRef> none = entries({});
    for (CFArrayRef shownMembers : {none.get(), CFArrayRef(nullptr)}) {
        driver_.answerNextModal([&](WindowRef window) {
            EXPECT_EQ("Sales team", shown(window, GroupPropertyNameTextEditCtrlID));
            EXPECT_TRUE(ToolboxDriver::rowTexts(window, list, FOUR_CHAR_CODE("NAME")).isEmpty());
            ToolboxDriver::click(window, GPOKButtonCtrlID);
        });
        EXPECT_EQ(noErr, group_.PresentWithAddress(sales.get(), shownMembers));
    }
    // The close box ends the window as OK does.
    driver_.answerNextModal([](WindowRef window) { HIWindowGetWidget(window)->close(); });
    EXPECT_EQ(noErr, group_.PresentWithAddress(sales.get(), members.get()));
    EXPECT_EQ(nullptr, group_.GetWindow());
    EXPECT_EQ(0u, driver_.pendingAnswers());
}

} // namespace
