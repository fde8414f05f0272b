// The scope record: up to 20 inclusive ranges of 0..65535 read from one PPD attribute whose
// value lists numbers alternately as low and high bounds ("1-10 20-30").
#pragma once

#include <MacTypes.h>

#include <cups/ppd.h>

constexpr int kTamarinScopeMaxPairs = 20;

struct TamarinScopeRange {
    SInt32 low;
    SInt32 high;
};

struct TamarinScopeList {
    SInt32 count; // complete pairs
    TamarinScopeRange ranges[kTamarinScopeMaxPairs];
};

// Two identical halves, in one zero-filled heap block.
struct TamarinScopeInfo {
    TamarinScopeList halves[2];
};

// A new record (the caller frees it with free) from the value of the PPD's attribute of that
// name, or null: no PPD, name or attribute, no memory, a number outside 0..65535, a high bound
// below its low bound, or numbers left after the 20th pair. Each number is read as strtol
// reads it and is followed by one separator character of any kind; a character that is no
// number reads as 0. A trailing low bound without its high bound is kept in the next pair but
// not counted.
TamarinScopeInfo* CopyTamarinScopeInfoFromPPD(ppd_file_t* ppd, const char* attributeName);
