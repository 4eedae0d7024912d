#pragma once
// A moment as a day number of the proleptic Gregorian calendar (day 1 is 1 January of year 1)
// and the second of that day (hour * 3600 + minute * 60 + second). The day of week is the day
// count modulo 7, 0 being Sunday. A default-made date has day 0: "no date".

#include "XGTypes.h"

namespace yaaf {

struct XGDateFields {
    int32 year = 1;      // 1 ...
    int16 month = 1;     // 1-12
    int16 day = 1;       // 1-31
    int16 hour = 0;      // 0-23
    int16 minute = 0;    // 0-59
    int16 second = 0;    // 0-59
    int16 dayOfWeek = 0; // 0 Sunday ... 6 Saturday; filled by GetFields, ignored by SetFields
};

class XGDateTime {
public:
    XGDateTime() = default;
    XGDateTime(int32 dayCount, int32 secondCount) : fDayCount(dayCount), fSecondCount(secondCount) {}

    // The present moment in local time.
    static XGDateTime Now();
    // A moment of the system clock (seconds since 1970, UTC) in local time; no date when the
    // clock value cannot be converted.
    static XGDateTime FromSystemTime(int64 secondsSince1970);

    // Checks every field (month, day within its month, hour, minute, second, year >= 1);
    // an invalid date leaves this one unchanged and answers false.
    bool SetFields(const XGDateFields& fields);
    // Converts the counts; a date without a valid day (day count < 1) or with a second count
    // outside one day answers false and gives the fields of day 1, midnight.
    bool GetFields(XGDateFields& fields) const;

    int32 GetDayCount() const { return fDayCount; }
    int32 GetSecondCount() const { return fSecondCount; }
    void SetDayCount(int32 days) { fDayCount = days; }
    void SetSecondCount(int32 seconds) { fSecondCount = seconds; }
    // Seconds since the start of day 1 (day 1, 00:00:00 is 0).
    int64 GetTotalSeconds() const { return (int64(fDayCount) - 1) * 86400 + fSecondCount; }
    void SetTotalSeconds(int64 seconds);

    bool IsValid() const { return fDayCount >= 1 && fSecondCount >= 0 && fSecondCount < 86400; }
    // 0 Sunday ... 6 Saturday.
    int16 GetDayOfWeek() const;

    static bool IsLeapYear(int32 year);
    static int16 DaysInMonth(int32 year, int16 month);
    // Day count of a calendar day (no checks) and back.
    static int32 DayCountFromCivil(int32 year, int32 month, int32 day);
    static void CivilFromDayCount(int32 dayCount, int32& year, int32& month, int32& day);

    bool operator==(const XGDateTime& o) const { return GetTotalSeconds() == o.GetTotalSeconds(); }
    bool operator!=(const XGDateTime& o) const { return !(*this == o); }
    bool operator<(const XGDateTime& o) const { return GetTotalSeconds() < o.GetTotalSeconds(); }
    bool operator>(const XGDateTime& o) const { return o < *this; }
    bool operator<=(const XGDateTime& o) const { return !(o < *this); }
    bool operator>=(const XGDateTime& o) const { return !(*this < o); }

private:
    int32 fDayCount = 0;
    int32 fSecondCount = 0;
};

} // namespace yaaf
