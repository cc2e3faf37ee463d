#include <charconv>

#include "common/NumberText.h"
#include "triangles/TriangleWriters.h"

std::size_t WriteShortestFloat(char* out, float value) {
    // Shortest round trip: the text reads back as exactly this float.
    return static_cast<std::size_t>(ShortestText(out, out + kLongestFloatText, value) - out);
}
