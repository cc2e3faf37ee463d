#pragma once
// Base of the format writers: the order of an export, the save-file choice, buffered
// output through outputBuffer, the failed flag, length patches and progress.

#include <algorithm>
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
    // encode(i, bytes): as many as the buffer takes go straight into outputBuffer in one run.
    static constexpr std::size_t kLargestRecord = 64;
    template <class Encode> void WriteRecords(std::size_t count, std::size_t size, Encode encode) {
        std::size_t i = 0;
        while (i < count) {
            // The buffer is flushed only when full, so a run stops one record short of that.
            const std::size_t fits = (kOutputBufferSize - 1 - fill_) / size;
            const std::size_t end = i + std::min(fits, count - i);
            std::uint8_t* out = buffers_.outputBuffer + fill_;
            for (; i < end; ++i, out += size)
                encode(i, out);
            fill_ = static_cast<std::size_t>(out - buffers_.outputBuffer);
            if (i < count) {
                std::uint8_t record[kLargestRecord];
                encode(i, record);
                WriteBytes(record, size);
                ++i;
            }
        }
    }
    // Writes one record of at most maxSize bytes (up to kLargestRecord): encode(bytes) fills
    // it and returns its size. Straight into outputBuffer while it has room.
    template <class Encode> void WriteRecord(std::size_t maxSize, Encode encode) {
        if (fill_ + maxSize < kOutputBufferSize) {
            fill_ += encode(buffers_.outputBuffer + fill_);
        } else {
            std::uint8_t record[kLargestRecord];
            WriteBytes(record, encode(record));
        }
    }
    // Calls visit(record) for every polygon record with a polygon, in cell order, reporting
    // each cell row as the second half of the export's progress.
    template <class Visit> void ForEachPolygon(Visit visit) {
        const std::int64_t total = 2 * std::int64_t{rows_} - 2;
        const PolygonSlot* slot = buffers_.polygonBlock;
        for (std::uint32_t row = 0; row < CellRows(); ++row) {
            ReportRow(rows_ - 1 + row, total);
            for (const PolygonSlot* end = slot + CellsPerRow(); slot != end; ++slot) {
                const PolygonRecord& p = slot->record;
                if (p.count == 3 || p.count == 4)
                    visit(p);
            }
        }
    }
    // Bytes written so far: the offset in the file of the next byte.
    std::uint64_t Position() const { return flushed_ + fill_; }
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
    std::uint64_t flushed_ = 0; // bytes passed on from outputBuffer
};
