// Filling the constraint table from the PPD's constraints.
#include "ConstraintBuilders.h"

#include <string>

#include <strings.h>

namespace {

// One option of the PPD with its position among the top-level groups.
struct LocatedOption {
    const ppd_option_t& option;
    UInt16 group;
    UInt16 index;
};

// Calls visit(LocatedOption) for every option whose keyword equals keyword without regard to
// case, in walk order, until visit returns false.
template <class Visit>
void forEachOptionNamed(const ppd_file_t& ppd, const char* keyword, Visit visit) {
    for (int group = 0; group < ppd.num_groups; ++group) {
        const ppd_group_t& options = ppd.groups[group];
        for (int index = 0; index < options.num_options; ++index) {
            if (strcasecmp(options.options[index].keyword, keyword) != 0) continue;
            if (!visit(LocatedOption{options.options[index], UInt16(group), UInt16(index)})) return;
        }
    }
}

// The index of the option's first choice named choice without regard to case; -1 when none.
int findChoice(const ppd_option_t& option, const char* choice) {
    for (int index = 0; index < option.num_choices; ++index)
        if (strcasecmp(option.choices[index].choice, choice) == 0) return index;
    return -1;
}

// Calls visit(choice index) for each eligible choice of the option, in order.
template <class Visit> void forEachEligibleChoice(const ppd_option_t& option, Visit visit) {
    for (int index = 1; index < option.num_choices; ++index) {
        const char* keyword = option.choices[index].choice;
        if (strcasecmp(keyword, "None") != 0 && strcasecmp(keyword, "Off") != 0 &&
            strcasecmp(keyword, "False") != 0)
            visit(index);
    }
}

std::string keyOf(const char* option, const char* choice) {
    return std::string(option) + ":" + choice;
}

// The constraint at index, or null when there is none.
const ppd_const_t* constraintAt(const ppd_file_t* ppd, const ConstraintTable* table, SInt32 index) {
    if (!ppd || !table || !ppd->consts || index < 0 || index >= ppd->num_consts) return nullptr;
    return &ppd->consts[index];
}

// The position of choice 1 in the first option 1 that has it; false when no option 1 has it.
bool locateChoice1(const ppd_file_t& ppd, const ppd_const_t& constraint, x_constraints& found) {
    bool located = false;
    forEachOptionNamed(ppd, constraint.option1, [&](const LocatedOption& option1) {
        const int choice = findChoice(option1.option, constraint.choice1);
        if (choice < 0) return true;
        found = x_constraints{option1.group, option1.index, UInt16(choice)};
        located = true;
        return false;
    });
    return located;
}

// For each eligible choice of the first option 2 (every option 2 when all is true), an entry
// keyed by that option's keyword and the choice's, with the value position.
void addEligibleOption2Keys(const ppd_file_t& ppd, ConstraintTable& table, const char* option2,
                            const x_constraints& position, bool all) {
    forEachOptionNamed(ppd, option2, [&](const LocatedOption& located) {
        forEachEligibleChoice(located.option, [&](int choice) {
            table.insert(
                {keyOf(located.option.keyword, located.option.choices[choice].choice), position});
        });
        return all;
    });
}

} // namespace

void xConst2Hash_O1C1O2C2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex) {
    const ppd_const_t* constraint = constraintAt(ppd, table, constraintIndex);
    x_constraints position{};
    if (constraint && locateChoice1(*ppd, *constraint, position))
        table->insert({keyOf(constraint->option2, constraint->choice2), position});
}

void xConst2Hash_O1C1O2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex) {
    const ppd_const_t* constraint = constraintAt(ppd, table, constraintIndex);
    x_constraints position{};
    if (constraint && locateChoice1(*ppd, *constraint, position))
        addEligibleOption2Keys(*ppd, *table, constraint->option2, position, false);
}

void xConst2Hash_O1O2C2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex) {
    const ppd_const_t* constraint = constraintAt(ppd, table, constraintIndex);
    if (!constraint) return;
    const std::string key = keyOf(constraint->option2, constraint->choice2);
    forEachOptionNamed(*ppd, constraint->option1, [&](const LocatedOption& option1) {
        forEachEligibleChoice(option1.option, [&](int choice) {
            table->insert({key, x_constraints{option1.group, option1.index, UInt16(choice)}});
        });
        return false;
    });
}

void xConst2Hash_O1O2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex) {
    const ppd_const_t* constraint = constraintAt(ppd, table, constraintIndex);
    if (!constraint) return;
    forEachOptionNamed(*ppd, constraint->option1, [&](const LocatedOption& option1) {
        forEachEligibleChoice(option1.option, [&](int choice) {
            addEligibleOption2Keys(*ppd, *table, constraint->option2,
                                   x_constraints{option1.group, option1.index, UInt16(choice)},
                                   true);
        });
        return true;
    });
}
