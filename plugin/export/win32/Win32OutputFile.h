#pragma once
// OutputFile over the Win32 file calls.

#include "plugin/export/SystemOutputFile.h"

extern const FileCalls kWin32FileCalls;

class Win32OutputFile final : public SystemOutputFile {
  public:
    Win32OutputFile() : SystemOutputFile(kWin32FileCalls) {}
};
