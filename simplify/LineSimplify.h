#pragma once
// The samples to keep along a straight run of the grid (a side of the picture, or the line
// two tiles share), so that the straight line between each two kept samples is within the
// limit of every sample between them.

#include <cstddef>
#include <vector>

// heights: the run's samples in order (evenly spaced). Returns the positions kept, ascending,
// the first and the last always among them. Going from each kept sample as far as the limit
// allows: seldom more than the fewest possible.
std::vector<std::size_t> SimplifyLine(const std::vector<float>& heights, double limit);
