#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "GoldenScenes.h"

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

} // namespace
