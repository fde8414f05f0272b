// The key filters of the filtered fields, installed on the real fields of the bundle's nib
// windows and typed into as a user types; and the whole-text rule.
#include "NibWindow.h"

#include <TextInputFilters.h>

#include <ControlDefinitionTables.h>
#include <TestDriver/ToolboxDriver.h>

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

// A shown nib window whose field has the key filter installed.
class FilteredField {
  public:
    FilteredField(CFStringRef windowName, const ControlID& field, ControlKeyFilterUPP filter)
        : window_(windowName), id_(field) {
        ShowWindow(window_.get());
        EXPECT_EQ(noErr, SetControlData(window_.control(id_), kControlEditTextPart,
                                        kControlEditTextKeyFilterTag, sizeof filter, &filter));
    }
    QLineEdit* lineEdit() const { return qobject_cast<QLineEdit*>(window_.widget(id_)); }

    // The number of beeps that typing the text, or pressing the key, caused.
    UInt32 type(const QString& text) {
        const UInt32 before = ToolboxDriver::beepCount();
        ToolboxDriver::typeKeys(window_.get(), id_, text);
        return ToolboxDriver::beepCount() - before;
    }
    UInt32 press(int key) {
        const UInt32 before = ToolboxDriver::beepCount();
        ToolboxDriver::pressKey(window_.get(), id_, key);
        return ToolboxDriver::beepCount() - before;
    }

  private:
    NibWindow window_;
    ControlID id_;
};

TEST(KeyFilters, LimitCountsTheBytesInTheFieldNotTheCharactersOrTheSelection) {
    FilteredField field(CFSTR("FaxSettings"), userNameTextEditCtrlID, userNameFilter);
    // Sixteen letters above U+00FF take two bytes each: the 32-byte limit is reached.
    field.lineEdit()->setText(QString(16, QChar(0x0416)));
    EXPECT_EQ(field.type(QStringLiteral("a")), 1u);
    EXPECT_EQ(field.lineEdit()->text(), QString(16, QChar(0x0416)));
    // Typing over a selection in a full field is blocked too.
    field.lineEdit()->setText(QString(32, u'a'));
    field.lineEdit()->selectAll();
    EXPECT_EQ(field.type(QStringLiteral("x")), 1u);
    EXPECT_EQ(field.lineEdit()->text(), QString(32, u'a'));
}

// Digits and dialling characters are typed; other characters and up and down beep and are
// dropped, while arrows, backspace and delete pass silently.
TEST(KeyFilters, PhoneNumberTakesDiallingCharactersAndEditingKeysOnly) {
    FilteredField field(CFSTR("FaxSettings"), phoneNumberTextEditCtrlID, phoneNumberFilter);
    EXPECT_EQ(field.type(QStringLiteral("1234")), 0u);
    // A letter whose low byte is a digit's ('Ա' is U+0531) is no digit.
    EXPECT_EQ(field.type(QStringLiteral("+ ") + QChar(0x0531)), 3u);
    for (int key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Backspace, Qt::Key_Delete})
        EXPECT_EQ(field.press(key), 0u);
    EXPECT_EQ(field.lineEdit()->text(), QStringLiteral("14"));
    EXPECT_EQ(field.press(Qt::Key_Right), 0u);
    EXPECT_EQ(field.lineEdit()->cursorPosition(), 2);
    EXPECT_EQ(field.press(Qt::Key_Up) + field.press(Qt::Key_Down), 2u);
    EXPECT_EQ(field.lineEdit()->text(), QStringLiteral("14"));
}

// The password is four digits: a fifth digit or any other character beeps and is dropped.
TEST(KeyFilters, PasswordTakesFourDigitsOnly) {
    FilteredField field(CFSTR("FaxSettings"), passwordTextEditCtrlID, passwordFilter);
    EXPECT_EQ(field.type(QStringLiteral("1a2345")), 2u);
    EXPECT_EQ(field.lineEdit()->text(), QStringLiteral("1234"));
}

bool valid(const QString& text, const TextEditFilterData& filter) {
    return validateInput(reinterpret_cast<const UniChar*>(text.utf16()), &filter);
}

// An empty text is valid and any other needs every unit in one of the record's ranges; a count
// above the record's ranges reads only the ranges it holds.
TEST(WholeTextRule, EveryUnitMustLieInARangeOfTheRecord) {
    EXPECT_TRUE(valid(QString(), senderNameTextEditFilterData));
    EXPECT_TRUE(valid(QStringLiteral("0#*:=-9"), phoneNumberTextEditFilterData));
    EXPECT_FALSE(valid(QStringLiteral("+44 20"), phoneNumberTextEditFilterData));
    EXPECT_FALSE(valid(QStringLiteral("12a4"), passwordTextEditFilterData));

    TextEditFilterData noRanges = senderNameTextEditFilterData;
    noRanges.textRanges.count = 0;
    EXPECT_TRUE(valid(QString(), noRanges));
    EXPECT_FALSE(valid(QStringLiteral("a"), noRanges));

    TextEditFilterData overcounted = passwordTextEditFilterData;
    overcounted.textRanges.count = 1000;
    EXPECT_TRUE(valid(QStringLiteral("42"), overcounted));
    EXPECT_FALSE(valid(QStringLiteral("4a"), overcounted));
}

} // namespace
