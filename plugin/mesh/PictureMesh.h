#pragma once
// The one road from a gray picture to a mesh: the mesh memory sized for the picture, the
// sampled grid and the points. Continue, the command-line tool, tests and benchmarks all
// make their meshes here.

#include <cstdint>

#include "common/BlockAllocator.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

// Rows of 8-bit gray, top row first, rowBytes apart (the host's pixels: read, never written).
struct GrayPixels {
    const std::uint8_t* pixels;
    std::uint16_t rowBytes, rows, cols;
};

enum class MeshOutcome {
    Made,
    NoPixels,  // nothing to read: no memory taken, nothing made
    NoMemory,  // the mesh memory could not be had; whatever was obtained is released
    ShortRows, // rows narrower than the picture: memory taken, nothing sampled
};

// Owns the mesh memory of one run and releases it however the run ends (clearing the
// settings' reference into it).
class PictureMesh {
  public:
    PictureMesh(MeshSettings& settings, BlockAllocator& allocator);
    ~PictureMesh();
    PictureMesh(const PictureMesh&) = delete;
    PictureMesh& operator=(const PictureMesh&) = delete;

    // Hands the picture to the settings, allocates the mesh memory, then samples the gray
    // grid and makes the points for the settings' mesh type and resolution.
    MeshOutcome Make(const GrayPixels& picture);
    // Samples and makes the points again after the parameters changed (same picture).
    void Remake();

    MeshSettings& Settings() { return settings_; }
    const MeshSettings& Settings() const { return settings_; }
    MeshBuffers& Buffers() { return buffers_; }
    const MeshBuffers& Buffers() const { return buffers_; }

  private:
    MeshSettings& settings_;
    BlockAllocator& allocator_;
    MeshBuffers buffers_{};
};
