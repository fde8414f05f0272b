// Absolute time as Gregorian dates in named and system time zones, daylight saving included.
#include <CFDate.h>
#include <CFRef.h>
#include <CFTimeZone.h>
#include <ScopedEnvironment.h>

#include <gtest/gtest.h>

#include <string>

namespace {

CFRef<CFTimeZoneRef> zoneNamed(const char* name) {
    CFRef<CFStringRef> text(CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8));
    return CFRef<CFTimeZoneRef>(CFTimeZoneCreateWithName(nullptr, text.get(), false));
}

std::string nameOf(CFTimeZoneRef zone) {
    char text[128] = {};
    CFStringGetCString(CFTimeZoneGetName(zone), text, sizeof text, kCFStringEncodingUTF8);
    return text;
}

TEST(CFDate, AbsoluteTimeBecomesTheDateOfTheZoneWithItsDaylightSaving) {
    struct Case {
        const char* zone; // null: GMT
        CFAbsoluteTime at;
        SInt32 year;
        int month, day, hour, minute;
        double second;
        CFTimeInterval offset;
    };
    const CFAbsoluteTime midsummer2024 = 1719057600 - kCFAbsoluteTimeIntervalSince1970; // 12:00Z
    const Case cases[] = {
        {nullptr, 0, 2001, 1, 1, 0, 0, 0, 0},
        {"Asia/Tokyo", 0.25, 2001, 1, 1, 9, 0, 0.25, 9 * 3600},
        {"America/New_York", 0, 2000, 12, 31, 19, 0, 0, -5 * 3600},
        {"Europe/Berlin", midsummer2024, 2024, 6, 22, 14, 0, 0, 2 * 3600},
        {"Europe/Berlin", -1.5, 2001, 1, 1, 0, 59, 58.5, 3600},
    };
    for (const Case& c : cases) {
        const CFRef<CFTimeZoneRef> zone = c.zone ? zoneNamed(c.zone) : CFRef<CFTimeZoneRef>();
        const CFGregorianDate date = CFAbsoluteTimeGetGregorianDate(c.at, zone.get());
        const std::string where = c.zone ? c.zone : "GMT";
        EXPECT_EQ(c.year, date.year) << where;
        EXPECT_EQ(c.month, date.month) << where;
        EXPECT_EQ(c.day, date.day) << where;
        EXPECT_EQ(c.hour, date.hour) << where;
        EXPECT_EQ(c.minute, date.minute) << where;
        EXPECT_DOUBLE_EQ(c.second, date.second) << where;
        if (zone) {
            EXPECT_EQ(c.offset, CFTimeZoneGetSecondsFromGMT(zone.get(), c.at)) << where;
        }
    }
    EXPECT_EQ(16u, sizeof(CFGregorianDate));
}

TEST(CFDate, TheSystemZoneFollowsTZAndUnknownNamesGiveNoZone) {
    EXPECT_FALSE(zoneNamed("Nowhere/Atlantis"));
    EXPECT_EQ("Asia/Tokyo", nameOf(zoneNamed("Asia/Tokyo").get()));
    ScopedEnvironment tz("TZ", "Pacific/Auckland");
    CFRef<CFTimeZoneRef> system(CFTimeZoneCopySystem());
    EXPECT_EQ("Pacific/Auckland", nameOf(system.get()));
    EXPECT_EQ(CFTimeZoneGetTypeID(), CFGetTypeID(system.get()));
}

} // namespace
