// Resource names, command and control ids shared by the resource script and
// the code: each is defined once here, so a typo cannot fail silently on one
// side. windres reads this file too (RC_INVOKED).
#pragma once

// The menu and the dialog templates, looked up by name.
#define MAIN_MENU_NAME "MYMENU"
#define RANGE_TEMPLATE_NAME "RANGEDLG"
#define TEXT_TEMPLATE_NAME "TEXTDLG"
#define DATA_TEMPLATE_NAME "DATADLG"
#define MAX_TEMPLATE_NAME "MAXDLG"
#define STAT_TEMPLATE_NAME "STATDLG"
#define LIST_TEMPLATE_NAME "LISTDLG"
#define ABOUT_TEMPLATE_NAME "ABOUTDLG"
#define PERIOD_TEMPLATE_NAME "PERIODDLG"
// The period window's picture, a child of a class of the program's own.
#define PERIOD_PICTURE_CLASS "MarvekPeriodPicture"
// The main window's shortcuts, translated in its message loop only.
#define MAIN_ACCELERATORS_NAME "MAINKEYS"

#ifndef RC_INVOKED
constexpr wchar_t MainMenuName[] = L"" MAIN_MENU_NAME;
constexpr wchar_t RangeTemplate[] = L"" RANGE_TEMPLATE_NAME;
constexpr wchar_t TextTemplate[] = L"" TEXT_TEMPLATE_NAME;
constexpr wchar_t DataTemplate[] = L"" DATA_TEMPLATE_NAME;
constexpr wchar_t MaxTemplate[] = L"" MAX_TEMPLATE_NAME;
constexpr wchar_t StatTemplate[] = L"" STAT_TEMPLATE_NAME;
constexpr wchar_t ListTemplate[] = L"" LIST_TEMPLATE_NAME;
constexpr wchar_t AboutTemplate[] = L"" ABOUT_TEMPLATE_NAME;
constexpr wchar_t PeriodTemplate[] = L"" PERIOD_TEMPLATE_NAME;
constexpr wchar_t PeriodPictureClass[] = L"" PERIOD_PICTURE_CLASS;
constexpr wchar_t MainAccelerators[] = L"" MAIN_ACCELERATORS_NAME;
#endif

// The program's icon, and its recording files' (16, 32 and 48 pixels each);
// the file type names the second as "marvek2.exe",-2.
#define IDI_MAIN 1
#define IDI_FILE 2

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
#define IDM_EXPORT_CSV 40010
#define IDM_EXPORT_IMAGE 40011
#define IDM_COPY_CHART 40012
#define IDM_STATISTICS 40013
#define IDM_RECORDING_LIST 40014
#define IDM_PRINT 40015
#define IDM_THRESHOLD_LINE 40016
// ヘルプ
#define IDM_GUIDE 40030
#define IDM_ABOUT 40031
// Settings > 通信ポート: automatic search, or COMn as IDM_PORT_FIRST + n
#define IDM_PORT_AUTO 40020
#define IDM_PORT_FIRST 40100
#define IDM_PORT_LAST (IDM_PORT_FIRST + 256)

// Main window children
#define IDC_STATUS_LABEL 4001
#define IDC_READOUT 4002
#define IDC_PROGRESS_BAR 4003

// DATADLG: step buttons, position, start date, sample time and lux
#define IDC_STEP_MINUS_1 1000
#define IDC_STEP_MINUS_10 1001
#define IDC_STEP_MINUS_100 1002
#define IDC_STEP_PLUS_1 1003
#define IDC_STEP_PLUS_10 1004
#define IDC_STEP_PLUS_100 1005
#define IDC_POSITION 1006
#define IDC_YEAR 1007
#define IDC_MONTH 1008
#define IDC_DAY 1009
#define IDC_WEEKDAY 1010
#define IDC_HOUR 1011
#define IDC_MINUTE 1012
#define IDC_CH1_LUX 1013
#define IDC_CH2_LUX 1014

// TEXTDLG: the four texts
#define IDC_TITLE 1015
#define IDC_CH1_NAME 1016
#define IDC_CH2_NAME 1017
#define IDC_MEMO 1018

// RANGEDLG: one radio button per full scale, in range order
#define IDC_RANGE_12500 1019
#define IDC_RANGE_25000 1020
#define IDC_RANGE_50000 1021
#define IDC_RANGE_100000 1022
#define IDC_RANGE_200000 1023

// MAXDLG: number, hour, minute and lux of each channel's maximum
#define IDC_CH1_MAX_NUMBER 1025
#define IDC_CH1_MAX_HOUR 1026
#define IDC_CH1_MAX_MINUTE 1027
#define IDC_CH1_MAX_LUX 1028
#define IDC_CH2_MAX_NUMBER 1029
#define IDC_CH2_MAX_HOUR 1030
#define IDC_CH2_MAX_MINUTE 1031
#define IDC_CH2_MAX_LUX 1032

// STATDLG: the threshold, then per channel highest, its time, lowest, its
// time, mean, integrated illuminance and the time at or above the threshold
#define IDC_THRESHOLD 1101
#define IDC_CH1_HIGHEST 1110
#define IDC_CH1_HIGHEST_TIME 1111
#define IDC_CH1_LOWEST 1112
#define IDC_CH1_LOWEST_TIME 1113
#define IDC_CH1_MEAN 1114
#define IDC_CH1_DOSE 1115
#define IDC_CH1_ABOVE 1116
#define IDC_CH2_HIGHEST 1120
#define IDC_CH2_HIGHEST_TIME 1121
#define IDC_CH2_LOWEST 1122
#define IDC_CH2_LOWEST_TIME 1123
#define IDC_CH2_MEAN 1124
#define IDC_CH2_DOSE 1125
#define IDC_CH2_ABOVE 1126

// LISTDLG: the folder, a browse button, the threshold, the table, its CSV,
// opening a row, printing it, the yearly budget and its two lines
#define IDC_LIST_FOLDER 1201
#define IDC_LIST_BROWSE 1202
#define IDC_LIST_THRESHOLD 1203
#define IDC_LIST_TABLE 1204
#define IDC_LIST_SAVE_CSV 1205
#define IDC_LIST_OPEN 1206
#define IDC_LIST_PRINT 1207
#define IDC_LIST_BUDGET 1208
#define IDC_LIST_BUDGET_CH1 1209
#define IDC_LIST_BUDGET_CH2 1210
#define IDC_LIST_PERIOD 1211
#define IDC_LIST_STANDARD 1212

// ABOUTDLG: the product, its version, the archive folder (copyable)
#define IDC_ABOUT_PRODUCT 1301
#define IDC_ABOUT_VERSION 1302
#define IDC_ABOUT_ARCHIVE 1303

// PERIODDLG: the channel, the readout, the picture and its buttons; laid out
// by the code for the picture's size and the window's DPI.
#define IDC_PERIOD_CH1 1401
#define IDC_PERIOD_CH2 1402
#define IDC_PERIOD_READOUT 1403
#define IDC_PERIOD_PRINT 1404
#define IDC_PERIOD_SAVE_IMAGE 1405
#define IDC_PERIOD_COPY 1406
#define IDC_PERIOD_MAP_VIEW 1407
#define IDC_PERIOD_OVERLAY_VIEW 1408
#define IDC_PERIOD_RANGE 1409
#define IDC_PERIOD_PICTURE 1410
#define IDC_PERIOD_RANGE_LABEL 1411
#define IDC_PERIOD_HOURS_LABEL 1419
#define IDC_PERIOD_HOURS_FROM 1420
#define IDC_PERIOD_HOURS_TO 1421
#define IDC_PERIOD_HOURS_REASON 1422
#define IDC_PERIOD_HOURS_TILDE 1423
#define IDC_PERIOD_FIGURES 1430

// Labels
#define IDC_LABEL 65535
