#pragma once
// Resource ids shared by the plug-in's code and its resource script.

#define IDS_PLUGIN_NAME 2
#define IDS_NOT_ENOUGH_MEMORY 3
#define IDS_NO_PIXELS 4
#define IDS_SHORT_ROWS 5
