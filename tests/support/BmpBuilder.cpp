#include "tests/support/BmpBuilder.h"

#include "tests/support/LittleEndian.h"

namespace readertest {

using testbytes::Put16;
using testbytes::Put32;

std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout) {
    const std::uint32_t tableAt = 14 + layout.headerSize;
    const std::uint32_t dataAt =
        layout.offBits >= 0 ? static_cast<std::uint32_t>(layout.offBits)
                            : tableAt + static_cast<std::uint32_t>(layout.colorTable.size());
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(dataAt + layout.pixelData.size()));
    Put32(out, 0);
    Put32(out, dataAt);
    Put32(out, layout.headerSize);
    Put32(out, static_cast<std::uint32_t>(layout.width));
    Put32(out, static_cast<std::uint32_t>(layout.height));
    Put16(out, 1);
    Put16(out, layout.bitCount);
    Put32(out, layout.compression);
    Put32(out, static_cast<std::uint32_t>(layout.pixelData.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, layout.clrUsed);
    Put32(out, 0);
    out.resize(tableAt, 0); // the rest of a longer header
    out.insert(out.end(), layout.colorTable.begin(), layout.colorTable.end());
    out.resize(std::max<std::size_t>(out.size(), dataAt), 0);
    out.resize(dataAt);
    out.insert(out.end(), layout.pixelData.begin(), layout.pixelData.end());
    return out;
}

std::vector<std::uint8_t> TestColorTable(int n) {
    std::vector<std::uint8_t> table;
    for (int i = 0; i < n; ++i)
        table.insert(table.end(),
                     {static_cast<std::uint8_t>(3 * i), static_cast<std::uint8_t>(2 * i),
                      static_cast<std::uint8_t>(i), 0});
    return table;
}

} // namespace readertest
