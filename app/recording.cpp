// The store's data and its clearing rule.
#include "app/recording.h"

#include <cstring>

Recording TheRecording;
int32_t DisplayRange = 3;
int32_t DataViewPosition = 1;

void EmptyRecording(Recording& r) {
    std::memset(&r, 0, sizeof r);
}
