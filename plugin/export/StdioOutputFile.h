#pragma once
// OutputFile over the C library's files, for native builds.

#include "plugin/export/SystemOutputFile.h"

extern const FileCalls kStdioFileCalls;

class StdioOutputFile final : public SystemOutputFile {
  public:
    StdioOutputFile() : SystemOutputFile(kStdioFileCalls) {}
};
