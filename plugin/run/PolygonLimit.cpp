#include "plugin/run/PolygonLimit.h"

std::uint32_t FullResolutionPolygonCount(std::uint16_t rows, std::uint16_t columns) {
    if (rows == 0 || columns == 0)
        return 0;
    return (std::uint32_t{rows} - 1) * (std::uint32_t{columns} - 1);
}

std::uint16_t ReadPolygonLimit(const ProfileStore& profile) {
    return static_cast<std::uint16_t>(
        profile.GetInt(kProfileSection, "MaxPolys", kDefaultMaxPolys) & 0xFFFFu);
}

bool NeedsPolygonQuestion(std::uint32_t polygonCount, std::uint16_t limit) {
    return limit != 0 && limit < polygonCount;
}

std::string PolygonQuestionText(std::uint16_t limit) {
    return "This image will generate more than " + std::to_string(limit) +
           "\npolygons if sampled at 100%.\n\nSome programs may have trouble handling\na model "
           "this large.\n\n\n"
           "Proceed with current image?";
}
