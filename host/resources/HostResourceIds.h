#pragma once
// Names and control ids of the host program's resources (QuorvShell.rc.in). Included by
// the resource compiler too, so: plain macros only.

#define QS_MAIN_MENU "MAINMENU"
#define QS_APP_ICON "APICON"
#define QS_ABOUT_DIALOG "ABOUT_DLG"
#define QS_STARTUP_PICTURE "Logo"

// The About box's static texts.
#define IDC_ABOUT_NAME 101
#define IDC_ABOUT_ICON 102
#define IDC_ABOUT_VERSION 103
#define IDC_ABOUT_PURPOSE 104
#define IDC_ABOUT_AUTHOR 105
