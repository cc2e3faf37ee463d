#pragma once
// Helpers shared by the reader, image and command-line tests: a message recorder and a
// picture decoded through the readers into plain RGB.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/MessageReporter.h"
#include "host/readers/ImageSource.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace readertest {

class RecordingReporter final : public MessageReporter {
  public:
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
        texts.emplace_back(text);
        captions.emplace_back(caption);
        icons.push_back(icon);
    }
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return false; }
    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<MessageIcon> icons;
};

// What a reader delivered: size, rows in the row layout and the colour table.
struct Decoded {
    std::uint16_t width = 0, height = 0, bitsPerPixel = 0;
    std::uint32_t stride = 0;
    std::vector<std::uint8_t> rows;
    std::vector<RgbQuad> colors = std::vector<RgbQuad>(kColorTableSize, RgbQuad{});

    // The colour of pixel (x, y) as red, green, blue.
    void Rgb(std::uint32_t x, std::uint32_t y, std::uint8_t out[3]) const;
    // Every pixel as red-green-blue bytes, top row first, no padding.
    std::vector<std::uint8_t> RgbPixels() const;
};

Decoded Decode(ImageSource& source);

// Decodes the file through the reader its first two bytes choose. valid is false when
// the file was refused (reporter holds the message) or its type is unknown.
Decoded DecodeFile(const std::string& path, RecordingReporter& reporter, bool& valid);

// Runs a shell command; its exit status.
int RunCommand(const std::string& command);
bool ToolExists(const std::string& path);

} // namespace readertest
