#pragma once
// Runs exports of test meshes, into a temporary folder or into memory, and records what the
// user was shown.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "common/EmbeddedResources.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/export/StdioOutputFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MemoryOutputFile.h"
#include "tests/support/Recorders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMesh.h"

class CancellingChooser final : public SaveFileChooser {
  public:
    std::optional<std::string> ChooseSavePath(const char* filterList) override {
        ++asked;
        filter = filterList;
        return std::nullopt;
    }
    int asked = 0;
    const char* filter = nullptr;
};

// One export of a test mesh into `file`, chosen as `path`, with the compiled-in templates.
inline ExportOutcome ExportTo(TestMesh& mesh, std::int32_t format, OutputFile& file,
                              const std::string& path, RecordingMessages& messages,
                              RecordingProgress& progress) {
    mesh.settings.DiskFormat = format;
    FixedPathChooser chooser(path);
    EmbeddedResources resources;
    ExportServices services{chooser, file, progress, messages, resources};
    return ExportMesh(mesh.settings, mesh.buffers, services);
}

// One export of a test mesh to `path` with the native file.
inline ExportOutcome ExportTo(TestMesh& mesh, std::int32_t format, const std::string& path,
                              RecordingMessages& messages, RecordingProgress& progress) {
    StdioOutputFile file;
    return ExportTo(mesh, format, file, path, messages, progress);
}

inline ExportOutcome ExportTo(TestMesh& mesh, std::int32_t format, const std::string& path) {
    RecordingMessages messages;
    RecordingProgress progress;
    const ExportOutcome outcome = ExportTo(mesh, format, path, messages, progress);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    return outcome;
}

// The bytes of one export written into memory; it must succeed without a message.
inline std::vector<std::uint8_t> ExportBytes(TestMesh& mesh, std::int32_t format,
                                             RecordingProgress& progress) {
    MemoryOutputFile file;
    RecordingMessages messages;
    EXPECT_EQ(ExportTo(mesh, format, file, "mesh.out", messages, progress), ExportOutcome::Written);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_FALSE(file.open) << "the file was left open";
    return file.bytes;
}

inline std::vector<std::uint8_t> ExportBytes(TestMesh& mesh, std::int32_t format) {
    RecordingProgress progress;
    return ExportBytes(mesh, format, progress);
}

inline std::uint32_t U32LE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}

inline std::uint16_t U16LE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

inline std::uint32_t U32BE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

inline std::uint16_t U16BE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}
