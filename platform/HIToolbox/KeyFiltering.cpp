// Key presses of an edit text: first the Unicode-for-key text input event (a handler that
// takes it consumes the key), then the control's key filter (which may block the key or change
// its character), then the field itself. Tab moves the keyboard focus, as the window's standard
// handling does, without reaching the field.
#include "MacErrors.h"
#include "Private/ControlBehaviour.h"
#include "Private/EventSending.h"
#include "Private/KeyMapping.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace hitoolbox {
namespace {

class KeyFilterBridge : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int pressed = static_cast<QKeyEvent*>(event)->key();
        if (pressed == Qt::Key_Tab || pressed == Qt::Key_Backtab) return false;
        auto* field = qobject_cast<QLineEdit*>(watched);
        ControlRef control = field ? controlForWidget(field, false) : nullptr;
        CarbonKey key;
        if (!control || !toCarbonKey(*static_cast<QKeyEvent*>(event), key)) return false;
        if (sendUnicodeKey(control, key.text) != eventNotHandledErr) return true;
        if (!liveControl(control) || !control->keyFilter) return false;
        SInt16 keyCode = key.keyCode;
        SInt16 charCode = key.charCode;
        EventModifiers modifiers = key.modifiers;
        if (control->keyFilter(control, &keyCode, &charCode, &modifiers) ==
            kControlKeyFilterBlockKey)
            return true;
        if (charCode != key.charCode && charCode >= 0x20 && liveControl(control)) {
            field->insert(QString(QChar(char16_t(charCode))));
            return true;
        }
        return false;
    }
};

} // namespace

void attachKeyFiltering(ControlRef control) {
    control->widget->installEventFilter(new KeyFilterBridge(control->widget));
}

} // namespace hitoolbox
