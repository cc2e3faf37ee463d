#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include <unistd.h>

#include "tests/plugin/preview/GoldenScenes.h"
#include "tests/support/TempFolder.h"

namespace {

std::map<std::string, std::string> StoredChecksums() {
    std::ifstream in(std::string(QM_SOURCE_DIR) + "/" + kGoldenFolder + "/" + kGoldenChecksums);
    std::map<std::string, std::string> stored;
    std::string name, checksum;
    while (in >> name >> checksum)
        stored[name] = checksum;
    return stored;
}

// The pictures were checked by eye when they were made (scripts/regen-preview-goldens);
// since then each rendering must match its checksum to the pixel.
TEST(GoldenPictures, EveryScenePaintsAsItsStoredPicture) {
    const auto stored = StoredChecksums();
    const auto scenes = RenderGoldenScenes();
    ASSERT_EQ(stored.size(), scenes.size());
    for (const GoldenScene& scene : scenes) {
        ASSERT_TRUE(stored.count(scene.name)) << scene.name;
        EXPECT_EQ(PictureChecksum(scene), stored.at(scene.name)) << scene.name;
    }
}

// The stored pictures are the ones checked: ImageMagick decodes each to the pixels drawn.
TEST(GoldenPictures, StoredPicturesHoldTheRenderedPixels) {
    const TempFolder temp;
    const auto& folder = temp.Path();
    for (const GoldenScene& scene : RenderGoldenScenes()) {
        const std::string png =
            std::string(QM_SOURCE_DIR) + "/" + kGoldenFolder + "/" + scene.name + ".png";
        const std::string raw = (folder / (scene.name + ".gray")).string();
        const std::string command =
            "/usr/bin/convert '" + png + "' -depth 8 'gray:" + raw + "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << png;
        std::ifstream in(raw, std::ios::binary);
        const std::vector<std::uint8_t> decoded{std::istreambuf_iterator<char>(in),
                                                std::istreambuf_iterator<char>()};
        EXPECT_EQ(decoded, scene.pixels) << scene.name;
    }
}

} // namespace
