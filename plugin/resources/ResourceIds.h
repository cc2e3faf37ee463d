#pragma once
// Resource ids shared by the plug-in's code and its resource script.

#define IDS_PLUGIN_NAME 2
#define IDS_NOT_ENOUGH_MEMORY 3
