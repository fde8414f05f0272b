#include "QrolFieldRules.h"

#include "QrolKit.h"

namespace qrol {

namespace {

bool isDiallingCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') ||
           std::u16string_view(u"+ -()#*").find(c) != std::u16string_view::npos;
}

} // namespace

size_t fieldLimit(EntryField field) {
    switch (field) {
    case EntryField::Name:
        return kQrolNameFieldSize / 2 - 1;
    case EntryField::Number:
        return kQrolNumberFieldSize / 2 - 1;
    case EntryField::Company:
        return kQrolCompanyFieldSize / 2 - 1;
    case EntryField::Memo:
        return kQrolMemoFieldSize / 2 - 1;
    }
    return 0;
}

FieldCheck checkField(EntryField field, std::u16string_view text) {
    const bool required = field == EntryField::Name || field == EntryField::Number;
    if (required && text.empty()) return {FieldProblem::Empty};
    if (field == EntryField::Number)
        for (char16_t c : text)
            if (!isDiallingCharacter(c)) return {FieldProblem::BadCharacter, c};
    if (text.size() > fieldLimit(field)) return {FieldProblem::TooLong};
    return {};
}

} // namespace qrol
