#include "fuzz/solid/SolidCase.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int kMaxSide = 40;
// 3MF, whose files cost many times the others to write and read back, one time in eight.
constexpr const char* kFormats[] = {"stl", "obj", "ply", "stl", "obj", "ply", "stl", "3mf"};
constexpr const char* kMeshes[] = {"rectangular", "cylindrical", "spherical"};
constexpr int kResolutions[] = {100, 75, 66, 50, 33, 25, 20, 10};

// Takes the input from the front, a byte at a time; 0 once it is used up.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() << 8 | Byte()); }
    std::span<const std::uint8_t> Rest() const {
        return bytes_.subspan(std::min(at_, bytes_.size()));
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// A length in low..high: mostly a value people give, else any, spread evenly over the
// powers of ten between the two.
float Length(ByteReader& in, float low, float high) {
    static constexpr float kCommon[] = {0.5f, 1.0f, 2.0f, 3.0f, 5.0f, 10.0f, 25.0f, 60.0f, 100.0f};
    const std::uint8_t pick = in.Byte();
    const std::uint16_t spread = in.Word();
    if (pick < 160)
        return std::clamp(kCommon[pick % std::size(kCommon)], low, high);
    const double position = spread / 65535.0;
    return static_cast<float>(
        std::clamp(low * std::pow(double{high} / low, position), double{low}, double{high}));
}

std::optional<float> MaybeLength(ByteReader& in, bool present, float low, float high) {
    if (!present)
        return std::nullopt;
    return Length(in, low, high);
}

std::string Text(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

// The levels from the rest of the input, in one of four kinds of picture.
void DecodeLevels(ByteReader& in, SolidCase& c) {
    const std::uint8_t kind = in.Byte();
    const std::span<const std::uint8_t> rest = in.Rest();
    const std::size_t count = std::size_t{c.rows} * c.cols;
    const std::uint32_t top = c.wide ? 65535 : 255;
    c.levels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = c.wide ? 2 * i : i;
        const std::uint32_t raw = c.wide ? (at + 1 < rest.size() ? rest[at] << 8 | rest[at + 1] : 0)
                                         : (at < rest.size() ? rest[at] : 0);
        const std::size_t row = i / c.cols, col = i % c.cols;
        std::uint32_t level = 0;
        switch (kind % 4) {
        case 0: // the bytes as they are: black wherever they are 0
            level = raw;
            break;
        case 1: // a few levels, black among them
            level = (raw % 4) * top / 3;
            break;
        case 2: // a ramp with the bytes as noise, never black
            level = std::clamp<std::uint32_t>(
                static_cast<std::uint32_t>((row + col) * top / (c.rows + c.cols)) + raw % 16, 1,
                top);
            break;
        default: // one level
            level = rest.empty() ? top : (c.wide ? (rest[0] << 8 | rest[0]) : rest[0]);
            break;
        }
        c.levels[i] = static_cast<std::uint16_t>(std::min(level, top));
    }
}

} // namespace

SolidCase DecodeSolidCase(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    SolidCase c;
    const std::uint8_t shape = in.Byte(), file = in.Byte(), present = in.Byte();
    // For the options to come, a bit each (a number's value then follows the others'): an
    // input whose byte is 0 asks for none of them and keeps its meaning as they are added.
    const std::uint8_t more = in.Byte();
    c.mesh = kMeshes[shape % 3];
    c.solid = shape >> 2 & 1;
    c.invert = shape >> 3 & 1;
    if (shape >> 4 & 1)
        c.blackHoles = (shape >> 5 & 1) != 0;
    c.origin = static_cast<ModelOrigin>((shape >> 6) % 3);
    c.format = kFormats[file % 8];
    c.ascii = file >> 3 & 1;
    c.resolution = kResolutions[(file >> 4) % 8];
    c.wide = file >> 7 & 1;
    // The tool's own limits for each, so that the parser takes every value.
    c.mapAltitude = MaybeLength(in, present & 1, 0.1f, 500.0f);
    c.radialOffset = MaybeLength(in, present >> 1 & 1, 0.1f, 500.0f);
    c.scale = MaybeLength(in, present >> 2 & 1, 0.1f, 500.0f);
    c.cylLength = MaybeLength(in, present >> 3 & 1, 1.0f, 500.0f);
    c.widthMm = MaybeLength(in, present >> 4 & 1, 0.001f, 100000.0f);
    c.reliefMm = MaybeLength(in, present >> 5 & 1, 0.001f, 100000.0f);
    c.baseMm = MaybeLength(in, present >> 6 & 1, 0.001f, 100000.0f);
    c.mirror = more & 1;
    c.lithophane = more >> 1 & 1;
    // --wall and --base exclude each other: a case asks for one of them.
    c.wallMm = MaybeLength(in, (more >> 2 & 1) && !c.baseMm, 0.001f, 100000.0f);
    c.openingMm = MaybeLength(in, more >> 3 & 1, 0.001f, 100000.0f);
    c.heightMm = MaybeLength(in, more >> 4 & 1, 0.001f, 100000.0f);
    c.maxError = MaybeLength(in, more >> 5 & 1, 0.0001f, 1000.0f);
    if (c.maxError && (more >> 7 & 1))
        c.maxError = 0.0f;
    if (more >> 6 & 1)
        c.triangles = 2 + in.Word() % 65534u;
    c.rows = static_cast<std::uint16_t>(1 + in.Byte() % kMaxSide);
    c.cols = static_cast<std::uint16_t>(1 + in.Byte() % kMaxSide);
    DecodeLevels(in, c);
    return c;
}

std::vector<std::string> Arguments(const SolidCase& c, const std::string& picture,
                                   const std::string& output) {
    std::vector<std::string> args = {"quorvmesh", picture, "-o", output, "--quiet"};
    const auto number = [&args](const char* option, const std::optional<float>& value) {
        if (value)
            args.insert(args.end(), {option, Text(*value)});
    };
    args.insert(args.end(), {"--mesh", c.mesh, "--resolution", std::to_string(c.resolution)});
    number("--map-altitude", c.mapAltitude);
    number("--radial-offset", c.radialOffset);
    number("--scale", c.scale);
    number("--cyl-length", c.cylLength);
    number("--width", c.widthMm);
    number("--relief", c.reliefMm);
    number("--base", c.baseMm);
    number("--wall", c.wallMm);
    number("--opening", c.openingMm);
    number("--height", c.heightMm);
    number("--max-error", c.maxError);
    if (c.triangles)
        args.insert(args.end(), {"--triangles", std::to_string(*c.triangles)});
    if (c.mirror)
        args.push_back("--mirror");
    if (c.lithophane)
        args.push_back("--lithophane");
    if (c.ascii)
        args.push_back("--ascii");
    if (c.solid)
        args.push_back("--solid");
    if (c.invert)
        args.push_back("--invert");
    if (c.blackHoles)
        args.push_back(*c.blackHoles ? "--black-holes" : "--no-black-holes");
    if (c.origin == ModelOrigin::kCenter)
        args.push_back("--center");
    if (c.origin == ModelOrigin::kCorner)
        args.push_back("--corner");
    return args;
}
