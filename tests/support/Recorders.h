#pragma once
// Fakes of the platform interfaces that record what the core asked of them.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/MessageReporter.h"
#include "common/ProgressSink.h"

struct ShownMessage {
    std::string text, caption;
    MessageIcon icon;
};

// Keeps every box the core shows; questions are answered with `answer`.
class RecordingMessages final : public MessageReporter {
  public:
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shown.push_back({std::string(text), std::string(caption), icon});
    }
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return answer; }
    std::vector<ShownMessage> shown;
    bool answer = false;
};

class RecordingProgress final : public ProgressSink {
  public:
    void Report(std::int32_t done, std::int32_t total) override { calls.emplace_back(done, total); }
    std::vector<std::pair<std::int32_t, std::int32_t>> calls;
};
