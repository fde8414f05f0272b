// The constraint table: which PPD choices conflict with which. A key names one choice as
// "<option keyword>:<choice keyword>" (no blanks, e.g. "PageSize:A4"); its value is the
// position of a choice that, while marked, makes the keyed choice conflicted. Keys compare
// byte-wise and case-sensitively; one key may hold any number of entries, an insertion always
// adds one and a look-up (equal_range) yields every entry of the key.
#pragma once

#include <MacTypes.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

// Position of a choice in the PPD's option tree: top-level group index (`groups` of the
// ppd_file_t), option index in that group, choice index in that option.
struct x_constraints {
    UInt16 group;
    UInt16 option;
    UInt16 choice;
};

// The table's hash: h = 5 * h + b for each byte b up to the first NUL, b taken as a signed
// 8-bit value, in unsigned 32-bit arithmetic ("A" is 65, "AB" 391).
struct nvHash {
    static UInt32 hash(std::string_view key);
    std::size_t operator()(const std::string& key) const { return hash(key); }
};

// The table made by the plug-in instance, shared by pointer by the pane and its child windows.
class ConstraintTable : public std::unordered_multimap<std::string, x_constraints, nvHash> {
  public:
    static constexpr std::size_t kSizeHint = 100;

    ConstraintTable() : unordered_multimap(kSizeHint) {}
};
