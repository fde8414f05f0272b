// The static definition records that controls are built from. Every window's records live in
// static storage for the life of the plug-in and are shared by reference; a control keeps
// pointers to them and never frees them. Texts are localisation keys of the plug-in bundle.
// A control is identified by the toolbox's ControlID (signature, id), equal when both are.
#pragma once

#include <CFBase.h>
#include <Controls.h>

// How a control's value is read, written and stored.
struct ControlAccessInfo {
    OSType getTag;               // control-data tag reading a text control's text ('cfst', 'text')
    OSType setTag;               // control-data tag writing it
    CFStringRef preferencesUser; // set to the current user once, when the plug-in is loaded
    CFStringRef ticketKey;       // null: the value is not kept in the print-settings ticket
    CFStringRef preferenceKey;   // null: the value is not remembered in the preferences
};

// A null-terminated list of the controls (of the same panel or its child windows) that depend
// on one value of a control.
typedef const ControlID* const* ConstrainList;
// One constraint list per value index of a control (popup: item - 1; check box: 0 or 1); a
// null entry means nothing depends on that value. A PPD may give a popup more choices than its
// array has entries, so the arrays are read only below the record's value count.
typedef const ConstrainList* ConstrainArray;

struct ConstrainInfo {
    ConstrainArray disableArray; // controls disabled while the control has the value
    ConstrainArray hideArray;    // controls hidden while the control has the value
    ConstrainArray updateArray;  // controls whose Update() runs when the value changes
    const void* reserved;        // always null
    UInt32 valueCount;           // entries in each of the three arrays
};

// The array's list of the value index; null without an array and for an index outside the
// record's value count (nothing depends on such a value).
inline ConstrainList ConstrainListOfValue(const ConstrainInfo& info, ConstrainArray array,
                                          SInt32 index) {
    return array && index >= 0 && UInt32(index) < info.valueCount ? array[index] : nullptr;
}

// Inclusive character-code ranges; only the first count of them are read.
constexpr UInt32 kInputFilterMaxRanges = 20;
struct InputFilterRange {
    UInt32 low;
    UInt32 high;
};
struct InputFilterData {
    UInt32 count; // 0 to kInputFilterMaxRanges
    InputFilterRange ranges[kInputFilterMaxRanges];
};

// Input rules of a text field.
struct TextEditFilterData {
    InputFilterData keyRanges;     // characters that may be typed
    InputFilterData textRanges;    // characters the whole text may hold when it is validated
    ControlKeyFilterUPP keyFilter; // installed on the field; null for none
    CFStringRef errorMessageKey;   // message shown when the text is invalid
    UInt32 reserved[4];
};

constexpr size_t kTextEditIniTextSize = 256;
struct TextEditIniData {
    char reserved[kTextEditIniTextSize];
    char defaultText[kTextEditIniTextSize]; // NUL-terminated UTF-8
    SInt32 minimumLength;                   // smallest accepted length of a non-empty text
    SInt32 maximumLength;                   // largest accepted length; also the typing limit
};

struct ListPopupIniData {
    SInt32 reserved;
    SInt32 defaultValue;              // 1-based item; PPD lists overwrite it with the PPD's default
    SInt32 initialValue;              // initial UI value
    const CFStringRef* itemTitleKeys; // null-terminated; null for none
};

struct CheckBoxIniData {
    SInt32 reserved;
    SInt32 defaultValue; // 0 or 1
    SInt32 initialValue; // initial UI value; -1 means no previous value
    CFStringRef titleKey;
};

struct TabViewIniData {
    SInt32 reserved;
    SInt32 initialTab; // 1-based
    SInt32 reserved2;
    const CFStringRef* tabTitleKeys; // null-terminated
};

// One column of a list view; a table of them ends with kBrowseListColumnsEnd.
constexpr OSType kBrowseListColumnsEnd = FOUR_CHAR_CODE("----");
struct BrowseListColumn {
    OSType propertyID;
    CFStringRef titleKey;
};
struct BrowseListViewIniData {
    UInt32 reserved[3];
    const BrowseListColumn* columns;
};
