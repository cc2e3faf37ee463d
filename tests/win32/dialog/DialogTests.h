#pragma once
// The groups of the dialog test program; each leaves no INI file behind.

#include "tests/win32/support/FilterDialogDriver.h"

void RunFilterDialogTests(FilterDialogDriver& driver);
void RunSettingsFilesTests(FilterDialogDriver& driver);
