// Names in the archive of downloads, from the recording's start stamp.
// Window-free.
#pragma once
#include <string>

#include "core/recording.h"

// How many names are tried for one start stamp.
constexpr int ArchiveAttempts = 999;

// "YYYYMMDD_HHMM.mv2" for attempt 1, then "YYYYMMDD_HHMM_2.mv2" up to
// "_999": each value in decimal, zero-padded to its width; a value too wide
// is written whole.
std::u16string ArchiveFileName(const Stamp& start, int attempt);
