#pragma once
// Where long mesh and export loops report how far they are: the host's progress
// procedure in the plug-in, a terminal bar in the command-line tool, a recorder in tests.

#include <cstdint>

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // 0 <= done <= total and total > 0; calls may repeat or skip values.
    virtual void Report(std::int32_t done, std::int32_t total) = 0;
};
