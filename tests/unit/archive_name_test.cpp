// Names of the archive of downloads.
#include <gtest/gtest.h>

#include "files/archive_name.h"

namespace {

TEST(ArchiveFileName, StartStampZeroPaddedThenANumberFromTheSecondOn) {
    const struct {
        Stamp start;
        int attempt;
        std::u16string name;
    } cases[] = {
        {{2015, 6, 2, 2, 5, 0}, 1, u"20150602_0500.mv2"},
        {{2015, 6, 2, 2, 5, 0}, 2, u"20150602_0500_2.mv2"},
        {{2015, 6, 2, 2, 5, 0}, 999, u"20150602_0500_999.mv2"},
        {{2255, 12, 6, 31, 23, 59}, 1, u"22551231_2359.mv2"},
        {{2000, 15, 15, 255, 255, 255}, 1, u"200015255_255255.mv2"}, // too wide: whole
        {{99, 1, 0, 1, 0, 0}, 1, u"00990101_0000.mv2"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ArchiveFileName(c.start, c.attempt) == c.name) << c.attempt;
}

} // namespace
