// The recording as CSV for spreadsheets: UTF-8 with a byte-order mark, CR LF
// after every line, a header and one line per sample. Window-free: the
// window's export and the console tool write the same bytes.
#pragma once
#include <string>

#include "core/recording.h"

// Line 1: 番号,日時,<CH1 name> (lx),<CH2 name> (lx); then n,YYYY/MM/DD hh:mm,
// lux1,lux2 for n = 1 to 840. A name that is empty or only spaces is CH1 or
// CH2; a field with a comma, a double quote, a CR or an LF is quoted with its
// quotes doubled. The date-time is empty when the start stamp is not a real
// date and time, or the sample falls after the year 9999.
std::string RecordingCsv(const Recording& r);

// "YYYY/MM/DD hh:mm" of the start stamp plus `minutes`; empty when the stamp
// is not a real date and time, or the result falls after the year 9999.
std::string CalendarText(const Stamp& start, int64_t minutes);

// A field as RFC 4180 wants it: quoted, quotes doubled, only when it holds a
// comma, a double quote, a CR or an LF.
std::string CsvField(const std::string& field);
