// When each menu command may run, in every state the window can be in; and
// when a file handed over by a second copy may open.
#include <gtest/gtest.h>

#include "app/command_table.h"
#include "res/resource.h"

namespace {

// The states: nothing loaded, a recording, a download running, a download
// after a recording; the last two columns with a dialog open.
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
        {IDM_RECEIVE, "yyyyyy"},
        {IDM_EXIT, "yyyyyy"},
        {IDM_GUIDE, "yyyyyy"},
        {IDM_ABOUT, "yyyyyy"},
        {IDM_OPEN, "yynnyn"},
        {IDM_DISPLAY_RANGE, "yynnyn"},
        {IDM_RECORDING_LIST, "yynnyn"},
        {IDM_PORT_AUTO, "yynnyn"},
        {IDM_THRESHOLD_LINE, "yynnyn"},
        {IDM_PORT_FIRST + 1, "yynnyn"},
        {IDM_PORT_LAST, "yynnyn"},
        {IDM_SAVE_AS, "nynnyn"},
        {IDM_PRINT, "nynnyn"},
        {IDM_TEXT_INPUT, "nynnyn"},
        {IDM_CLEAR, "nynnyn"},
        {IDM_DATA_VIEW, "nynnyn"},
        {IDM_MAXIMUM, "nynnyn"},
        {IDM_EXPORT_CSV, "nynnyn"},
        {IDM_EXPORT_IMAGE, "nynnyn"},
        {IDM_COPY_CHART, "nynnyn"},
        {IDM_STATISTICS, "nynnyn"},
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
