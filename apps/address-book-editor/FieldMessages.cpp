#include "FieldMessages.h"

#include "QrolText.h"

#include <QCoreApplication>

namespace {

QString fieldName(qrol::EntryField field) {
    switch (field) {
    case qrol::EntryField::Name:
        return QCoreApplication::translate("FieldMessages", "name");
    case qrol::EntryField::Number:
        return QCoreApplication::translate("FieldMessages", "fax number");
    case qrol::EntryField::Company:
        return QCoreApplication::translate("FieldMessages", "company");
    case qrol::EntryField::Memo:
        return QCoreApplication::translate("FieldMessages", "memo");
    }
    return {};
}

} // namespace

QString fieldRefusal(qrol::EntryField field, const QString& text) {
    const auto check = qrol::checkField(field, utf16Units(text));
    switch (check.problem) {
    case qrol::FieldProblem::None:
        return {};
    case qrol::FieldProblem::Empty:
        return QCoreApplication::translate("FieldMessages", "The %1 is required.")
            .arg(fieldName(field));
    case qrol::FieldProblem::TooLong:
        return QCoreApplication::translate("FieldMessages",
                                           "The %1 can have at most %2 characters.")
            .arg(fieldName(field))
            .arg(qrol::fieldLimit(field));
    case qrol::FieldProblem::BadCharacter:
        return QCoreApplication::translate(
                   "FieldMessages",
                   "The fax number can hold digits, spaces and + - ( ) # * only, not \"%1\".")
            .arg(QChar(check.character));
    }
    return {};
}
