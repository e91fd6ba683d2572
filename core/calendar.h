// Dates on the Gregorian calendar, for the time of each sample. Window-free.
#pragma once
#include <cstdint>

#include "core/recording.h"

struct DateTime {
    int32_t year, month, day, hour, minute;
};

// Year 1 to 9999, Month 1 to 12, Day within that month, Hour 0 to 23,
// Minute 0 to 59. The weekday is not looked at.
bool IsRealStamp(const Stamp& s);

// The start stamp plus `minutes` (not negative), across month ends, year
// ends and leap years. False when the stamp is not real, or the result falls
// after the year 9999.
bool AddMinutes(const Stamp& start, int64_t minutes, DateTime& out);

// Days counted from 1 January of year 1 (that day is 0), for a real date.
int64_t DayNumber(int64_t year, int64_t month, int64_t day);
// The date of a day number (0 to that of 31 December 9999).
void DateOfDay(int64_t dayNumber, int32_t& year, int32_t& month, int32_t& day);
// 0 for Sunday to 6 for Saturday.
int WeekdayOfDay(int64_t dayNumber);
