// Command and control ids shared by the resource script and the code.
// Plain numbers only: windres reads this file too.
#pragma once

// MYMENU
#define IDM_RECEIVE 40001
#define IDM_OPEN 40002
#define IDM_SAVE_AS 40003
#define IDM_EXIT 40004
#define IDM_DISPLAY_RANGE 40005
#define IDM_TEXT_INPUT 40006
#define IDM_DATA_VIEW 40007
#define IDM_MAXIMUM 40008
#define IDM_CLEAR 40009

// Main window children
#define IDC_STATUS_LABEL 4001
