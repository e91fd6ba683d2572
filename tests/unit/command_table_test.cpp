// When each menu command may run, in every state the window can be in; and
// when a file handed over by a second copy may open.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "res/resource.h"

namespace {

// The states: nothing loaded, a recording, a download running, a download
// after a recording; the last two columns with a dialog open, where nothing
// runs.
constexpr CommandState States[] = {
    {false, false, false}, {true, false, false}, {false, true, false},
    {true, true, false},   {true, false, true},  {false, true, true},
};

struct Case {
    unsigned id;
    const char* available; // one letter per state: y or n
};

TEST(CommandTable, EachCommandInEachState) {
    const Case cases[] = {
        {IDM_RECEIVE, "yyyynn"},
        {IDM_EXIT, "yyyynn"},
        {IDM_GUIDE, "yyyynn"},
        {IDM_ABOUT, "yyyynn"},
        {IDM_OPEN, "yynnnn"},
        {IDM_DISPLAY_RANGE, "yynnnn"},
        {IDM_RECORDING_LIST, "yynnnn"},
        {IDM_PORT_AUTO, "yynnnn"},
        {IDM_THRESHOLD_LINE, "yynnnn"},
        {IDM_PORT_FIRST + 1, "yynnnn"},
        {IDM_PORT_LAST, "yynnnn"},
        {IDM_SAVE_AS, "nynnnn"},
        {IDM_PRINT, "nynnnn"},
        {IDM_TEXT_INPUT, "nynnnn"},
        {IDM_CLEAR, "nynnnn"},
        {IDM_DATA_VIEW, "nynnnn"},
        {IDM_MAXIMUM, "nynnnn"},
        {IDM_EXPORT_CSV, "nynnnn"},
        {IDM_EXPORT_IMAGE, "nynnnn"},
        {IDM_COPY_CHART, "nynnnn"},
        {IDM_STATISTICS, "nynnnn"},
        // Not in the menu: never.
        {IDM_PORT_FIRST, "nnnnnn"},
        {IDM_PORT_LAST + 1, "nnnnnn"},
        {0, "nnnnnn"},
        {40099, "nnnnnn"},
    };
    for (const Case& c : cases) {
        std::string got;
        for (const CommandState& s : States)
            got += CommandAllowed(c.id, s) ? 'y' : 'n';
        EXPECT_EQ(got, c.available) << c.id;
    }
}

TEST(CommandTable, AHandedOverFileWaitsForADownloadAndForADialog) {
    std::string got;
    for (const CommandState& s : States)
        got += HandedOverFileMayOpen(s) ? 'y' : 'n';
    EXPECT_EQ(got, "yynnnn");
}

TEST(CommandTable, EveryRowIsOneRangeOfIdsAndNoIdHasTwoRows) {
    for (int i = 0; i < CommandTableSize; ++i) {
        const CommandRow& row = CommandTable[i];
        EXPECT_LE(row.first, row.last);
        for (int j = i + 1; j < CommandTableSize; ++j)
            EXPECT_TRUE(CommandTable[j].last < row.first || CommandTable[j].first > row.last)
                << row.first << " and " << CommandTable[j].first;
    }
}

} // namespace
