// The command table and its one rule.
#include "app/command_table.h"

#include "res/resource.h"

const CommandRow CommandTable[] = {
    {IDM_RECEIVE, IDM_RECEIVE, CommandRule::Receive, nullptr},
    {IDM_OPEN, IDM_OPEN, CommandRule::Idle, "Ctrl+O"},
    {IDM_SAVE_AS, IDM_SAVE_AS, CommandRule::Recording, "Ctrl+S"},
    {IDM_PRINT, IDM_PRINT, CommandRule::Recording, "Ctrl+P"},
    {IDM_EXIT, IDM_EXIT, CommandRule::Always, nullptr},
    {IDM_DISPLAY_RANGE, IDM_DISPLAY_RANGE, CommandRule::Idle, nullptr},
    {IDM_TEXT_INPUT, IDM_TEXT_INPUT, CommandRule::Recording, nullptr},
    {IDM_CLEAR, IDM_CLEAR, CommandRule::Recording, nullptr},
    {IDM_PORT_AUTO, IDM_PORT_AUTO, CommandRule::Idle, nullptr},
    {IDM_PORT_FIRST + 1, IDM_PORT_LAST, CommandRule::Idle, nullptr},
    {IDM_DATA_VIEW, IDM_DATA_VIEW, CommandRule::Recording, nullptr},
    {IDM_MAXIMUM, IDM_MAXIMUM, CommandRule::Recording, nullptr},
    {IDM_THRESHOLD_LINE, IDM_THRESHOLD_LINE, CommandRule::Idle, nullptr},
    {IDM_EXPORT_CSV, IDM_EXPORT_CSV, CommandRule::Recording, nullptr},
    {IDM_EXPORT_IMAGE, IDM_EXPORT_IMAGE, CommandRule::Recording, nullptr},
    {IDM_COPY_CHART, IDM_COPY_CHART, CommandRule::Recording, "Ctrl+C"},
    {IDM_STATISTICS, IDM_STATISTICS, CommandRule::Recording, nullptr},
    {IDM_RECORDING_LIST, IDM_RECORDING_LIST, CommandRule::Idle, nullptr},
    {IDM_GUIDE, IDM_GUIDE, CommandRule::Always, "F1"},
    {IDM_ABOUT, IDM_ABOUT, CommandRule::Always, nullptr},
};
const int CommandTableSize = static_cast<int>(sizeof CommandTable / sizeof CommandTable[0]);

const CommandRow* FindCommand(unsigned id) {
    for (const CommandRow& row : CommandTable)
        if (id >= row.first && id <= row.last) return &row;
    return nullptr;
}

bool CommandAllowed(unsigned id, const CommandState& state) {
    const CommandRow* row = FindCommand(id);
    if (!row || state.inDialog) return false;
    switch (row->rule) {
    case CommandRule::Always:
    case CommandRule::Receive: return true;
    case CommandRule::Idle: return !state.downloading;
    case CommandRule::Recording: return state.loaded && !state.downloading;
    }
    return false;
}

bool HandedOverFileMayOpen(const CommandState& state) {
    return CommandAllowed(IDM_OPEN, state);
}
