#pragma once
// Progress of an export, passed to the host's progress procedure (nothing when it has none).

#include "common/ExportRecord.h"
#include "common/ProgressSink.h"

class HostProgressSink final : public ProgressSink {
  public:
    explicit HostProgressSink(ProgressProc progressProc) : progressProc_(progressProc) {}
    void Report(std::int32_t done, std::int32_t total) override {
        if (progressProc_)
            progressProc_(done, total);
    }

  private:
    ProgressProc progressProc_;
};
