// Control data by tag: texts, key filters, validation procedures, clock dates, tab titles.
#include "MacErrors.h"
#include "Private/LabelNames.h"
#include "Private/LegacyText.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <cstring>

using hitoolbox::liveControl;

namespace {

bool takesTag(ControlRef control, ResType tag) {
    switch (tag) {
    case kControlEditTextCFStringTag:
    case kControlEditTextTextTag:
        return control->kind == ControlKind::EditText || control->kind == ControlKind::StaticText;
    case kControlEditTextKeyFilterTag:
    case kControlEditTextValidationProcTag:
        return control->kind == ControlKind::EditText;
    case kControlClockLongDateTag:
        return control->kind == ControlKind::Clock;
    case kControlTabInfoTag:
        return control->kind == ControlKind::TabView;
    default:
        return false;
    }
}

QString textOf(ControlRef control) {
    if (auto* field = qobject_cast<QLineEdit*>(control->widget)) return field->text();
    return static_cast<QLabel*>(control->widget.data())->text();
}

void setTextOf(ControlRef control, const QString& text) {
    hitoolbox::changeProgrammatically(control, [&] {
        if (auto* field = qobject_cast<QLineEdit*>(control->widget)) {
            field->setText(text);
            // A read-only field is a display: a text wider than the field is read from its start.
            if (field->isReadOnly()) field->home(false);
        } else {
            hitoolbox::setLabelText(*static_cast<QLabel*>(control->widget.data()), text);
        }
    });
}

LongDateRec longDateOf(const QDateTime& moment) {
    LongDateRec date{};
    date.era = 1;
    date.year = SInt16(moment.date().year());
    date.month = SInt16(moment.date().month());
    date.day = SInt16(moment.date().day());
    date.hour = SInt16(moment.time().hour());
    date.minute = SInt16(moment.time().minute());
    date.second = SInt16(moment.time().second());
    date.dayOfWeek = SInt16(moment.date().dayOfWeek() % 7 + 1); // Sunday is 1
    date.dayOfYear = SInt16(moment.date().dayOfYear());
    date.weekOfYear = SInt16(moment.date().weekNumber());
    date.pm = moment.time().hour() >= 12;
    return date;
}

void setLongDate(ControlRef control, const LongDateRec& date) {
    auto* clock = static_cast<QDateTimeEdit*>(control->widget.data());
    QDateTime moment = clock->dateTime();
    if (QDate day(date.year, date.month, date.day); day.isValid()) moment.setDate(day);
    moment.setTime(QTime(date.hour, date.minute, date.second));
    hitoolbox::changeProgrammatically(control, [&] { clock->setDateTime(moment); });
}

// The bytes that GetControlData gives for the tag; false when the part is not valid.
bool dataOf(ControlRef control, ControlPartCode part, ResType tag, QByteArray& bytes) {
    auto put = [&bytes](const auto& value) {
        bytes = QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
    };
    switch (tag) {
    case kControlEditTextCFStringTag:
        put(hitoolbox::createCFString(textOf(control)));
        return true;
    case kControlEditTextTextTag:
        bytes = hitoolbox::toLegacyText(textOf(control));
        return true;
    case kControlEditTextKeyFilterTag:
        put(control->keyFilter);
        return true;
    case kControlEditTextValidationProcTag:
        put(control->validation);
        return true;
    case kControlClockLongDateTag:
        put(longDateOf(static_cast<QDateTimeEdit*>(control->widget.data())->dateTime()));
        return true;
    case kControlTabInfoTag: {
        auto* tabs = static_cast<QTabWidget*>(control->widget.data());
        if (part < 1 || part > tabs->count()) return false;
        put(ControlTabInfoRecV1{kControlTabInfoVersionOne, 0,
                                hitoolbox::createCFString(tabs->tabText(part - 1))});
        return true;
    }
    default:
        return false;
    }
}

// The size the tag's data must have when it is set; 0 for texts of any length.
Size fixedSizeOf(ResType tag) {
    switch (tag) {
    case kControlEditTextCFStringTag:
        return sizeof(CFStringRef);
    case kControlEditTextKeyFilterTag:
        return sizeof(ControlKeyFilterUPP);
    case kControlEditTextValidationProcTag:
        return sizeof(ControlEditTextValidationUPP);
    case kControlClockLongDateTag:
        return sizeof(LongDateRec);
    case kControlTabInfoTag:
        return sizeof(ControlTabInfoRecV1);
    default:
        return 0;
    }
}

template <class T> T read(const void* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

OSErr setTabInfo(ControlRef control, ControlPartCode part, const ControlTabInfoRecV1& info) {
    auto* tabs = static_cast<QTabWidget*>(control->widget.data());
    if (part < 1 || part > tabs->count() || info.version != kControlTabInfoVersionOne)
        return paramErr;
    tabs->setTabText(part - 1, hitoolbox::toQString(info.name));
    return noErr;
}

} // namespace

OSErr SetControlData(ControlRef control, ControlPartCode part, ResType tag, Size size,
                     const void* data) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if (!takesTag(control, tag)) return errDataNotSupported;
    if (size < 0 || (size && !data)) return paramErr;
    if (Size fixed = fixedSizeOf(tag); fixed && size != fixed) return errDataSizeMismatch;
    switch (tag) {
    case kControlEditTextCFStringTag:
        setTextOf(control, hitoolbox::toQString(read<CFStringRef>(data)));
        return noErr;
    case kControlEditTextTextTag:
        setTextOf(control, hitoolbox::fromLegacyText(
                               QByteArray(static_cast<const char*>(data), qsizetype(size))));
        return noErr;
    case kControlEditTextKeyFilterTag:
        control->keyFilter = read<ControlKeyFilterUPP>(data);
        return noErr;
    case kControlEditTextValidationProcTag:
        control->validation = read<ControlEditTextValidationUPP>(data);
        return noErr;
    case kControlClockLongDateTag:
        setLongDate(control, read<LongDateRec>(data));
        return noErr;
    default:
        return setTabInfo(control, part, read<ControlTabInfoRecV1>(data));
    }
}

OSErr GetControlData(ControlRef control, ControlPartCode part, ResType tag, Size bufferSize,
                     void* buffer, Size* outActualSize) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if (!takesTag(control, tag)) return errDataNotSupported;
    if (!buffer || bufferSize < 0) return paramErr;
    if (Size fixed = fixedSizeOf(tag); fixed && bufferSize < fixed) return errDataSizeMismatch;
    QByteArray bytes;
    if (!dataOf(control, part, tag, bytes)) return paramErr;
    std::memcpy(buffer, bytes.constData(),
                std::min<size_t>(size_t(bufferSize), size_t(bytes.size())));
    if (outActualSize) *outActualSize = Size(bytes.size());
    return noErr;
}

OSErr GetControlDataSize(ControlRef control, ControlPartCode, ResType tag, Size* outSize) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if (!takesTag(control, tag)) return errDataNotSupported;
    if (!outSize) return paramErr;
    if (Size fixed = fixedSizeOf(tag)) {
        *outSize = fixed;
        return noErr;
    }
    *outSize = Size(hitoolbox::toLegacyText(textOf(control)).size());
    return noErr;
}
