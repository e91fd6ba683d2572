// Days counted from 1 January of year 1 (proleptic Gregorian calendar).
#include "core/calendar.h"

namespace {

bool IsLeap(int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int64_t year, int64_t month) {
    constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : Days[month - 1];
}

} // namespace

bool IsRealStamp(const Stamp& s) {
    return s.Year >= 1 && s.Year <= 9999 && s.Month >= 1 && s.Month <= 12 && s.Day >= 1 &&
           s.Day <= DaysInMonth(s.Year, s.Month) && s.Hour >= 0 && s.Hour <= 23 && s.Minute >= 0 &&
           s.Minute <= 59;
}

bool AddMinutes(const Stamp& start, int64_t minutes, DateTime& out) {
    if (!IsRealStamp(start) || minutes < 0) return false;
    int64_t total = int64_t{start.Hour} * 60 + start.Minute + minutes;
    int64_t days = total / 1440;
    total %= 1440;
    int64_t year = start.Year, month = start.Month, day = start.Day;
    // A recording spans fourteen hours, so whole days are few: walk them.
    while (days > 0) {
        const int64_t left = DaysInMonth(year, month) - day;
        if (days <= left) {
            day += days;
            break;
        }
        days -= left + 1;
        day = 1;
        if (++month > 12) {
            month = 1;
            if (++year > 9999) return false;
        }
    }
    out = {static_cast<int32_t>(year), static_cast<int32_t>(month), static_cast<int32_t>(day),
           static_cast<int32_t>(total / 60), static_cast<int32_t>(total % 60)};
    return true;
}
