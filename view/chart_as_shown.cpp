#include "view/chart_as_shown.h"

#include "store/store.h"

ChartContent ChartAsShown(int32_t cursor) {
    return {&TheRecording, DisplayRange, cursor, ThresholdLineShown(), CurrentThreshold()};
}
