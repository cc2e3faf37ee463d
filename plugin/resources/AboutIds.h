#pragma once
// Control ids of the About box "AboutDlg"; OK is the platform's IDOK (1).

#define IDC_ABOUT_HELP 9
