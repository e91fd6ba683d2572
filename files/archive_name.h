// Names in the archive of downloads, from the recording's start stamp.
// Window-free.
#pragma once
#include <string>
#include <string_view>

#include "core/recording.h"

// How many names are tried for one start stamp.
constexpr int ArchiveAttempts = 999;

// "YYYYMMDD_HHMM.mv2" for attempt 1, then "YYYYMMDD_HHMM_2.mv2" up to
// "_999": each value in decimal, zero-padded to its width; a value too wide
// is written whole.
std::u16string ArchiveFileName(const Stamp& start, int attempt);

// The same name for an export: "YYYYMMDD_HHMM" and the extension (".csv").
std::u16string StampFileName(const Stamp& start, std::u16string_view extension);
