// The dialog's lengths as the user types them, sees them and drags them.

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "plugin/ui/EditLimits.h"

namespace {

constexpr LengthField kFields[] = {LengthField::MapAlt, LengthField::ModelScale,
                                   LengthField::RadOff, LengthField::CylLen};

TEST(EditLimits, MapAltitudeBeepsWhenHeldToALimit) {
    const EditCommit high = CommitEditText(LengthField::MapAlt, "1000", 25.0f);
    EXPECT_EQ(high.value, 500.0f);
    EXPECT_TRUE(high.beep);
    const EditCommit low = CommitEditText(LengthField::MapAlt, "0", 25.0f);
    EXPECT_EQ(low.value, 0.1f);
    EXPECT_TRUE(low.beep);
    EXPECT_FALSE(CommitEditText(LengthField::MapAlt, "500", 25.0f).beep);
    EXPECT_FALSE(CommitEditText(LengthField::MapAlt, "0.1", 25.0f).beep);
    EXPECT_EQ(CommitEditText(LengthField::MapAlt, "12.5", 25.0f).value, 12.5f);
}

TEST(EditLimits, OtherLengthsAreHeldSilently) {
    const EditCommit cyl = CommitEditText(LengthField::CylLen, "0.5", 100.0f);
    EXPECT_EQ(cyl.value, 1.0f);
    EXPECT_FALSE(cyl.beep);
    for (const LengthField field : {LengthField::ModelScale, LengthField::RadOff}) {
        EXPECT_EQ(CommitEditText(field, "-3", 1.0f).value, 0.1f);
        EXPECT_EQ(CommitEditText(field, "9999", 1.0f).value, 500.0f);
        EXPECT_FALSE(CommitEditText(field, "9999", 1.0f).beep);
    }
}

TEST(EditLimits, TextThatIsNotANumberKeepsThePreviousValue) {
    for (const LengthField field : kFields) {
        for (const char* text : {"", "abc", "-", ".", "nan", "NAN", "inf", "-inf", "infinity"}) {
            const EditCommit commit = CommitEditText(field, text, 42.0f);
            EXPECT_EQ(commit.value, 42.0f) << text;
            EXPECT_FALSE(commit.beep) << text;
        }
    }
    // A number followed by other characters reads as the number, as the scan always did.
    EXPECT_EQ(CommitEditText(LengthField::CylLen, "12abc", 1.0f).value, 12.0f);
}

TEST(EditLimits, OnlySevenCharactersAreRead) {
    // "1234567" is read, the eighth digit is not.
    EXPECT_EQ(CommitEditText(LengthField::CylLen, "000012345", 1.0f).value, 123.0f);
    EXPECT_EQ(CommitEditText(LengthField::ModelScale, "  0.25", 1.0f).value, 0.25f);
}

TEST(EditLimits, EveryFloatFormatsWholeWithThreeDecimals) {
    EXPECT_EQ(ParameterText(500.0f), "500.000");
    EXPECT_EQ(ParameterText(0.1f), "0.100");
    EXPECT_EQ(ParameterText(25.0f), "25.000");
    const std::string huge = ParameterText(-FLT_MAX);
    EXPECT_EQ(huge.size(), 1 + 39 + 4u);
    EXPECT_EQ(huge.substr(huge.size() - 4), ".000");
}

TEST(EditLimits, SliderValuesFollowTheTable) {
    EXPECT_EQ(SliderMaximum(LengthField::MapAlt), 500);
    EXPECT_EQ(SliderMaximum(LengthField::ModelScale), 5000);
    EXPECT_EQ(SliderMaximum(LengthField::RadOff), 5000);
    EXPECT_EQ(SliderMaximum(LengthField::CylLen), 500);
    EXPECT_EQ(SliderValueOf(LengthField::MapAlt, 25.9f), 25);
    EXPECT_EQ(SliderValueOf(LengthField::ModelScale, 1.0f), 10);
    EXPECT_EQ(SliderValueOf(LengthField::RadOff, 0.25f), 2);
    EXPECT_EQ(SliderValueOf(LengthField::CylLen, 500.0f), 500);
    EXPECT_EQ(ParameterOfSliderValue(LengthField::ModelScale, 5000), 500.0f);
    EXPECT_EQ(ParameterOfSliderValue(LengthField::RadOff, 3), 0.3f);
    EXPECT_EQ(ParameterOfSliderValue(LengthField::MapAlt, 65535), 65535.0f);
    // Unchecked values still land inside the 16-bit field.
    EXPECT_EQ(SliderValueOf(LengthField::MapAlt, -5.0f), 0);
    EXPECT_EQ(SliderValueOf(LengthField::ModelScale, FLT_MAX), 65535);
}

TEST(EditLimits, EachFieldEditsItsOwnParameter) {
    MeshSettings s{};
    ParameterOf(LengthField::MapAlt, s) = 1;
    ParameterOf(LengthField::ModelScale, s) = 2;
    ParameterOf(LengthField::RadOff, s) = 3;
    ParameterOf(LengthField::CylLen, s) = 4;
    EXPECT_EQ(s.MapAlt, 1.0f);
    EXPECT_EQ(s.ModelScale, 2.0f);
    EXPECT_EQ(s.RadOff, 3.0f);
    EXPECT_EQ(s.CylLen, 4.0f);
    EXPECT_EQ(&LimitsOf(LengthField::CylLen), &kCylLenLimits);
    EXPECT_EQ(&LimitsOf(LengthField::MapAlt), &kMapAltLimits);
}

} // namespace
