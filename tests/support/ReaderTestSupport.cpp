#include "tests/support/ReaderTestSupport.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace readertest {

void Decoded::Rgb(std::uint32_t x, std::uint32_t y, std::uint8_t out[3]) const {
    const std::uint8_t* row = rows.data() + std::size_t{y} * stride;
    if (bitsPerPixel == 24) {
        out[0] = row[3 * x + 2];
        out[1] = row[3 * x + 1];
        out[2] = row[3 * x];
        return;
    }
    int index = 0;
    if (bitsPerPixel == 8)
        index = row[x];
    else if (bitsPerPixel == 4)
        index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    else
        index = (row[x / 8] >> (7 - x % 8)) & 1;
    out[0] = colors[index].rgbRed;
    out[1] = colors[index].rgbGreen;
    out[2] = colors[index].rgbBlue;
}

std::vector<std::uint8_t> Decoded::RgbPixels() const {
    std::vector<std::uint8_t> out(std::size_t{width} * height * 3);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            Rgb(x, y, out.data() + (std::size_t{y} * width + x) * 3);
    return out;
}

Decoded Decode(ImageSource& source) {
    Decoded d;
    d.width = source.Width();
    d.height = source.Height();
    d.bitsPerPixel = source.BitsPerPixel();
    d.stride = RowStride(d.width, d.bitsPerPixel);
    d.rows.assign(std::size_t{d.stride} * d.height, 0);
    source.ReadAll(d.rows.data());
    source.ReadPalette(d.colors.data());
    return d;
}

std::vector<std::uint8_t> Pattern(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::uint8_t>(1 + i * 7 % 251);
    return v;
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ToolExists(const std::string& path) {
    return access(path.c_str(), X_OK) == 0;
}

} // namespace readertest
