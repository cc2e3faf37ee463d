#include "plugin/ui/AboutLayout.h"

#include <gtest/gtest.h>

TEST(AboutLayout, FaceClickAreaIsTheFacePicture) {
    EXPECT_TRUE(IsOnAboutFace(12, 12));
    EXPECT_TRUE(IsOnAboutFace(239, 247));
    EXPECT_TRUE(IsOnAboutFace(100, 100));
    EXPECT_FALSE(IsOnAboutFace(11, 100));
    EXPECT_FALSE(IsOnAboutFace(240, 100)); // just right of the face
    EXPECT_FALSE(IsOnAboutFace(100, 248));
    EXPECT_FALSE(IsOnAboutFace(100, 11));
    EXPECT_FALSE(IsOnAboutFace(-5, -5));
}

TEST(AboutLayout, BoxIsCentredOnTheScreen) {
    EXPECT_EQ(AboutCentredX(1024), 260);
    EXPECT_EQ(AboutCentredY(768), 239);
    EXPECT_EQ(AboutCentredX(504), 0);
    // A screen smaller than the box puts it partly off screen, evenly.
    EXPECT_EQ(AboutCentredX(404), -50);
}

TEST(AboutLayout, EveryPictureAndButtonFitsInTheBox) {
    for (const AboutRect& picture : kAboutPictures) {
        EXPECT_GE(picture.x, 0);
        EXPECT_GE(picture.y, 0);
        EXPECT_LE(picture.x + picture.width, kAboutWidth);
        EXPECT_LE(picture.y + picture.height, kAboutHeight);
    }
    // The buttons sit right of the maker's logo, below the small print.
    const AboutRect& maker = kAboutPictures[kAboutMakerLogo];
    EXPECT_GE(kAboutButtonX, maker.x + maker.width);
    EXPECT_GT(kAboutOkY,
              kAboutPictures[kAboutSmallPrint].y + kAboutPictures[kAboutSmallPrint].height);
}

TEST(AboutLayout, FacesFollowTheScreenDepth) {
    EXPECT_TRUE(UsesOneBitFaces(1));
    EXPECT_TRUE(UsesOneBitFaces(4));
    EXPECT_TRUE(UsesOneBitFaces(8));
    EXPECT_FALSE(UsesOneBitFaces(16));
    EXPECT_FALSE(UsesOneBitFaces(32));
}

TEST(AboutLayout, TickWaitSurvivesTheCounterWrapping) {
    EXPECT_FALSE(TickWaitOver(1000, 1000, kSquashedFaceTicks));
    EXPECT_FALSE(TickWaitOver(1000, 1799, kSquashedFaceTicks));
    EXPECT_TRUE(TickWaitOver(1000, 1800, kSquashedFaceTicks));
    // Started 100 ticks before the wrap: a signed or plain comparison of now with
    // start + 800 would wait 49.7 days here, or end at once.
    const std::uint32_t start = 0xFFFFFF9Cu;
    EXPECT_FALSE(TickWaitOver(start, 0xFFFFFFFFu, kSquashedFaceTicks));
    EXPECT_FALSE(TickWaitOver(start, 699, kSquashedFaceTicks));
    EXPECT_TRUE(TickWaitOver(start, 700, kSquashedFaceTicks));
    EXPECT_TRUE(TickWaitOver(start, 5000, kSquashedFaceTicks));
}
