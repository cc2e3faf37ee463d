#pragma once
// Writes small TIFF files by hand, entry by entry, in either byte order, so that tests can
// make exactly the directory they need (including ones no encoder would write).

#include <cstdint>
#include <vector>

namespace readertest {

class TiffBuilder {
  public:
    explicit TiffBuilder(bool bigEndian = false);

    // Appends raw bytes to the data area; returns their file position.
    std::uint32_t AddData(const std::vector<std::uint8_t>& bytes);
    // Appends 16-bit values in the file's byte order; returns their position.
    std::uint32_t AddShorts(const std::vector<std::uint16_t>& values);
    std::uint32_t AddLongs(const std::vector<std::uint32_t>& values);

    // Entries with a SHORT value, a LONG value, or a raw value field.
    void Short(std::uint16_t tag, std::uint16_t value, std::uint32_t count = 1);
    void Long(std::uint16_t tag, std::uint32_t value, std::uint32_t count = 1);
    void Entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t field);

    void SetVersion(std::uint16_t value) { version_ = value; }
    // The whole file: header, data area, then the directory.
    std::vector<std::uint8_t> Build() const;

  private:
    void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) const;
    void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) const;

    bool bigEndian_;
    std::uint16_t version_ = 42;
    std::vector<std::uint8_t> data_; // follows the 8-byte header
    std::vector<std::uint8_t> entries_;
    std::uint16_t entryCount_ = 0;
};

// A plain 8-bit gray file: one strip per rowsPerStrip rows, uncompressed.
std::vector<std::uint8_t> GrayTiff(std::uint16_t width, std::uint16_t height,
                                   const std::vector<std::uint8_t>& pixels, bool bigEndian,
                                   std::uint16_t rowsPerStrip);

// A 4 x 5 gray file whose first strip holds two rows, whose second strip lies past the end
// of the file, and whose fifth row has no strip: two of five rows present.
std::vector<std::uint8_t> TiffWithStripsMissing();

} // namespace readertest
