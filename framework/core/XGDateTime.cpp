#include "XGDateTime.h"

#include <ctime>

namespace yaaf {

namespace {
// Day count of 1 January 1970 less one: the civil algorithm below counts from 1970.
constexpr int64 kEpochOffset = 719163;

int64 DaysFromCivil(int64 y, int64 m, int64 d) {
    y -= m <= 2;
    const int64 era = (y >= 0 ? y : y - 399) / 400;
    const int64 yoe = y - era * 400;
    const int64 doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64 z, int64& y, int64& m, int64& d) {
    z += 719468;
    const int64 era = (z >= 0 ? z : z - 146096) / 146097;
    const int64 doe = z - era * 146097;
    const int64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64 mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2);
}
} // namespace

bool XGDateTime::IsLeapYear(int32 year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int16 XGDateTime::DaysInMonth(int32 year, int16 month) {
    static const int16 kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int32 XGDateTime::DayCountFromCivil(int32 year, int32 month, int32 day) {
    return int32(DaysFromCivil(year, month, day) + kEpochOffset);
}

void XGDateTime::CivilFromDayCount(int32 dayCount, int32& year, int32& month, int32& day) {
    int64 y, m, d;
    CivilFromDays(int64(dayCount) - kEpochOffset, y, m, d);
    year = int32(y);
    month = int32(m);
    day = int32(d);
}

XGDateTime XGDateTime::Now() {
    return FromSystemTime(int64(std::time(nullptr)));
}

XGDateTime XGDateTime::FromSystemTime(int64 secondsSince1970) {
    const std::time_t now = std::time_t(secondsSince1970);
    std::tm local{};
    if (!localtime_r(&now, &local)) return XGDateTime();
    XGDateTime result;
    result.fDayCount = DayCountFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    // A leap second (tm_sec 60) is folded into the last second of the minute.
    const int sec = local.tm_sec > 59 ? 59 : local.tm_sec;
    result.fSecondCount = local.tm_hour * 3600 + local.tm_min * 60 + sec;
    return result;
}

bool XGDateTime::SetFields(const XGDateFields& f) {
    if (f.year < 1 || f.year > 999999 || f.month < 1 || f.month > 12 || f.day < 1 ||
        f.day > DaysInMonth(f.year, f.month) || f.hour < 0 || f.hour > 23 || f.minute < 0 || f.minute > 59 ||
        f.second < 0 || f.second > 59)
        return false;
    fDayCount = DayCountFromCivil(f.year, f.month, f.day);
    fSecondCount = f.hour * 3600 + f.minute * 60 + f.second;
    return true;
}

bool XGDateTime::GetFields(XGDateFields& f) const {
    const bool valid = IsValid();
    const int32 days = valid ? fDayCount : 1;
    const int32 secs = valid ? fSecondCount : 0;
    int32 y, m, d;
    CivilFromDayCount(days, y, m, d);
    f.year = y;
    f.month = int16(m);
    f.day = int16(d);
    f.hour = int16(secs / 3600);
    f.minute = int16(secs / 60 % 60);
    f.second = int16(secs % 60);
    f.dayOfWeek = int16(days % 7);
    return valid;
}

int16 XGDateTime::GetDayOfWeek() const {
    const int32 r = fDayCount % 7;
    return int16(r < 0 ? r + 7 : r);
}

void XGDateTime::SetTotalSeconds(int64 seconds) {
    int64 days = seconds / 86400;
    int64 rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    fDayCount = int32(days + 1);
    fSecondCount = int32(rest);
}

} // namespace yaaf
