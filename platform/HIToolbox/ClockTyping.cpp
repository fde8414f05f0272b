// Typing into a clock control, as into the Mac's: digits fill the chosen section (hour or
// minute) from the right, and a section that can take no further digit hands on to the next
// one; Backspace takes the section's last digit away; Left, Right and ":" move between the
// sections; Up and Down step as before. Any other character is refused with a beep.
#include "Dialogs.h"
#include "Private/ControlBehaviour.h"

#include <QDateTimeEdit>
#include <QKeyEvent>

#include <array>

namespace hitoolbox {
namespace {

class ClockTyping : public QObject {
  public:
    explicit ClockTyping(QDateTimeEdit* clock) : QObject(clock), clock_(clock) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)
            forgetTyped(); // a section chosen anew starts empty
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QDateTimeEdit::Section section = clock_->currentSection();
        const int largest = largestValue(section);
        if (largest < 0) return false; // a date section: Qt's own editing
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            setSection(section, value(section) / 10);
            forgetTyped();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Colon:
            moveBy(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            forgetTyped();
            return false;
        default:
            break;
        }
        const QString text = key->text();
        if (text.size() != 1 || !text[0].isPrint()) return false; // Tab, Return, shortcuts
        if (!text[0].isDigit()) {
            SysBeep(10);
            return true;
        }
        typeDigit(section, text[0].digitValue(), largest);
        return true;
    }

  private:
    static int largestValue(QDateTimeEdit::Section section) {
        switch (section) {
        case QDateTimeEdit::HourSection:
            return 23;
        case QDateTimeEdit::MinuteSection:
        case QDateTimeEdit::SecondSection:
            return 59;
        default:
            return -1;
        }
    }

    // The time's hour, minute and second, and the place of a section among them.
    std::array<int, 3> fields() const {
        const QTime time = clock_->time();
        return {time.hour(), time.minute(), time.second()};
    }
    static size_t fieldOf(QDateTimeEdit::Section section) {
        return section == QDateTimeEdit::HourSection     ? 0
               : section == QDateTimeEdit::MinuteSection ? 1
                                                         : 2;
    }

    int value(QDateTimeEdit::Section section) const { return fields()[fieldOf(section)]; }

    void setSection(QDateTimeEdit::Section section, int number) {
        std::array<int, 3> time = fields();
        time[fieldOf(section)] = number;
        clock_->setTime(QTime(time[0], time[1], time[2]));
        clock_->setSelectedSection(section);
    }

    // A digit joins the one typed before in the section while the number stays valid, and
    // starts the section afresh otherwise. After two digits, or when no digit could follow,
    // the next section is chosen.
    void typeDigit(QDateTimeEdit::Section section, int digit, int largest) {
        int number = typed_ * 10 + digit;
        if (digits_ == 0 || number > largest) {
            number = digit;
            digits_ = 0;
        }
        ++digits_;
        typed_ = number;
        setSection(section, number);
        if (digits_ == 2 || number * 10 > largest) moveBy(1);
    }

    void moveBy(int step) {
        const int index = clock_->currentSectionIndex() + step;
        if (index >= 0 && index < clock_->sectionCount()) clock_->setCurrentSectionIndex(index);
        clock_->setSelectedSection(clock_->currentSection());
        forgetTyped();
    }

    void forgetTyped() { typed_ = digits_ = 0; }

    QDateTimeEdit* clock_;
    int typed_ = 0;  // the number typed so far into the current section
    int digits_ = 0; // and how many digits it took
};

} // namespace

void attachClockTyping(ControlRef control) {
    auto* clock = static_cast<QDateTimeEdit*>(control->widget.data());
    clock->installEventFilter(new ClockTyping(clock));
}

} // namespace hitoolbox
