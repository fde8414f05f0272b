// What an address-book entry's texts may hold, for everything that makes or edits entries
// (the editor, its import). Lengths count UTF-16 units, as the records do.
#pragma once

#include <cstddef>
#include <string_view>

namespace qrol {

enum class EntryField { Name, Number, Company, Memo };

enum class FieldProblem {
    None,
    Empty,        // a name or number is required
    TooLong,      // more units than the field's limit
    BadCharacter, // a number holds something other than digits and dialling characters
};

struct FieldCheck {
    FieldProblem problem = FieldProblem::None;
    char16_t character = 0; // the first refused character (BadCharacter)
};

// The most units a field holds: name 32, number 50, company 64, memo 254 (the records' room).
size_t fieldLimit(EntryField field);

// Names and numbers must not be empty; numbers hold digits, "+", space, "-", "(", ")", "#"
// and "*" only; every field keeps within its limit.
FieldCheck checkField(EntryField field, std::u16string_view text);

} // namespace qrol
