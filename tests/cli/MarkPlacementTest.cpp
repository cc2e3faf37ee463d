// Where a picture's marks land in every triangle format: a big mark up and left, a small one
// down and right, read back from the files. A flat relief reads right from above, a tube or
// globe from outside (left to right as the viewer walks round it counter-clockwise seen from
// above), upright and resting on z = 0; mirrored, they read right from below or inside.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>
#include <sstream>

#include <zip.h>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

using namespace clitest;

namespace {

constexpr std::uint16_t kRows = 64, kCols = 96;
constexpr std::uint8_t kBackground = 100, kMark = 255;
struct Square {
    int top, left, side;
    double Row() const { return top + (side - 1) / 2.0; }
    double Col() const { return left + (side - 1) / 2.0; }
};
// Away from the columns that face the axes, so that neither mark widens the bounding box a
// solid is centred by.
constexpr Square kBig{16, 8, 12}, kSmall{40, 34, 6};

std::vector<std::uint8_t> MarkedPicture() {
    std::vector<std::uint8_t> gray(std::size_t{kRows} * kCols, kBackground);
    for (const Square& s : {kBig, kSmall})
        for (int r = s.top; r < s.top + s.side; ++r)
            for (int c = s.left; c < s.left + s.side; ++c)
                gray[std::size_t(r) * kCols + c] = kMark;
    return gray;
}

struct Point {
    double x, y, z;
};

float F32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    float value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::vector<Point> ReadStl(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    std::vector<Point> points;
    for (std::size_t at = 84; at + 50 <= bytes.size(); at += 50)
        for (int k = 0; k < 3; ++k)
            points.push_back({F32(bytes, at + 12 + 12 * k), F32(bytes, at + 16 + 12 * k),
                              F32(bytes, at + 20 + 12 * k)});
    return points;
}

std::vector<Point> ReadObj(const std::string& path) {
    std::istringstream in(ReadText(path));
    std::vector<Point> points;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        Point p{};
        if (words >> kind >> p.x >> p.y >> p.z && kind == "v")
            points.push_back(p);
    }
    return points;
}

std::vector<Point> ReadPly(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    const std::size_t body = text.find("end_header\n") + 11;
    const std::size_t count = std::stoul(text.substr(text.find("element vertex ") + 15));
    std::vector<Point> points;
    for (std::size_t i = 0; i < count; ++i)
        points.push_back({F32(bytes, body + 12 * i), F32(bytes, body + 12 * i + 4),
                          F32(bytes, body + 12 * i + 8)});
    return points;
}

// The vertices of the model in a 3MF package, unpacked by libzip's reader.
std::vector<Point> ReadThreeMf(const std::string& path) {
    std::string model;
    int error = 0;
    if (zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error)) {
        zip_stat_t stat;
        if (zip_stat(archive, "3D/3dmodel.model", 0, &stat) == 0) {
            if (zip_file_t* file = zip_fopen(archive, "3D/3dmodel.model", 0)) {
                model.resize(stat.size);
                if (zip_fread(file, model.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
                    model.clear();
                zip_fclose(file);
            }
        }
        zip_close(archive);
    }
    std::vector<Point> points;
    for (std::size_t at = model.find("<vertex "); at != std::string::npos;
         at = model.find("<vertex ", at + 1)) {
        Point p{};
        if (std::sscanf(model.c_str() + at, "<vertex x=\"%lf\" y=\"%lf\" z=\"%lf\"", &p.x, &p.y,
                        &p.z) == 3)
            points.push_back(p);
    }
    return points;
}

// The file's points, turned to Z up when the file has Y up.
std::vector<Point> ReadPoints(const std::string& path, const std::string& format, bool yUp) {
    std::vector<Point> points = format == "stl"   ? ReadStl(path)
                                : format == "obj" ? ReadObj(path)
                                : format == "ply" ? ReadPly(path)
                                                  : ReadThreeMf(path);
    if (yUp)
        for (Point& p : points)
            p = {p.x, -p.z, p.y};
    return points;
}

struct Box {
    Point low{1e30, 1e30, 1e30}, high{-1e30, -1e30, -1e30};
    void Add(const Point& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    Point Middle() const {
        return {(low.x + high.x) / 2, (low.y + high.y) / 2, (low.z + high.z) / 2};
    }
};

// The middle of each mark: the points of the highest level, parted where the picture's
// vertical runs (y flat, z round) has its largest gap; the bigger part first.
struct Marks {
    Point big, small;
    bool bigIsUpper;
};
Marks FindMarks(const std::vector<Point>& points, const std::string& mesh, const Point& middle) {
    const auto level = [&](const Point& p) {
        if (mesh == "rectangular")
            return p.z;
        const double dx = p.x - middle.x, dy = p.y - middle.y, dz = p.z - middle.z;
        return mesh == "cylindrical" ? std::hypot(dx, dy) : std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    double top = -1e30;
    for (const Point& p : points)
        top = std::max(top, level(p));
    std::vector<Point> raised;
    for (const Point& p : points)
        if (level(p) > top - 1.0) // white stands 4 * 155 / 255 mm above the background
            raised.push_back(p);
    const auto vertical = [&](const Point& p) { return mesh == "rectangular" ? p.y : p.z; };
    std::sort(raised.begin(), raised.end(),
              [&](const Point& a, const Point& b) { return vertical(a) < vertical(b); });
    std::size_t split = 1;
    for (std::size_t i = 1; i < raised.size(); ++i)
        if (vertical(raised[i]) - vertical(raised[i - 1]) >
            vertical(raised[split]) - vertical(raised[split - 1]))
            split = i;
    const auto centre = [](auto first, auto last) {
        Point sum{0, 0, 0};
        for (auto p = first; p != last; ++p)
            sum = {sum.x + p->x, sum.y + p->y, sum.z + p->z};
        const double n = static_cast<double>(last - first);
        return Point{sum.x / n, sum.y / n, sum.z / n};
    };
    const Point lower = centre(raised.begin(), raised.begin() + split);
    const Point upper = centre(raised.begin() + split, raised.end());
    const bool upperBigger = raised.size() - split > split;
    return {upperBigger ? upper : lower, upperBigger ? lower : upper, upperBigger};
}

double Degrees(double radians) {
    const double degrees = radians * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

// Where a column stands round a tube or globe, seen from above: column 0 at the back (+y),
// the next ones counter-clockwise, or clockwise when mirrored.
double ColumnAngle(double col, bool mirror) {
    const double turn = 360 * col / kCols;
    const double angle = mirror ? 90 - turn : 90 + turn;
    return angle < 0 ? angle + 360 : angle;
}

void ExpectAngle(double actual, double expected, const std::string& what) {
    const double off = std::fmod(std::abs(actual - expected), 360);
    EXPECT_LT(std::min(off, 360 - off), 4.0) << what << ": " << actual << " not " << expected;
}

TEST(MarkPlacement, EveryFormatReadsRightUprightAndOnThePlate) {
    TempFolder dir;
    const std::string picture = dir.File("marks.bmp");
    WriteGrayBmp(picture, kCols, kRows, MarkedPicture());
    for (const std::string mesh : {"rectangular", "cylindrical", "spherical"})
        for (const std::string format : {"stl", "obj", "ply", "3mf"})
            for (const bool solid : {true, false})
                for (const bool mirror : {false, true}) {
                    // Open surfaces in the formats whose axes differ from a solid's or not.
                    if (!solid && format != "stl" && format != "obj")
                        continue;
                    const std::string what = mesh + " " + format + (solid ? " solid" : " open") +
                                             (mirror ? " mirrored" : "");
                    SCOPED_TRACE(what);
                    const std::string path = dir.File("m." + format);
                    std::vector<std::string> args = {picture, "-q",      "-o", path,       "--mesh",
                                                     mesh,    "--width", "80", "--relief", "4"};
                    if (solid)
                        args.push_back("--solid");
                    if (mirror)
                        args.push_back("--mirror");
                    const RunResult run = RunTool(args);
                    ASSERT_EQ(run.exitCode, 0) << run.err;
                    const std::vector<Point> points =
                        ReadPoints(path, format, format == "obj" && !solid);
                    ASSERT_FALSE(points.empty());
                    Box box;
                    for (const Point& p : points)
                        box.Add(p);
                    if (solid) {
                        EXPECT_NEAR(box.low.z, 0, 1e-4);
                    }
                    const Marks marks = FindMarks(points, mesh, box.Middle());
                    // The picture's top rows are up (flat: away, +y).
                    EXPECT_TRUE(marks.bigIsUpper);
                    if (mesh == "rectangular") {
                        const auto across = [&](const Point& p) {
                            const double u = (p.x - box.low.x) / (box.high.x - box.low.x);
                            return mirror ? 1 - u : u;
                        };
                        const auto down = [&](const Point& p) {
                            return (box.high.y - p.y) / (box.high.y - box.low.y);
                        };
                        EXPECT_NEAR(across(marks.big), kBig.Col() / (kCols - 1), 0.03);
                        EXPECT_NEAR(across(marks.small), kSmall.Col() / (kCols - 1), 0.03);
                        EXPECT_NEAR(down(marks.big), kBig.Row() / (kRows - 1), 0.03);
                        EXPECT_NEAR(down(marks.small), kSmall.Row() / (kRows - 1), 0.03);
                        continue;
                    }
                    const Point middle = box.Middle();
                    for (const auto& [mark, square] :
                         {std::pair{marks.big, kBig}, std::pair{marks.small, kSmall}}) {
                        const double dx = mark.x - middle.x, dy = mark.y - middle.y;
                        ExpectAngle(Degrees(std::atan2(dy, dx)), ColumnAngle(square.Col(), mirror),
                                    "column angle");
                        if (mesh == "cylindrical") {
                            EXPECT_NEAR((box.high.z - mark.z) / (box.high.z - box.low.z),
                                        square.Row() / (kRows - 1), 0.03);
                        } else {
                            const double polar =
                                Degrees(std::atan2(std::hypot(dx, dy), mark.z - middle.z));
                            EXPECT_NEAR(polar, 180 * square.Row() / (kRows - 1), 4.0);
                        }
                    }
                }
}

} // namespace
