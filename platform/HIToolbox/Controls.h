// Controls: the widgets of a window, found by ControlID (the widget's objectName is the
// signature's four characters, "_", then the id: 'snte', 403 is "snte_403").
//
// Kinds: push button (QPushButton; its command in the dynamic property "command"), check box
// (QCheckBox), static text (QLabel), edit text (QLineEdit), popup button (QComboBox), group
// box (QGroupBox), tab view (QTabWidget, its panes as sub-controls), clock (QTimeEdit), data
// browser (QTreeView, HIDataBrowser.h) and user pane (any other QWidget).
//
// Values are 32-bit with a minimum and a maximum; every setter clamps. The 16-bit forms take
// and give the value as SInt16 (clamped to its range). A popup's value is its 1-based item, a
// tab view's its 1-based tab, a check box's 0 (off), 1 (on) or 2 (mixed). Visibility,
// activation and enabling are independent states; a control is usable when active and enabled.
// Bounds are in the coordinates of the control's window.
//
// A null or disposed control gives errUnknownControl (or a neutral result for calls without a
// status).
#pragma once

#include "MacMemory.h"
#include "MacWindows.h"

extern "C" {

struct ControlID {
    OSType signature;
    SInt32 id;
};

typedef SInt16 ControlPartCode;
typedef SInt16 ControlFocusPart;

enum : ControlPartCode {
    kControlEntireControl = 0,
    kControlNoPart = 0,
    kControlMenuPart = 2,
    kControlEditTextPart = 5,
    kControlClockPart = 8,
    kControlButtonPart = 10,
    kControlCheckBoxPart = 11,
};

enum : ControlFocusPart {
    kControlFocusNoPart = 0,
};

// Control data tags.
enum : ResType {
    kControlEditTextCFStringTag = FOUR_CHAR_CODE("cfst"), // CFStringRef; Get gives a copy
    kControlStaticTextCFStringTag = FOUR_CHAR_CODE("cfst"),
    // The text in the legacy encoding whose byte count is the display length: one byte per
    // UTF-16 unit up to U+00FF (its Latin-1 byte), two for every other unit (its value, high
    // byte first). Text set through this tag is read as UTF-8 when it is valid UTF-8, else as
    // Latin-1.
    kControlEditTextTextTag = FOUR_CHAR_CODE("text"),
    kControlStaticTextTextTag = FOUR_CHAR_CODE("text"),
    kControlEditTextKeyFilterTag = FOUR_CHAR_CODE("fltr"), // ControlKeyFilterUPP
    kControlKeyFilterTag = FOUR_CHAR_CODE("fltr"),
    kControlEditTextValidationProcTag = FOUR_CHAR_CODE("vali"), // ControlEditTextValidationUPP
    kControlClockLongDateTag = FOUR_CHAR_CODE("date"),          // LongDateRec
    kControlTabInfoTag = FOUR_CHAR_CODE("tabi"), // ControlTabInfoRecV1; the part is the tab
};

// A key filter sees every key typed into an edit text before the field does. It may change
// the character code (the field then receives the new character).
typedef SInt16 ControlKeyFilterResult;
enum : ControlKeyFilterResult {
    kControlKeyFilterBlockKey = 0,
    kControlKeyFilterPassKey = 1,
};
typedef ControlKeyFilterResult (*ControlKeyFilterProcPtr)(ControlRef control, SInt16* keyCode,
                                                          SInt16* charCode,
                                                          EventModifiers* modifiers);
typedef ControlKeyFilterProcPtr ControlKeyFilterUPP;

// Called after every change of an edit text's text by the user (typing, pasting, deleting).
typedef void (*ControlEditTextValidationProcPtr)(ControlRef control);
typedef ControlEditTextValidationProcPtr ControlEditTextValidationUPP;

// Carbon character codes of the keys that have no printable character.
enum : SInt16 {
    kHomeCharCode = 1,
    kEnterCharCode = 3,
    kEndCharCode = 4,
    kBackspaceCharCode = 8,
    kTabCharCode = 9,
    kPageUpCharCode = 11,
    kPageDownCharCode = 12,
    kReturnCharCode = 13,
    kEscapeCharCode = 27,
    kLeftArrowCharCode = 28,
    kRightArrowCharCode = 29,
    kUpArrowCharCode = 30,
    kDownArrowCharCode = 31,
    kDeleteCharCode = 127,
};

// The clock's date record: 14 signed 16-bit fields (28 bytes).
struct LongDateRec {
    SInt16 era, year, month, day, hour, minute, second, dayOfWeek, dayOfYear, weekOfYear, pm, res1,
        res2, res3;
};

enum : SInt16 { kControlTabInfoVersionOne = 1 };
struct ControlTabInfoRecV1 {
    SInt16 version; // kControlTabInfoVersionOne
    SInt16 iconSuiteID;
    CFStringRef name; // Set copies it; Get gives a copy the caller releases
};

// The control of the window with the ID; errUnknownControl when none has it.
OSStatus GetControlByID(WindowRef window, const ControlID* id, ControlRef* outControl);
WindowRef GetControlOwner(ControlRef control); // null for a stale control
// Moves the control into the container (possibly of another window), keeping its bounds
// numbers and its visibility.
OSErr EmbedControl(ControlRef control, ControlRef container);
OSErr CountSubControls(ControlRef control, UInt16* outCount);
// 1-based; paramErr outside 1...count.
OSErr GetIndexedSubControl(ControlRef control, UInt16 index, ControlRef* outSubControl);

OSErr SetControlVisibility(ControlRef control, Boolean visible, Boolean draw);
void ShowControl(ControlRef control);
void HideControl(ControlRef control);
Boolean IsControlVisible(ControlRef control); // the control's own state, not its window's
OSErr ActivateControl(ControlRef control);
OSErr DeactivateControl(ControlRef control);
Boolean IsControlActive(ControlRef control);
OSStatus EnableControl(ControlRef control);
OSStatus DisableControl(ControlRef control);
Boolean IsControlEnabled(ControlRef control);
void Draw1Control(ControlRef control); // schedules a repaint

Rect* GetControlBounds(ControlRef control, Rect* outBounds); // zeroes it for a stale control
void SetControlBounds(ControlRef control, const Rect* bounds);

OSStatus SetControlTitleWithCFString(ControlRef control, CFStringRef title);

SInt16 GetControlValue(ControlRef control);
void SetControlValue(ControlRef control, SInt16 value);
void SetControlMinimum(ControlRef control, SInt16 minimum);
SInt16 GetControlMaximum(ControlRef control);
void SetControlMaximum(ControlRef control, SInt16 maximum);
SInt32 GetControl32BitValue(ControlRef control);
void SetControl32BitValue(ControlRef control, SInt32 value);
SInt32 GetControl32BitMinimum(ControlRef control);
void SetControl32BitMinimum(ControlRef control, SInt32 minimum);
SInt32 GetControl32BitMaximum(ControlRef control);
void SetControl32BitMaximum(ControlRef control, SInt32 maximum);

// Control data by tag (above). errDataNotSupported for a tag the control's kind does not
// take; errDataSizeMismatch when the size does not fit the tag's type. GetControlData copies
// at most bufferSize bytes and gives the full size in outActualSize.
OSErr SetControlData(ControlRef control, ControlPartCode part, ResType tag, Size size,
                     const void* data);
OSErr GetControlData(ControlRef control, ControlPartCode part, ResType tag, Size bufferSize,
                     void* buffer, Size* outActualSize);
OSErr GetControlDataSize(ControlRef control, ControlPartCode part, ResType tag, Size* outSize);

// Properties: the caller's bytes under (creator, tag).
OSStatus SetControlProperty(ControlRef control, OSType creator, OSType tag, ByteCount size,
                            const void* data);
// controlPropertyNotFoundErr when absent; copies at most bufferSize bytes.
OSStatus GetControlProperty(ControlRef control, OSType creator, OSType tag, ByteCount bufferSize,
                            ByteCount* outActualSize, void* buffer);
OSStatus GetControlPropertySize(ControlRef control, OSType creator, OSType tag, ByteCount* outSize);

void SetControlReference(ControlRef control, SRefCon data);
SRefCon GetControlReference(ControlRef control);

// Gives the control of the window the keyboard focus.
OSErr SetKeyboardFocus(WindowRef window, ControlRef control, ControlFocusPart part);

// The popup button's menu; null for another kind of control.
MenuRef GetControlPopupMenuHandle(ControlRef control);
}
