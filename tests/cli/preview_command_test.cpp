#include <gtest/gtest.h>

#include <CLI/CLI.hpp>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include <unistd.h>

#include "plugin/preview/PaintCanvas.h"
#include "plugin/preview/SoftwareSurface.h"
#include "plugin/preview/ViewSetup.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestMesh.h"
#include "tool/CliOptions.h"
#include "tool/preview/PictureFile.h"
#include "tool/preview/PreviewCommand.h"

namespace fs = std::filesystem;

namespace {

bool Parse(std::vector<std::string> args, PreviewOptions& options, std::string* failure = nullptr) {
    CLI::App app("preview options");
    AddPreviewOptions(app, options);
    args.insert(args.begin(), "quorvmesh");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    try {
        app.parse(int(argv.size()), argv.data());
        return true;
    } catch (const CLI::ParseError& e) {
        if (failure)
            *failure = e.what();
        return false;
    }
}

TEST(PreviewOptions, NothingGivenOverridesNothing) {
    PreviewOptions options;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_TRUE(options.path.empty());
    EXPECT_FALSE(options.shadetype || options.rotation || options.perspective || options.latitude ||
                 options.longitude);
    EXPECT_EQ(options.size.width, 800);
    EXPECT_EQ(options.size.height, 800);
}

TEST(PreviewOptions, StylesViewsSwitchesAndSize) {
    PreviewOptions options;
    ASSERT_TRUE(Parse({"--preview", "a.PNG", "--style", "outlined", "--view", "3/4 view",
                       "--no-perspective", "--latitude", "--no-longitude", "--size", "320x200"},
                      options));
    EXPECT_EQ(options.path, "a.PNG");
    EXPECT_EQ(options.shadetype, 1);
    EXPECT_EQ(*options.rotation, (std::array<float, 3>{0.5235988f, 0.5235988f, 0.0f}));
    EXPECT_EQ(options.perspective, false);
    EXPECT_EQ(options.latitude, true);
    EXPECT_EQ(options.longitude, false);
    EXPECT_EQ(options.size.width, 320);
    EXPECT_EQ(options.size.height, 200);

    for (const auto& [name, shadetype] :
         {std::pair{"wireframe", 0}, std::pair{"shaded", 2}, std::pair{"Shaded", 2}}) {
        PreviewOptions styled;
        ASSERT_TRUE(Parse({"--preview", "a.bmp", "--style", name}, styled)) << name;
        EXPECT_EQ(styled.shadetype, shadetype);
    }
    PreviewOptions back;
    ASSERT_TRUE(Parse({"--preview", "a.bmp", "--view", "Back"}, back));
    EXPECT_EQ(*back.rotation, (std::array<float, 3>{0.0f, 3.1415927f, 0.0f}));
}

TEST(PreviewOptions, ThreeQuarterViewMayBeTypedShort) {
    PreviewOptions full, brief;
    ASSERT_TRUE(Parse({"--preview", "a.png", "--view", "3/4 view"}, full));
    ASSERT_TRUE(Parse({"--preview", "a.png", "--view", "3/4"}, brief));
    EXPECT_EQ(*brief.rotation, *full.rotation);
}

// Through the tool's own parser, where a repeated option counts the last time.
TEST(PreviewOptions, TheLastOfARepeatedOptionCounts) {
    CliOptions options;
    std::ostringstream out, err;
    ASSERT_FALSE(ParseCommandLine({"quorvmesh", "--preview", "a.png", "--view", "front", "--view",
                                   "back", "--style", "shaded", "--style", "outlined",
                                   "--perspective", "--no-perspective", "--no-latitude",
                                   "--latitude", "--size", "10x10", "--size", "20x30"},
                                  options, out, err))
        << err.str();
    EXPECT_EQ(*options.preview.rotation, (std::array<float, 3>{0.0f, 3.1415927f, 0.0f}));
    EXPECT_EQ(options.preview.shadetype, 1);
    EXPECT_EQ(options.preview.perspective, false);
    EXPECT_EQ(options.preview.latitude, true);
    EXPECT_EQ(options.preview.size.width, 20);
    EXPECT_EQ(options.preview.size.height, 30);
}

TEST(PreviewOptions, RotateTakesDegrees) {
    PreviewOptions options;
    ASSERT_TRUE(Parse({"--preview", "a.png", "--rotate", "90,-30,180"}, options));
    EXPECT_FLOAT_EQ((*options.rotation)[0], 1.5707964f);
    EXPECT_FLOAT_EQ((*options.rotation)[1], -0.5235988f);
    EXPECT_FLOAT_EQ((*options.rotation)[2], 3.1415927f);
}

TEST(PreviewOptions, BadValuesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--preview", "a.jpg"},
        {"--preview", "a.png", "--style", "glossy"},
        {"--preview", "a.png", "--view", "sideways"},
        {"--preview", "a.png", "--rotate", "1,2"},
        {"--preview", "a.png", "--rotate", "1,2,3,4"},
        {"--preview", "a.png", "--rotate", "1,nan,3"},
        {"--preview", "a.png", "--view", "top", "--rotate", "1,2,3"},
        {"--preview", "a.png", "--size", "0x10"},
        {"--preview", "a.png", "--size", "10x9000"},
        {"--preview", "a.png", "--size", "99999999999x10"},
        {"--preview", "a.png", "--size", "10*10"},
        {"--style", "shaded"},
    };
    for (const auto& args : bad) {
        PreviewOptions options;
        std::string failure;
        EXPECT_FALSE(Parse(args, options, &failure)) << args.back();
        EXPECT_FALSE(failure.empty());
    }
}

// A mesh made the way the tool makes it: a gray picture sampled and turned into points.
class PreviewTestMesh : public TestMesh {
  public:
    PreviewTestMesh(std::uint16_t rows, std::uint16_t cols, MeshType type)
        : TestMesh(rows, cols, Picture(rows, cols), Settings(type)) {}

  private:
    static std::vector<std::uint8_t> Picture(std::uint16_t rows, std::uint16_t cols) {
        std::vector<std::uint8_t> image(rows * cols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                image[r * cols + c] = static_cast<std::uint8_t>((r * 7 + c * 5) % 256);
        image[cols + 1] = 0; // a black sample
        return image;
    }
    static MeshSettings Settings(MeshType type) {
        MeshSettings settings{};
        settings.MeshRes = 1;
        settings.Meshtype = type;
        settings.MapAlt = 10.0f;
        settings.RadOff = 20.0f;
        settings.ModelScale = 1.0f;
        settings.CylLen = 60.0f;
        settings.DoLatitude = settings.DoLongitude = 1;
        settings.Shadetype = 2;
        settings.Xrot = settings.Yrot = 0.5235988f;
        return settings;
    }
};

class PreviewPicture : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return folder_.File(name); }

    // The picture's gray bytes as ImageMagick decodes them.
    std::vector<std::uint8_t> Decode(const std::string& path) const {
        const std::string raw = Path("decoded.gray");
        const std::string command =
            "/usr/bin/convert '" + path + "' -depth 8 'gray:" + raw + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            return {};
        std::ifstream in(raw, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // What the canvas shows for these settings, drawn directly.
    static std::vector<std::uint8_t> Canvas(MeshSettings settings, const MeshBuffers& buffers,
                                            int width, int height) {
        PreviewOptions options;
        options.size = {width, height};
        PlacePreviewView(options, settings);
        SoftwareSurface surface(width, height);
        struct : PreviewHost {
            void SetStatus(const char*) override {}
            void ShowDialogProgress(std::uint32_t, std::uint32_t) override {}
            void SetStatisticsLine(int, const char*) override {}
            bool CheckAbort() override { return false; }
            std::uint32_t TickCount() override { return 0; }
        } host;
        PreviewCache cache;
        PaintCanvas(host, surface, settings, buffers, cache);
        return surface.Pixels();
    }

    TempFolder folder_;
};

TEST_F(PreviewPicture, WithoutAPathNothingIsWrittenOrChanged) {
    PreviewTestMesh mesh(12, 16, kRectangular);
    const MeshSettings before = mesh.settings;
    std::string error;
    EXPECT_TRUE(WritePreviewPicture(PreviewOptions{}, mesh.settings, mesh.buffers, error));
    EXPECT_EQ(std::memcmp(&before, &mesh.settings, sizeof before), 0);
    EXPECT_TRUE(fs::is_empty(folder_.Path()));
}

TEST_F(PreviewPicture, PngAndBmpHoldTheCanvasAsAnIndependentReaderSeesIt) {
    for (const MeshType type : {kRectangular, kCylindrical, kSpherical}) {
        for (const char* name : {"mesh.png", "mesh.bmp"}) {
            PreviewTestMesh mesh(20, 30, type);
            PreviewOptions options;
            options.path = Path(name);
            options.size = {123, 77}; // odd width: BMP rows are padded
            std::string error;
            const auto expected = Canvas(mesh.settings, mesh.buffers, 123, 77);
            ASSERT_TRUE(WritePreviewPicture(options, mesh.settings, mesh.buffers, error)) << error;
            EXPECT_EQ(Decode(options.path), expected) << name << " type " << type;
            EXPECT_GT(std::count(expected.begin(), expected.end(), 255), 0);
            EXPECT_LT(std::count(expected.begin(), expected.end(), 255), 123 * 77);
        }
    }
}

TEST_F(PreviewPicture, OverridesApplyOnlyWhenGiven) {
    PreviewTestMesh mesh(10, 10, kRectangular);
    mesh.settings.Xrot = 0.3f;
    mesh.settings.DoPerspective = 1;
    PreviewOptions options;
    options.path = Path("a.png");
    std::string error;
    ASSERT_TRUE(WritePreviewPicture(options, mesh.settings, mesh.buffers, error));
    EXPECT_EQ(mesh.settings.Xrot, 0.3f);
    EXPECT_EQ(mesh.settings.DoPerspective, 1);
    EXPECT_EQ(mesh.settings.Shadetype, 2);

    options.rotation = std::array<float, 3>{0.0f, 1.5707964f, 0.0f};
    options.perspective = false;
    options.shadetype = 0;
    options.latitude = false;
    ASSERT_TRUE(WritePreviewPicture(options, mesh.settings, mesh.buffers, error));
    EXPECT_EQ(mesh.settings.Xrot, 0.0f);
    EXPECT_EQ(mesh.settings.Yrot, 1.5707964f);
    EXPECT_EQ(mesh.settings.DoPerspective, 0);
    EXPECT_EQ(mesh.settings.Shadetype, 0);
    EXPECT_EQ(mesh.settings.DoLatitude, 0);
    EXPECT_EQ(mesh.settings.DoLongitude, 1);
}

TEST_F(PreviewPicture, FrontViewFillsTheCanvasWidth) {
    PreviewTestMesh mesh(16, 40, kRectangular);
    PreviewOptions options;
    options.path = Path("front.png");
    options.rotation = std::array<float, 3>{0, 0, 0};
    options.perspective = false;
    options.size = {200, 150};
    std::string error;
    ASSERT_TRUE(WritePreviewPicture(options, mesh.settings, mesh.buffers, error)) << error;
    const auto pixels = Decode(options.path);
    ASSERT_EQ(pixels.size(), 200u * 150u);
    int left = 200, right = -1;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x)
            if (pixels[y * 200 + x] != 255) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_LE(left, 1);
    EXPECT_GE(right, 197);
    EXPECT_EQ(mesh.settings.canvasRect.right, 200);
    EXPECT_FLOAT_EQ(mesh.settings.homeCenterX, 100.01f);
}

TEST_F(PreviewPicture, UnwritableFileIsReportedByName) {
    PreviewTestMesh mesh(8, 8, kRectangular);
    for (const char* name : {"missing/a.png", "missing/a.bmp"}) {
        PreviewOptions options;
        options.path = Path(name);
        std::string error;
        EXPECT_FALSE(WritePreviewPicture(options, mesh.settings, mesh.buffers, error));
        EXPECT_NE(error.find(options.path), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(PictureFile, BmpHeaderDescribesAGrayPaletteAndPaddedRows) {
    const std::vector<std::uint8_t> pixels = {1, 2, 3, 4, 5, 6};
    const auto bytes = EncodeBmp({3, 2, pixels});
    ASSERT_EQ(bytes.size(), 14u + 40 + 1024 + 2 * 4);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[28], 8); // bits per pixel
    EXPECT_EQ(bytes[14 + 40 + 4 * 200], 200);
    const std::size_t data = 14 + 40 + 1024;
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + data, bytes.end()),
              (std::vector<std::uint8_t>{4, 5, 6, 0, 1, 2, 3, 0}));
}

} // namespace
