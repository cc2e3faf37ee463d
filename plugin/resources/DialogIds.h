#pragma once
// Control ids of the filter dialog "QuorvDlg", shared by its template, the dialog, the
// preview canvas and the dialog's preview host. The numbers are the template's own.

// Push buttons.
#define IDC_HELP_BUTTON 9
#define IDC_LOAD_SETTINGS 117
#define IDC_SAVE_SETTINGS 118
#define IDC_FIT_ALL 119

// Owner-drawn tool buttons (Tooltype 0..2) and style buttons (Shadetype 0..2); each button's
// bitmap resource has the button's id.
#define IDC_TOOL_ZOOM 150
#define IDC_TOOL_PAN 151
#define IDC_TOOL_ROTATE 152
#define IDC_STYLE_WIREFRAME 153
#define IDC_STYLE_OUTLINED 154
#define IDC_STYLE_SHADED 155

// Check boxes and the mesh-type radio buttons (Meshtype 0..2).
#define IDC_LONGITUDE 104
#define IDC_LATITUDE 107
#define IDC_PERSPECTIVE 108
#define IDC_RECTANGULAR 109
#define IDC_CYLINDRICAL 110
#define IDC_SPHERICAL 111
#define IDC_BLACK_HOLES 115

// Group boxes.
#define IDC_DISPLAY_GROUP 101
#define IDC_MESH_TYPE_GROUP 102

// Edit boxes.
#define IDC_MAP_ALTITUDE 103
#define IDC_MODEL_SCALE 112
#define IDC_RADIAL_OFFSET 113
#define IDC_CYLINDER_LENGTH 114

// Drop-down lists.
#define IDC_FORMAT_LIST 105
#define IDC_RESOLUTION_LIST 106
#define IDC_VIEW_LIST 116

// The preview canvas (created over its invisible placeholder) and the dialog's status parts.
#define IDC_CANVAS 2001
#define IDC_CANVAS_PLACEHOLDER 2098
#define IDC_STATUS_LINE 2006
#define IDC_STATISTICS_FIRST 3010 // four lines, 3010..3013
#define IDC_PROGRESS_BAR 3014

// Sliders 3001..3004 over their invisible placeholders 4001..4004.
#define IDC_SLIDER_MAP_ALTITUDE 3001
#define IDC_SLIDER_MODEL_SCALE 3002
#define IDC_SLIDER_RADIAL_OFFSET 3003
#define IDC_SLIDER_CYLINDER_LENGTH 3004
#define IDC_SLIDER_PLACEHOLDER_OFFSET 1000 // placeholder id = slider id + 1000
