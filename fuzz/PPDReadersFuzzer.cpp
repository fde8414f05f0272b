// Feeds arbitrary bytes as a PPD file to libcups and, when it reads them, runs the plug-in's
// PPD readers over every option, choice, constraint and attribute: the constraint builders,
// the choice lists, titles and defaults, the display texts of the labels, the scope records
// and marking. Each must finish without a fault; the cheap invariants of their contracts
// (item counts, terminated texts, scope bounds) are checked too.
#include <ConstraintBuilders.h>
#include <DisplayText.h>
#include <PPDChoiceList.h>
#include <PPDEncoding.h>
#include <PPDMarking.h>
#include <TamarinScopeInfo.h>

#include <CFArray.h>
#include <CFRef.h>

#include <cups/ppd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

// The PPD interface of libcups is marked deprecated; the plug-in reads PPDs with it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr int kMaxOptions = 64; // keeps the m * n constraint entries and markings small

void check(bool condition) {
    if (!condition) std::abort();
}

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

// The bytes read by libcups from an in-memory file; null when it refuses them.
PPDFile openPPD(const uint8_t* data, size_t size) {
    const int fd = memfd_create("ppd", 0);
    if (fd < 0) return nullptr;
    if (write(fd, data, size) != ssize_t(size) || lseek(fd, 0, SEEK_SET) != 0) {
        close(fd);
        return nullptr;
    }
    cups_file_t* file = cupsFileOpenFd(fd, "r");
    if (!file) {
        close(fd);
        return nullptr;
    }
    PPDFile ppd(ppdOpen2(file));
    cupsFileClose(file); // closes the descriptor too
    return ppd;
}

void buildConstraints(ppd_file_t* ppd, ConstraintTable& table) {
    for (int index = 0; index < ppd->num_consts; ++index) {
        const ppd_const_t& constraint = ppd->consts[index];
        const bool choice1 = constraint.choice1[0] != '\0';
        const bool choice2 = constraint.choice2[0] != '\0';
        if (choice1 && choice2)
            xConst2Hash_O1C1O2C2(ppd, &table, index);
        else if (choice1)
            xConst2Hash_O1C1O2(ppd, &table, index);
        else if (choice2)
            xConst2Hash_O1O2C2(ppd, &table, index);
        else
            xConst2Hash_O1O2(ppd, &table, index);
    }
}

// The display length and UTF-16 form of the text must agree: the form ends with its 0 unit
// within the length plus one units.
void checkDisplayText(const char* text) {
    const int length = GetControlLength(text);
    check(length >= 0);
    std::vector<UniChar> units(size_t(length) + 1, 0xFFFF);
    if (!ConvertUTF8ToUnicode(text, units.data())) return;
    if (text[0] == '\0') return;
    bool terminated = false;
    for (const UniChar unit : units)
        if (unit == 0) terminated = true;
    check(terminated);
}

void readOption(ppd_file_t* ppd, const ConstraintTable& table, const ppd_option_t& option) {
    const CFRef<CFMutableArrayRef> items(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    SInt16 count = 0;
    check(GetUIListFromPPD(ppd, &table, option.keyword, items.get(), &count) == 0);
    check(CFArrayGetCount(items.get()) == count);
    check(InitializeValueFromPPD(ppd, &table, items.get(), option.keyword) == 1);

    CFStringRef title = nullptr;
    check(GetUITitleFromPPD(ppd, option.keyword, &title) == 0);
    if (title) {
        const CFRef<CFStringRef> cut(CFStringCreateWithCopyCut(title, 8));
        check(cut && CFStringGetLength(cut.get()) <= 8);
        CFRelease(title);
    }
    CFStringRef defaultChoice = nullptr;
    check(GetUIDefaultFromPPD(ppd, option.keyword, &defaultChoice) == 0);
    if (defaultChoice) CFRelease(defaultChoice);

    checkDisplayText(option.text);
    for (int index = 0; index < option.num_choices; ++index) {
        const ppd_choice_t& choice = option.choices[index];
        checkDisplayText(choice.text);
        const CFRef<CFStringRef> label(CreateStringFromPPDText(ppd, choice.text));
        PPDMarkOption(ppd, &table, option.keyword, choice.choice);
        IsPPDChoiceConflicted(ppd, &table, option.keyword, choice.choice);
    }
    PPDMarkOption(ppd, &table, option.keyword, "Custom.100x200");
}

void checkScope(const TamarinScopeInfo* info) {
    for (const TamarinScopeList& half : info->halves) {
        check(half.count >= 0 && half.count <= kTamarinScopeMaxPairs);
        for (int index = 0; index < half.count; ++index) {
            const TamarinScopeRange& range = half.ranges[index];
            check(range.low >= 0 && range.low <= range.high && range.high <= 65535);
        }
    }
    check(std::memcmp(&info->halves[0], &info->halves[1], sizeof info->halves[0]) == 0);
}

} // namespace

// libcups' reader itself keeps a few bytes when a PPD repeats a keyword such as
// *LanguageEncoding (it overwrites its copy); that leak is libcups', not the readers'.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:_ppdOpen\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384) return 0;
    const PPDFile ppd = openPPD(data, size);
    if (!ppd) return 0;

    CFStringEncoding encoding = 0;
    GetCFStringEncodingFromPPD(ppd.get(), &encoding);

    ConstraintTable table;
    buildConstraints(ppd.get(), table);

    int options = 0;
    for (int group = 0; group < ppd->num_groups; ++group)
        for (int index = 0; index < ppd->groups[group].num_options && options < kMaxOptions;
             ++index, ++options)
            readOption(ppd.get(), table, ppd->groups[group].options[index]);

    for (int index = 0; index < ppd->num_attrs && index < kMaxOptions; ++index)
        if (TamarinScopeInfo* info =
                CopyTamarinScopeInfoFromPPD(ppd.get(), ppd->attrs[index]->name)) {
            checkScope(info);
            std::free(info);
        }
    return 0;
}
