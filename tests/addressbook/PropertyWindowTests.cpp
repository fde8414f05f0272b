// The entry and group property windows of the plug-in's nib, opened as the address window opens
// them and answered as a user would: what they show, cut or cleared, changing nothing.
#include "AddressEntries.h"
#include "TestBundles.h"

#include <GroupPropertyWindow.h>
#include <UserPropertyWindow.h>

#include <ControlDefinitionTables.h>
#include <HIToolboxQt.h>
#include <PlugInIdentity.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Text = std::optional<std::u16string>;

// An address entry named Hanna Köhler; its company and note only when given.
CFRef<CFDictionaryRef> entry(const Text& company, const Text& note) {
    CFRef<CFMutableDictionaryRef> made(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    const std::pair<CFStringRef, Text> fields[] = {{CFSTR("NAME"), u"Hanna Köhler"},
                                                   {CFSTR("PHNM"), u"0301234567"},
                                                   {CFSTR("Company"), company},
                                                   {CFSTR("Memo"), note}};
    for (const auto& [key, value] : fields) {
        if (!value) continue;
        const CFRef<CFStringRef> text(CFStringCreateWithCharacters(
            nullptr, reinterpret_cast<const UniChar*>(value->data()), CFIndex(value->size())));
        CFDictionarySetValue(made.get(), key, text.get());
    }
    return CFRef<CFDictionaryRef>(made.release());
}

QStringList members(WindowRef window) {
    return ToolboxDriver::rowTexts(window, GroupPropertyMemberTableViewCtrlID,
                                   FOUR_CHAR_CODE("NAME"));
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

TEST_F(PropertyWindowTest, AnEntryIsShownUntilOKWithMissingFieldsEmptyAndLongOnesCut) {
    const std::u16string euros(253, u'€'); // 3 UTF-8 bytes each
    std::u16string faces;                  // 4 UTF-8 bytes and 2 units each
    for (int i = 0; i < 127; ++i)
        faces += u"\U0001F600";
    // The entry's company and note, and the note shown.
    const std::tuple<Text, Text, std::u16string> cases[] = {
        {u"Norvale Logistics GmbH", u"Invoices only", u"Invoices only"},
        {{}, {}, u""}, // as from the device: nothing of the earlier entry stays
        // Notes of 254 units, over 255 UTF-8 bytes: cut between characters to 253 and 252 bytes.
        {{}, u"a" + euros, u"a" + euros.substr(0, 84)},
        {{}, faces, faces.substr(0, 126)},
    };
    for (const auto& [company, note, shownNote] : cases) {
        const CFRef<CFDictionaryRef> shown = entry(company, note);
        const CFRef<CFDictionaryRef> before(CFDictionaryCreateCopy(nullptr, shown.get()));
        std::vector<std::u16string> fields;
        driver_.answerNextModal([&](WindowRef window) {
            for (const ControlID* id :
                 {&UserPropertyNameTextEditCtrlID, &UserPropertyPhoneNumberTextEditCtrlID,
                  &UserPropertyCompanyTextEditCtrlID, &UserPropertyNoteTextEditCtrlID})
                fields.push_back(ToolboxDriver::controlText(window, *id).toStdU16String());
            ControlRef noteControl = nullptr;
            GetControlByID(window, &UserPropertyNoteTextEditCtrlID, &noteControl);
            const auto* noteField = qobject_cast<QLineEdit*>(HIControlGetWidget(noteControl));
            EXPECT_TRUE(noteField && noteField->cursorPosition() == 0)
                << "a note wider than its field is read from its start";
            EXPECT_TRUE(ToolboxDriver::click(window, UPOKButtonCtrlID));
        });
        EXPECT_EQ(noErr, user_.PresentWithAddress(shown.get()));
        EXPECT_EQ(0u, driver_.pendingAnswers()) << "OK ends the window";
        EXPECT_EQ(nullptr, user_.GetWindow()) << "put away after OK";
        EXPECT_EQ((std::vector<std::u16string>{u"Hanna Köhler", u"0301234567",
                                               company.value_or(u""), shownNote}),
                  fields);
        EXPECT_TRUE(CFEqual(before.get(), shown.get())) << "unchanged";
    }
}

TEST_F(PropertyWindowTest, AGroupShowsItsMembersInOrderSortableButNotSelectable) {
    const CFRef<CFArrayRef> groups = CreateAddressEntries({{"Sales team", "Group"}});
    const auto* sales = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(groups.get(), 0));
    const CFRef<CFArrayRef> three = CreateAddressEntries(
        {{"Zoe Brandt", "0301111"}, {"anna Roth", "0302222"}, {"Bernd Ahl", "0303333"}});
    const CFRef<CFArrayRef> none = CreateAddressEntries({});
    driver_.answerNextModal([&](WindowRef window) {
        EXPECT_EQ("Sales team",
                  ToolboxDriver::controlText(window, GroupPropertyNameTextEditCtrlID));
        EXPECT_EQ(QStringList({"Zoe Brandt", "anna Roth", "Bernd Ahl"}), members(window));
        EXPECT_FALSE(ToolboxDriver::selectRow(window, GroupPropertyMemberTableViewCtrlID, 1));
        EXPECT_TRUE(ToolboxDriver::clickColumnHeader(window, GroupPropertyMemberTableViewCtrlID,
                                                     FOUR_CHAR_CODE("NAME")));
        EXPECT_EQ(QStringList({"anna Roth", "Bernd Ahl", "Zoe Brandt"}), members(window));
        EXPECT_TRUE(ToolboxDriver::click(window, GPOKButtonCtrlID));
    });
    EXPECT_EQ(noErr, group_.PresentWithAddress(sales, three.get()));

    // A group without members, or whose members could not all be found (null), shows its
    // name and no earlier group's members; the close box ends the window as OK does.
    for (CFArrayRef shownMembers : {CFArrayRef(nullptr), none.get()}) {
        driver_.answerNextModal([&](WindowRef window) {
            EXPECT_EQ("Sales team",
                      ToolboxDriver::controlText(window, GroupPropertyNameTextEditCtrlID));
            EXPECT_TRUE(members(window).isEmpty());
            HIWindowGetWidget(window)->close();
        });
        EXPECT_EQ(noErr, group_.PresentWithAddress(sales, shownMembers));
        EXPECT_EQ(nullptr, group_.GetWindow());
    }
    EXPECT_EQ(0u, driver_.pendingAnswers());
}

} // namespace
