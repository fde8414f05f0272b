#include "KeyMapping.h"

#include <QKeyEvent>

namespace hitoolbox {
namespace {

struct SpecialKey {
    int qtKey;
    SInt16 charCode;
    SInt16 keyCode;
};

constexpr SpecialKey specialKeys[] = {
    {Qt::Key_Left, kLeftArrowCharCode, 0x7B},
    {Qt::Key_Right, kRightArrowCharCode, 0x7C},
    {Qt::Key_Down, kDownArrowCharCode, 0x7D},
    {Qt::Key_Up, kUpArrowCharCode, 0x7E},
    {Qt::Key_Backspace, kBackspaceCharCode, 0x33},
    {Qt::Key_Delete, kDeleteCharCode, 0x75},
    {Qt::Key_Return, kReturnCharCode, 0x24},
    {Qt::Key_Enter, kEnterCharCode, 0x4C},
    {Qt::Key_Tab, kTabCharCode, 0x30},
    {Qt::Key_Backtab, kTabCharCode, 0x30},
    {Qt::Key_Escape, kEscapeCharCode, 0x35},
    {Qt::Key_Home, kHomeCharCode, 0x73},
    {Qt::Key_End, kEndCharCode, 0x77},
    {Qt::Key_PageUp, kPageUpCharCode, 0x74},
    {Qt::Key_PageDown, kPageDownCharCode, 0x79},
};

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_CapsLock || key == Qt::Key_AltGr;
}

EventModifiers carbonModifiers(Qt::KeyboardModifiers modifiers) {
    EventModifiers result = 0;
    if (modifiers & Qt::ControlModifier) result |= cmdKey;
    if (modifiers & Qt::ShiftModifier) result |= shiftKey;
    if (modifiers & Qt::AltModifier) result |= optionKey;
    if (modifiers & Qt::MetaModifier) result |= controlKey;
    return result;
}

} // namespace

bool toCarbonKey(const QKeyEvent& event, CarbonKey& key) {
    if (isModifierKey(event.key())) return false;
    key.modifiers = carbonModifiers(event.modifiers());
    for (const SpecialKey& special : specialKeys)
        if (special.qtKey == event.key()) {
            key.charCode = special.charCode;
            key.keyCode = special.keyCode;
            key.text = QString(QChar(special.charCode));
            return true;
        }
    // With the command key Qt gives a control character; Carbon gives the letter itself.
    if ((key.modifiers & cmdKey) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        const char base = (key.modifiers & shiftKey) ? 'A' : 'a';
        key.text = QString(QChar(base + (event.key() - Qt::Key_A)));
    } else if (!event.text().isEmpty()) {
        key.text = event.text();
    } else if (event.key() < 0x80) {
        key.text = QString(QChar(event.key()));
    } else {
        return false;
    }
    key.charCode = SInt16(key.text.at(0).unicode());
    return true;
}

} // namespace hitoolbox
