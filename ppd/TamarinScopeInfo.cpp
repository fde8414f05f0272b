// Reading the scope record from a PPD attribute.
#include "TamarinScopeInfo.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr long kScopeBoundMax = 65535;

// Stores the bound into pair `pair` of both halves.
void storeBound(TamarinScopeInfo& info, int pair, bool isLow, SInt32 bound) {
    for (TamarinScopeList& half : info.halves)
        (isLow ? half.ranges[pair].low : half.ranges[pair].high) = bound;
}

// Fills the record from the text; false when the text breaks a rule.
bool parseScope(const char* text, TamarinScopeInfo& info) {
    const char* const end = text + std::strlen(text);
    int pairs = 0;
    bool expectLow = true;
    for (const char* cursor = text; cursor < end;) {
        char* numberEnd = nullptr;
        const long number = std::strtol(cursor, &numberEnd, 10);
        cursor = numberEnd + 1; // strtol leaves numberEnd at cursor when no number is there
        if (number < 0 || number > kScopeBoundMax) return false;
        if (expectLow) {
            if (pairs == kTamarinScopeMaxPairs) return false;
        } else if (number < info.halves[0].ranges[pairs].low) {
            return false;
        }
        storeBound(info, pairs, expectLow, SInt32(number));
        if (!expectLow) ++pairs;
        expectLow = !expectLow;
    }
    for (TamarinScopeList& half : info.halves)
        half.count = pairs;
    return true;
}

} // namespace

TamarinScopeInfo* CopyTamarinScopeInfoFromPPD(ppd_file_t* ppd, const char* attributeName) {
    if (!ppd || !attributeName) return nullptr;
    const ppd_attr_t* attribute = ppdFindAttr(ppd, attributeName, nullptr);
    if (!attribute) return nullptr;
    auto* info = static_cast<TamarinScopeInfo*>(std::calloc(1, sizeof(TamarinScopeInfo)));
    if (!info) return nullptr;
    if (!parseScope(attribute->value ? attribute->value : "", *info)) {
        std::free(info);
        return nullptr;
    }
    return info;
}
