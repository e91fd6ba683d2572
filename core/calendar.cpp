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

int64_t DayNumber(int64_t year, int64_t month, int64_t day) {
    // Counted from 1 March of year 0, so a leap day ends its year.
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = y / 400; // year is 1 or more: never negative
    const int64_t ofEra = y - era * 400;
    const int64_t ofYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t ofCycle = ofEra * 365 + ofEra / 4 - ofEra / 100 + ofYear;
    return era * 146097 + ofCycle - 306; // 1 March of year 0 is day -306
}

void DateOfDay(int64_t dayNumber, int32_t& year, int32_t& month, int32_t& day) {
    const int64_t z = dayNumber + 306;
    const int64_t era = z / 146097;
    const int64_t ofCycle = z - era * 146097;
    const int64_t ofEra = (ofCycle - ofCycle / 1460 + ofCycle / 36524 - ofCycle / 146096) / 365;
    const int64_t ofYear = ofCycle - (365 * ofEra + ofEra / 4 - ofEra / 100);
    const int64_t m = (5 * ofYear + 2) / 153;
    day = static_cast<int32_t>(ofYear - (153 * m + 2) / 5 + 1);
    month = static_cast<int32_t>(m < 10 ? m + 3 : m - 9);
    year = static_cast<int32_t>(ofEra + era * 400 + (month <= 2 ? 1 : 0));
}

int WeekdayOfDay(int64_t dayNumber) {
    return static_cast<int>((dayNumber + 1) % 7); // 1 January of year 1 was a Monday
}
