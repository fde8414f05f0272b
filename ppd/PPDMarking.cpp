// Marking a PPD choice through libcups, answering from the constraint table.
#include "PPDMarking.h"

#include "PPDChoiceList.h"

#include <string>

#include <strings.h>

bool PPDMarkOption(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                   const char* choiceKeyword) {
    if (!ppd || !optionKeyword || !choiceKeyword) return false;
    const char* choice = choiceKeyword;
    if (strcasecmp(optionKeyword, "PageSize") == 0 && strncasecmp(choice, "Custom.", 7) == 0) {
        // libcups reads the size only after the prefix spelled exactly "Custom.".
        ppdPageSize(ppd, (std::string("Custom.") + (choice + 7)).c_str());
        choice = "Custom";
    }
    ppd_option_t* option = ppdFindOption(ppd, optionKeyword);
    if (!option) return false;
    // Only a choice the option has is marked; libcups would also take "Custom.<value>" for
    // options with custom parameters, which this marking does not set.
    if (ppdFindChoice(option, choice)) ppdMarkOption(ppd, option->keyword, choice);
    return IsPPDChoiceConflicted(ppd, table, optionKeyword, choice);
}
