// PPD choice items of one option and the conflict test of a choice.
#include "PPDChoiceList.h"

#include "PPDEncoding.h"

#include <CFRef.h>

#include <cstdint>
#include <string>

namespace {

// The choice at (group, option, choice) of the PPD's top-level groups; null outside them.
const ppd_choice_t* choiceAt(const ppd_file_t& ppd, const x_constraints& position) {
    if (!ppd.groups || position.group >= ppd.num_groups) return nullptr;
    const ppd_group_t& group = ppd.groups[position.group];
    if (!group.options || position.option >= group.num_options) return nullptr;
    const ppd_option_t& option = group.options[position.option];
    if (!option.choices || position.choice >= option.num_choices) return nullptr;
    return &option.choices[position.choice];
}

// A new PPD choice item; null when a string cannot be made.
CFArrayRef createChoiceItem(ppd_file_t* ppd, const ConstraintTable* table,
                            const char* optionKeyword, const ppd_option_t& option,
                            const ppd_choice_t& choice) {
    const CFRef<CFStringRef> keyword(
        CFStringCreateWithCString(nullptr, option.keyword, kCFStringEncodingUTF8));
    const CFRef<CFStringRef> choiceKeyword(
        CFStringCreateWithCString(nullptr, choice.choice, kCFStringEncodingUTF8));
    CFRef<CFStringRef> label(CreateStringFromPPDText(ppd, choice.text));
    if (!label) label = choiceKeyword;
    const CFRef<CFStringRef> flag(CFStringCreateWithCString(
        nullptr,
        IsPPDChoiceConflicted(ppd, table, optionKeyword, choice.choice) ? kConflictTrue
                                                                        : kConflictFalse,
        kCFStringEncodingUTF8));
    if (!keyword || !choiceKeyword || !label || !flag) return nullptr;
    const void* strings[] = {keyword.get(), choiceKeyword.get(), label.get(), flag.get()};
    return CFArrayCreate(nullptr, strings, 4, &kCFTypeArrayCallBacks);
}

} // namespace

bool IsPPDChoiceConflicted(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                           const char* choiceKeyword) {
    if (!ppd || !table || !optionKeyword || !choiceKeyword || table->empty()) return false;
    const auto [first, last] = table->equal_range(std::string(optionKeyword) + ":" + choiceKeyword);
    for (auto entry = first; entry != last; ++entry) {
        const ppd_choice_t* choice = choiceAt(*ppd, entry->second);
        if (choice && choice->marked) return true;
    }
    return false;
}

OSStatus GetUIListFromPPD(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                          CFMutableArrayRef items, SInt16* count) {
    if (!ppd || !items || !optionKeyword) return noErr;
    const ppd_option_t* option = ppdFindOption(ppd, optionKeyword);
    if (!option || !option->choices) return noErr;
    for (int index = 0; index < option->num_choices; ++index) {
        if (count && *count == INT16_MAX) break;
        const CFRef<CFArrayRef> item(
            createChoiceItem(ppd, table, optionKeyword, *option, option->choices[index]));
        if (!item) continue;
        CFArrayAppendValue(items, item.get());
        if (count) ++*count;
    }
    return noErr;
}

int InitializeValueFromPPD(ppd_file_t* ppd, const ConstraintTable* table, CFMutableArrayRef items,
                           const char* optionKeyword) {
    if (ppd && optionKeyword && ppdFindOption(ppd, optionKeyword)) {
        SInt16 count = 0;
        GetUIListFromPPD(ppd, table, optionKeyword, items, &count);
    }
    return 1;
}
