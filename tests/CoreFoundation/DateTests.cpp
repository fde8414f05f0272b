// Absolute time as Gregorian dates in the system's time zone, daylight saving included.
#include <CFDate.h>
#include <CFRef.h>
#include <CFTimeZone.h>
#include <ScopedEnvironment.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The system's zone while TZ names it.
CFRef<CFTimeZoneRef> systemZoneNamed(const char* name) {
    ScopedEnvironment tz("TZ", name);
    return CFRef<CFTimeZoneRef>(CFTimeZoneCopySystem());
}

TEST(CFDate, AbsoluteTimeBecomesTheDateOfTheSystemZoneWithItsDaylightSaving) {
    struct Case {
        const char* zone; // null: GMT
        CFAbsoluteTime at;
        SInt32 year;
        int month, day, hour, minute;
        double second;
    };
    const CFAbsoluteTime midsummer2024 = 1719057600 - kCFAbsoluteTimeIntervalSince1970; // 12:00Z
    const Case cases[] = {
        {nullptr, 0, 2001, 1, 1, 0, 0, 0},
        {"Asia/Tokyo", 0.25, 2001, 1, 1, 9, 0, 0.25},
        {"America/New_York", 0, 2000, 12, 31, 19, 0, 0},
        {"Europe/Berlin", midsummer2024, 2024, 6, 22, 14, 0, 0},
        {"Europe/Berlin", -1.5, 2001, 1, 1, 0, 59, 58.5},
        {"Pacific/Auckland", 0, 2001, 1, 1, 13, 0, 0},
    };
    for (const Case& c : cases) {
        const CFRef<CFTimeZoneRef> zone = c.zone ? systemZoneNamed(c.zone) : CFRef<CFTimeZoneRef>();
        const CFGregorianDate date = CFAbsoluteTimeGetGregorianDate(c.at, zone.get());
        const std::string where = c.zone ? c.zone : "GMT";
        EXPECT_EQ(c.year, date.year) << where;
        EXPECT_EQ(c.month, date.month) << where;
        EXPECT_EQ(c.day, date.day) << where;
        EXPECT_EQ(c.hour, date.hour) << where;
        EXPECT_EQ(c.minute, date.minute) << where;
        EXPECT_DOUBLE_EQ(c.second, date.second) << where;
    }
    EXPECT_EQ(16u, sizeof(CFGregorianDate));
}

} // namespace
