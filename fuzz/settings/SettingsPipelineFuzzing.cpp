#include "fuzz/settings/SettingsPipelineFuzzing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "common/EmbeddedResources.h"
#include "fuzz/settings/FuzzOutputFile.h"
#include "plugin/export/ExportMesh.h"
#include "plugin/mesh/HeapBlockAllocator.h"
#include "plugin/mesh/PictureMesh.h"
#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/QuietPreviewHost.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/Statistics.h"
#include "plugin/preview/ViewSetup.h"
#include "plugin/run/IniFile.h"
#include "plugin/run/Parameters.h"
#include "plugin/run/SettingsFile.h"

namespace {

constexpr int kMaxSide = 64;

void Require(bool promise) {
    if (!promise)
        std::abort();
}

class SilentMessages final : public MessageReporter {
  public:
    void Show(std::string_view, std::string_view, MessageIcon) override {}
    bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return true; }
};

class NoProgress final : public ProgressSink {
  public:
    void Report(std::int32_t done, std::int32_t total) override {
        Require(total > 0 && done >= 0 && done <= total);
    }
};

// The settings a run would hold: the INI text first, then the settings file it may be.
MeshSettings DecodedSettings(std::span<const std::uint8_t> bytes) {
    MeshSettings settings{};
    RememberedSettings remembered{};
    std::int16_t orient = 0;
    LoadParameters(
        IniFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())),
        settings, remembered, orient);
    Require(orient >= -1 && orient <= 6);
    SettingsRecord record{};
    if (DecodeSettings(bytes, record) == SettingsStatus::Ok)
        ApplySettingsRecord(record, settings);
    return settings;
}

// A gray picture from the same bytes: its size from the last two, its pixels cycling
// through all of them.
struct Picture {
    std::uint16_t rows, cols;
    std::vector<std::uint8_t> pixels;
};

Picture PictureOf(std::span<const std::uint8_t> bytes) {
    const std::size_t n = bytes.size();
    Picture p{};
    p.cols = static_cast<std::uint16_t>(1 + (n > 0 ? bytes[n - 1] : 0) % kMaxSide);
    p.rows = static_cast<std::uint16_t>(1 + (n > 1 ? bytes[n - 2] : 0) % kMaxSide);
    p.pixels.resize(std::size_t{p.rows} * p.cols);
    for (std::size_t i = 0; i < p.pixels.size(); ++i)
        p.pixels[i] = n ? bytes[(i * 7) % n] : 0;
    return p;
}

void CheckPoints(const PictureMesh& mesh) {
    const MeshSettings& s = mesh.Settings();
    const MeshBuffers& b = mesh.Buffers();
    const std::size_t count = std::size_t{s.meshRows} * PointsPerRow(s);
    for (std::size_t i = 0; i < count; ++i)
        Require(std::isfinite(b.pointX[i]) && std::isfinite(b.pointY[i]) &&
                std::isfinite(b.pointZ[i]));
    for (float bound : {s.maxX, s.minX, s.maxY, s.minY, s.maxZ, s.minZ})
        Require(std::isfinite(bound));
}

// The canvas as the dialog paints it, in each style, on a small surface.
void Preview(PictureMesh& mesh, int width, int height) {
    MeshSettings& s = mesh.Settings();
    s.canvasRect = {0, 0, width, height};
    InitView(s);
    for (std::int32_t style = 0; style <= 2; ++style) {
        s.Shadetype = style;
        SoftwareSurface surface(width, height);
        QuietPreviewHost host;
        PreviewCache cache;
        PaintCanvas(host, surface, s, mesh.Buffers(), cache);
    }
    FormatStatistics(s);
}

// A DXF is text: a number that is not finite would show as a word.
void CheckDxfText(const std::vector<std::uint8_t>& bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (std::string_view word : {"nan", "NAN", "inf", "INF"})
        Require(text.find(word) == std::string_view::npos);
}

void ExportEveryFormat(PictureMesh& mesh) {
    EmbeddedResources resources;
    for (std::int32_t format = kNxmDxf; format <= kLwo; ++format) {
        mesh.Settings().DiskFormat = format;
        mesh.Remake(); // the export turned the last mesh's heights over
        FixedPathChooser chooser("fuzz.mesh");
        FuzzOutputFile file;
        NoProgress progress;
        SilentMessages messages;
        ExportServices services{chooser, file, progress, messages, resources};
        const ExportOutcome outcome = ExportMesh(mesh.Settings(), mesh.Buffers(), services);
        Require(file.BadPatches() == 0);
        Require(outcome == ExportOutcome::Written || outcome == ExportOutcome::RefusedByLimit);
        if (outcome != ExportOutcome::Written)
            continue;
        Require(file.Closed() && !file.Bytes().empty());
        if (format <= kPolylineDxf)
            CheckDxfText(file.Bytes());
    }
}

} // namespace

int FuzzSettingsPipeline(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the end is caught by the sanitizer.
    const auto copy = std::make_unique<std::uint8_t[]>(size);
    if (size)
        std::memcpy(copy.get(), data, size);
    const std::span<const std::uint8_t> bytes(copy.get(), size);

    MeshSettings settings = DecodedSettings(bytes);
    const Picture picture = PictureOf(bytes);
    HeapBlockAllocator allocator;
    PictureMesh mesh(settings, allocator);
    if (mesh.Make({picture.pixels.data(), picture.cols, picture.rows, picture.cols}) !=
        MeshOutcome::Made)
        return 0;
    CheckPoints(mesh);
    Preview(mesh, 1 + picture.cols, 1 + picture.rows);
    ExportEveryFormat(mesh);
    return 0;
}
