// The start-up picture as the main window loads it, and when it cannot.
#include <gtest/gtest.h>

#include <vector>

#include "common/EmbeddedResources.h"
#include "host/app/StartupPicture.h"

namespace {

class FakeResources final : public ResourceBytes {
  public:
    explicit FakeResources(std::vector<std::uint8_t> logo) : logo_(std::move(logo)) {}
    std::span<const std::uint8_t> Find(std::string_view name) const override {
        return name == "Logo" ? std::span<const std::uint8_t>(logo_)
                              : std::span<const std::uint8_t>{};
    }

  private:
    std::vector<std::uint8_t> logo_;
};

TEST(StartupPictureLoad, TheProgramsOwnPictureIsGrayAndExportable) {
    const auto picture = LoadStartupPicture(EmbeddedResources(), 24);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 208);
    EXPECT_EQ(picture->Height(), 120);
    EXPECT_TRUE(picture->IsGray());
    EXPECT_TRUE(picture->HasPalette());
}

TEST(StartupPictureLoad, AMissingOrDamagedResourceGivesNoPicture) {
    EXPECT_EQ(LoadStartupPicture(FakeResources({}), 24), nullptr);
    EXPECT_EQ(LoadStartupPicture(FakeResources({'B', 'M', 1, 2, 3}), 24), nullptr);
    const auto logo = EmbeddedResources().Find("Logo");
    std::vector<std::uint8_t> sixteenBits(logo.begin(), logo.end());
    sixteenBits[28] = 16; // biBitCount
    EXPECT_EQ(LoadStartupPicture(FakeResources(sixteenBits), 24), nullptr);
}

} // namespace
