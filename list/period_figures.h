// The period's figures in the units of daylight research and conservation:
// the days and their coverage, the Useful Daylight Illuminance bands and
// daylight autonomy over the occupied hours, the hours above 1000 lx, the
// integrated illuminance against a yearly budget and the day it runs out.
// Window-free, for the period window, its printed page and mv2tool period.
// Every figure is worked out exactly from counts and rounded once.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/threshold.h"
#include "list/period_map.h"

// The occupied hours, minutes of the day: a minute t counts when
// from <= t < to.
struct OccupiedHours {
    int from = 8 * 60, to = 18 * 60;
};
// "H:MM", 0:00 to 24:00; false for anything else.
bool ParseClock(const std::u16string& text, int& minutes);
// Both ends, or why they are not hours: nullptr when they are.
const char16_t* ParseOccupiedHours(const std::u16string& from, const std::u16string& to,
                                   OccupiedHours& out);
// As stored and as mv2tool takes them: "8:00-18:00".
std::u16string OccupiedHoursText(const OccupiedHours& hours);
bool ParseOccupiedHoursText(const std::u16string& text, OccupiedHours& out);

struct PeriodFigureRow {
    const char16_t* name;   // as the window's table shows it
    const char* field;      // as mv2tool period names it
    bool inTable = true;    // false: mv2tool's alone (the days recorded)
    std::u16string cell[2]; // CH1, CH2 as shown ("—" where it does not apply)
    std::string value[2];   // the same as a bare number; empty for "—"
};
// The rows in their order, for the two channels' grids of the same chosen
// recordings. With `valid` false (hours that cannot be read) every cell is
// empty.
std::vector<PeriodFigureRow> PeriodFigureRows(const PeriodGrid grids[2], const OccupiedHours& hours,
                                              bool valid, const Threshold& threshold,
                                              int64_t budget);
// The rows as mv2tool period prints them: a header, then a line a figure.
std::string PeriodFiguresTsv(const std::vector<PeriodFigureRow>& rows);
