#pragma once
// Base of the format writers: the order of an export, the save-file choice, buffered
// output through outputBuffer, the failed flag, length patches and progress.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "plugin/export/ByteOrder.h"
#include "plugin/export/ExportServices.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/MeshSettings.h"

class MeshWriter {
  public:
    MeshWriter(const MeshWriter&) = delete;
    MeshWriter& operator=(const MeshWriter&) = delete;
    virtual ~MeshWriter();

    // The whole export: format check, save-file choice, file creation, polygon list, the
    // format's body, flush, length patches, close. A failed write removes the file.
    ExportOutcome Export();

    bool Failed() const { return failed_; }

  protected:
    // filterList: the save dialog's filter pairs, ending with an empty text.
    MeshWriter(const char* filterList, MeshSettings& settings, MeshBuffers& buffers,
               ExportServices& services);

    // Whether the format can hold this mesh; asked before any file is chosen.
    virtual bool Accepts() = 0;
    // Writes the file through WriteBytes, after the polygon list is built.
    virtual void WriteBody() = 0;
    // Fixes length fields after everything is flushed (only when nothing failed).
    virtual void PatchLengths() {}

    // Appends bytes to outputBuffer, passing every full buffer to the file. After a failed
    // write the bytes are dropped.
    void WriteBytes(const void* data, std::size_t size) {
        if (fill_ + size < kOutputBufferSize) {
            std::memcpy(buffers_.outputBuffer + fill_, data, size);
            fill_ += size;
        } else {
            WriteBytesSlow(static_cast<const std::uint8_t*>(data), size);
        }
    }
    // Writes count records of `size` bytes (at most kLargestRecord), record i encoded by
    // encode(i, bytes), straight into outputBuffer while it has room.
    static constexpr std::size_t kLargestRecord = 64;
    template <class Encode> void WriteRecords(std::size_t count, std::size_t size, Encode encode) {
        for (std::size_t i = 0; i < count; ++i) {
            if (fill_ + size < kOutputBufferSize) {
                encode(i, buffers_.outputBuffer + fill_);
                fill_ += size;
            } else {
                std::uint8_t record[kLargestRecord];
                encode(i, record);
                WriteBytes(record, size);
            }
        }
    }
    void WriteU16LE(std::uint16_t value) { WriteEncoded<2>(value, PutU16LE); }
    void WriteU32LE(std::uint32_t value) { WriteEncoded<4>(value, PutU32LE); }
    void WriteF32LE(float value) { WriteEncoded<4>(value, PutF32LE); }
    void WriteU16BE(std::uint16_t value) { WriteEncoded<2>(value, PutU16BE); }
    void WriteU32BE(std::uint32_t value) { WriteEncoded<4>(value, PutU32BE); }
    void WriteF32BE(float value) { WriteEncoded<4>(value, PutF32BE); }
    // Overwrites 4 bytes at offset directly in the file.
    void PatchBytes(std::uint32_t offset, const std::uint8_t (&bytes)[4]);

    // Progress of one row of work; skipped when there is nothing to measure (total 0).
    void ReportRow(std::int64_t done, std::int64_t total);

    const MeshSettings& settings() const { return settings_; }
    const MeshBuffers& buffers() const { return buffers_; }
    const PolygonRecord& Polygon(std::size_t cell) const {
        return buffers_.polygonBlock[cell].record;
    }
    float X(std::size_t point) const { return buffers_.pointX[point]; }
    float Y(std::size_t point) const { return buffers_.pointY[point]; }
    float Z(std::size_t point) const { return buffers_.pointZ[point]; }
    std::uint64_t PointCount() const { return std::uint64_t{rows_} * pointsPerRow_; }
    std::uint32_t CellsPerRow() const { return pointsPerRow_ > 0 ? pointsPerRow_ - 1 : 0; }
    std::uint32_t CellRows() const { return rows_ > 0 ? rows_ - 1u : 0; }

    std::int32_t faceCount_ = 0; // polygon records with a polygon, once the list is built
    std::uint16_t rows_;         // meshRows
    std::uint32_t pointsPerRow_; // meshCols, plus the seam column of round meshes

  private:
    template <std::size_t N, class T, class Put> void WriteEncoded(T value, Put put) {
        std::uint8_t bytes[N];
        put(bytes, value);
        WriteBytes(bytes, N);
    }
    void WriteBytesSlow(const std::uint8_t* data, std::size_t size);
    void FlushOutput();

    const char* filterList_;
    MeshSettings& settings_;
    MeshBuffers& buffers_;
    ExportServices& services_;
    bool failed_ = false;
    bool fileOpen_ = false;
    std::size_t fill_ = 0;
};
