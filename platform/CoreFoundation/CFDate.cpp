// Absolute time, and time zones and Gregorian dates over Qt's time-zone database.
#include "CFInternal.h"
#include "CFTimeZone.h"

#include <QDateTime>
#include <QTimeZone>

#include <chrono>
#include <cmath>

const CFTimeInterval kCFAbsoluteTimeIntervalSince1970 = 978307200.0;

struct __CFTimeZone : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDTimeZone;
    explicit __CFTimeZone(const QTimeZone& zone)
        : Object(kTypeID), zone(zone),
          name(cf::makeString(QString::fromUtf8(zone.id()).toStdU16String())) {}
    ~__CFTimeZone() override { CFRelease(name); }

    bool equals(const Object& other) const override {
        return zone == static_cast<const __CFTimeZone&>(other).zone;
    }
    std::u16string describe() const override { return std::u16string(cf::chars(name)); }

    const QTimeZone zone;
    const CFStringRef name;
};

namespace {

QDateTime dateTimeAt(CFAbsoluteTime at) {
    const double sinceEpoch = at + kCFAbsoluteTimeIntervalSince1970;
    return QDateTime::fromMSecsSinceEpoch(qint64(std::floor(sinceEpoch * 1000)), QTimeZone::utc());
}

} // namespace

CFAbsoluteTime CFAbsoluteTimeGetCurrent(void) {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count() -
           kCFAbsoluteTimeIntervalSince1970;
}

CFTimeZoneRef CFTimeZoneCopySystem(void) {
    return new __CFTimeZone(QTimeZone::systemTimeZone());
}

CFGregorianDate CFAbsoluteTimeGetGregorianDate(CFAbsoluteTime at, CFTimeZoneRef tz) {
    auto* zone = cf::as<__CFTimeZone>(tz);
    const QDateTime utc = dateTimeAt(at);
    const QDateTime local = zone ? utc.toTimeZone(zone->zone) : utc;
    const double wholeSeconds = std::floor(at);
    CFGregorianDate date = {};
    date.year = local.date().year();
    date.month = SInt8(local.date().month());
    date.day = SInt8(local.date().day());
    date.hour = SInt8(local.time().hour());
    date.minute = SInt8(local.time().minute());
    date.second = local.time().second() + (at - wholeSeconds);
    return date;
}
