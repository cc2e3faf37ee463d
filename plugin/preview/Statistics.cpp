#include "plugin/preview/Statistics.h"

#include <cstdio>

namespace {

// Wide enough for any float in "%9.2f", so an extreme box is shown, not cut.
constexpr std::size_t kLineSize = 128;

std::string Range(const char* axis, float minimum, float maximum) {
    char line[kLineSize];
    std::snprintf(line, sizeof line, "%s Range: % #9.2f % #9.2f", axis,
                  static_cast<double>(minimum), static_cast<double>(maximum));
    return line;
}

} // namespace

std::array<std::string, 4> FormatStatistics(const MeshSettings& s) {
    char count[kLineSize];
    if (s.polygonCount == 0)
        std::snprintf(count, sizeof count, "Polygons:  ....");
    else
        std::snprintf(count, sizeof count, "Polygons:  %lu",
                      static_cast<unsigned long>(s.polygonCount));
    return {count, Range("X", s.minX, s.maxX), Range("Y", s.minY, s.maxY),
            Range("Z", s.minZ, s.maxZ)};
}

void ShowStatistics(PreviewHost& host, const MeshSettings& settings) {
    const auto lines = FormatStatistics(settings);
    for (int i = 0; i < 4; ++i)
        host.SetStatisticsLine(i, lines[i].c_str());
}
