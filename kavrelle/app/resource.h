#pragma once
// Resource identifiers of Kavrelle.exe.

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_TRAY_MENU 130
#define IDB_SLIDER_TRACK 139
#define IDB_SLIDER_FILLED 140
#define IDD_SPLASH 146
#define IDI_MAIN 154
#define IDC_SPEED_SLIDER 1007
#define IDC_REPORT_RATE_SLIDER 1010
#define IDC_BRIGHTNESS_SLIDER 1017
#define IDC_ABOUT_TEXT 1100
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
#define ID_TRAY_EXIT 32772
