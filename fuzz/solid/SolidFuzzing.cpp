#include "fuzz/solid/SolidFuzzing.h"

#include <unistd.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include "fuzz/solid/MeshReadBack.h"
#include "fuzz/solid/SolidOracle.h"
#include "tool/RunQuorvmesh.h"

namespace {

// This process's own folder for the picture and the file.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("qm-fuzz-solid-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

[[noreturn]] void Broken(const std::vector<std::string>& args, const std::string& why) {
    std::fprintf(stderr, "broken promise: %s\n ", why.c_str());
    for (const std::string& arg : args)
        std::fprintf(stderr, " %s", arg.c_str());
    std::fprintf(stderr, "\n");
    std::abort();
}

// The picture as an 8- or 16-bit gray PNG, stored rather than packed: it is written often.
bool WritePicture(const SolidCase& c, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const int depth = c.wide ? 16 : 8;
    std::vector<png_byte> rows(std::size_t{c.rows} * c.cols * (depth / 8));
    for (std::size_t i = 0; i < c.levels.size(); ++i) {
        if (c.wide) {
            rows[2 * i] = static_cast<png_byte>(c.levels[i] >> 8);
            rows[2 * i + 1] = static_cast<png_byte>(c.levels[i]);
        } else {
            rows[i] = static_cast<png_byte>(c.levels[i]);
        }
    }
    bool written = false;
    if (png != nullptr && info != nullptr && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_compression_level(png, 0);
        png_set_IHDR(png, info, c.cols, c.rows, depth, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (std::uint16_t y = 0; y < c.rows; ++y)
            png_write_row(png, rows.data() + std::size_t{y} * c.cols * (depth / 8));
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t chunk[65536];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(file);
    }
    return bytes;
}

} // namespace

int FuzzSolid(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read past the end is caught by the sanitizer.
    const auto copy = std::make_unique<std::uint8_t[]>(size);
    if (size > 0)
        std::memcpy(copy.get(), data, size);
    const SolidCase c = DecodeSolidCase({copy.get(), size});

    const std::string picture = (Folder() / "picture.png").string();
    const std::string output = (Folder() / ("mesh." + c.format)).string();
    const std::vector<std::string> args = Arguments(c, picture, output);
    if (!WritePicture(c, picture))
        return 0; // no room in the temporary folder: nothing to learn
    std::filesystem::remove(output);
    std::ostringstream out, err;
    CliOptions options;
    if (ParseCommandLine(args, options, out, err))
        Broken(args, "the options were refused: " + err.str());
    // The free space is not what is fuzzed; its query is not made.
    CliConsole console{out, err, false,
                       [](const std::string&) { return std::optional<std::uint64_t>(); }};
    const int exitCode = RunQuorvmesh(options, console);
    // Refusals of what cannot be made: a solid of black holes or an opening on what cannot
    // open (1), a picture too small for any triangle or all holes (2), counts beyond the
    // format (3), a solid that cannot be closed with the sizes asked for (5).
    if (exitCode == kExitUsage || exitCode == kExitInput || exitCode == kExitFormat ||
        exitCode == kExitSolid)
        return 0;
    if (exitCode != kExitOk)
        Broken(args, "exit code " + std::to_string(exitCode) + ": " + err.str());
    const auto mesh = ReadBack(Bytes(output), c.format, c.ascii);
    if (!mesh)
        Broken(args, "the file does not parse back");
    if (const auto broken = BrokenPromise(c, *mesh))
        Broken(args, *broken);
    return 0;
}
