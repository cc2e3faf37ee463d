#include "tests/cli/pictures/PictureFiles.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <sstream>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "tool/RunQuorvmesh.h"

namespace picturetest {

namespace {
int ChannelsOf(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

// One row packed at bitDepth, high bits first; 16-bit samples big-endian.
std::vector<png_byte> PackRow(const std::uint16_t* samples, std::size_t count, int bitDepth) {
    std::vector<png_byte> row((count * bitDepth + 7) / 8, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (bitDepth == 16) {
            row[2 * i] = static_cast<png_byte>(samples[i] >> 8);
            row[2 * i + 1] = static_cast<png_byte>(samples[i] & 0xFF);
        } else {
            const std::size_t bit = i * bitDepth;
            row[bit / 8] |= static_cast<png_byte>(samples[i] << (8 - bitDepth - bit % 8));
        }
    }
    return row;
}
} // namespace

void WritePng(const std::string& path, const PngPicture& picture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const std::size_t count = std::size_t{picture.width} * ChannelsOf(picture.colorType);
    std::vector<std::vector<png_byte>> rows;
    for (std::uint32_t y = 0; y < picture.height; ++y)
        rows.push_back(PackRow(picture.samples.data() + y * count, count, picture.bitDepth));
    std::vector<png_bytep> pointers;
    for (auto& row : rows)
        pointers.push_back(row.data());
    if (setjmp(png_jmpbuf(png))) {
        ADD_FAILURE() << "libpng could not write " << path;
    } else {
        png_init_io(png, file);
        png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                     picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        std::vector<png_color> palette;
        for (std::size_t i = 0; i + 2 < picture.palette.size(); i += 3)
            palette.push_back({picture.palette[i], picture.palette[i + 1], picture.palette[i + 2]});
        if (!palette.empty())
            png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
        if (!picture.transparency.empty())
            png_set_tRNS(png, info, picture.transparency.data(),
                         static_cast<int>(picture.transparency.size()), nullptr);
        png_write_info(png, info);
        png_write_image(png, pointers.data());
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void WriteJpeg(const std::string& path, std::uint32_t width, std::uint32_t height, int components,
               const std::vector<std::uint8_t>& samples, bool progressive) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) +
                       std::size_t{info.next_scanline} * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void WriteTiff(const std::string& path, const TiffPicture& p) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, p.width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, p.height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, p.samplesPerPixel);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, p.bitsPerSample);
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, p.sampleFormat);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, p.photometric);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, p.compression);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, p.planar);
    if (!p.colorMap.empty()) {
        const std::size_t plane = p.colorMap.size() / 3;
        TIFFSetField(tiff, TIFFTAG_COLORMAP, p.colorMap.data(), p.colorMap.data() + plane,
                     p.colorMap.data() + 2 * plane);
    }
    if (!p.extraSamples.empty())
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, static_cast<std::uint16_t>(p.extraSamples.size()),
                     p.extraSamples.data());
    const std::size_t sampleBytes = p.bitsPerSample / 8;
    const std::size_t pixelBytes = sampleBytes * p.samplesPerPixel;
    const bool separate = p.planar == PLANARCONFIG_SEPARATE;
    // The samples of one plane (or all of them) of pixel (x, y) into out.
    const auto copyPixel = [&](std::uint8_t* out, std::uint32_t x, std::uint32_t y, int plane) {
        const std::uint8_t* in = p.data.data() + (std::size_t{y} * p.width + x) * pixelBytes;
        if (plane < 0)
            std::memcpy(out, in, pixelBytes);
        else
            std::memcpy(out, in + plane * sampleBytes, sampleBytes);
    };
    const int planes = separate ? p.samplesPerPixel : 1;
    const std::size_t outPixel = separate ? sampleBytes : pixelBytes;
    if (p.tileSize > 0) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, p.tileSize);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, p.tileSize);
        std::vector<std::uint8_t> tile(std::size_t{p.tileSize} * p.tileSize * outPixel);
        for (int plane = 0; plane < planes; ++plane)
            for (std::uint32_t ty = 0; ty < p.height; ty += p.tileSize)
                for (std::uint32_t tx = 0; tx < p.width; tx += p.tileSize) {
                    std::fill(tile.begin(), tile.end(), 0);
                    for (std::uint32_t y = ty; y < std::min(p.height, ty + p.tileSize); ++y)
                        for (std::uint32_t x = tx; x < std::min(p.width, tx + p.tileSize); ++x)
                            copyPixel(tile.data() + ((y - ty) * p.tileSize + (x - tx)) * outPixel,
                                      x, y, separate ? plane : -1);
                    ASSERT_GE(TIFFWriteTile(tiff, tile.data(), tx, ty, 0,
                                            static_cast<std::uint16_t>(plane)),
                              0);
                }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, p.rowsPerStrip);
        std::vector<std::uint8_t> row(p.width * outPixel);
        for (int plane = 0; plane < planes; ++plane)
            for (std::uint32_t y = 0; y < p.height; ++y) {
                for (std::uint32_t x = 0; x < p.width; ++x)
                    copyPixel(row.data() + x * outPixel, x, y, separate ? plane : -1);
                ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), y, static_cast<std::uint16_t>(plane)),
                          1);
            }
    }
    TIFFClose(tiff);
}

std::vector<std::uint8_t> AsBytes(const std::vector<std::uint16_t>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 2);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

std::vector<std::uint8_t> AsBytes(const std::vector<float>& values) {
    std::vector<std::uint8_t> bytes(values.size() * 4);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

std::vector<std::uint8_t> GrayOfImage(const HostImage& image) {
    std::vector<std::uint8_t> gray;
    for (std::uint32_t y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Bits() + std::size_t{y} * image.Stride();
        gray.insert(gray.end(), row, row + image.Width());
    }
    return gray;
}

Loaded Load(const std::string& path, bool alphaHoles, bool invert) {
    Loaded loaded;
    std::ostringstream warnings;
    loaded.failure = LoadPicture(path, PictureOptions{alphaHoles}, loaded.picture, warnings);
    if (!loaded.failure)
        loaded.failure = MakeGray(loaded.picture, invert, path);
    loaded.warnings = warnings.str();
    return loaded;
}

ToolRun RunTool(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"quorvmesh"};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out, err;
    CliOptions options;
    ToolRun run;
    if (auto code = ParseCommandLine(all, options, out, err)) {
        run.exitCode = *code;
    } else {
        CliConsole console{out, err, false};
        run.exitCode = RunQuorvmesh(options, console);
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace picturetest
