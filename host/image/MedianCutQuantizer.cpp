#include "host/image/MedianCutQuantizer.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace {
constexpr std::size_t kCells = std::size_t{1} << 18;

std::size_t CellIndex(const std::uint16_t value[3]) {
    return std::size_t{value[0]} * 4096 + std::size_t{value[1]} * 64 + value[2];
}

// The two channels other than axis, in increasing order.
void OtherAxes(int axis, int& first, int& second) {
    first = axis == 0 ? 1 : 0;
    second = axis == 2 ? 1 : 2;
}
} // namespace

MedianCutQuantizer::MedianCutQuantizer(std::uint16_t maxColors, std::uint16_t width,
                                       std::uint16_t height, const std::uint8_t* pixels)
    : width_(width), height_(height), pixelCount_(std::uint32_t{width} * height),
      maxColors_(std::min<std::uint16_t>(maxColors, 256)), rowBytes_((3u * width + 3) / 4 * 4),
      pixels_(pixels) {}

std::uint64_t MedianCutQuantizer::PlaneSum(const ColorBox& box, int axis, std::uint16_t v) const {
    int a = 0, b = 0;
    OtherAxes(axis, a, b);
    std::uint16_t cell[3];
    cell[axis] = v;
    std::uint64_t sum = 0;
    for (cell[a] = box.min[a]; cell[a] <= box.max[a]; ++cell[a])
        for (cell[b] = box.min[b]; cell[b] <= box.max[b]; ++cell[b])
            sum += histogram_[CellIndex(cell)];
    return sum;
}

void MedianCutQuantizer::Shrink(ColorBox& box) const {
    // Channel by channel, so each channel is searched within the bounds already shrunk.
    for (int c = 0; c < 3; ++c) {
        std::uint16_t v = box.min[c];
        while (v <= box.max[c] && PlaneSum(box, c, v) == 0)
            ++v;
        box.min[c] = v;
        if (box.min[c] > box.max[c])
            return; // no pixels in the box
        std::uint16_t w = box.max[c];
        while (w > box.min[c] && PlaneSum(box, c, w) == 0)
            --w;
        box.max[c] = w;
    }
}

bool MedianCutQuantizer::Run() {
    try {
        histogram_.assign(kCells, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::uint32_t y = 0; y < height_; ++y) {
        const std::uint8_t* p = pixels_ + std::uint64_t{y} * rowBytes_;
        for (std::uint32_t x = 0; x < width_; ++x, p += 3)
            ++histogram_[(p[2] >> 2) * 4096u + (p[1] >> 2) * 64u + (p[0] >> 2)];
    }
    CutBoxes();
    AverageAndSort();
    histogram_.clear();
    histogram_.shrink_to_fit();
    return true;
}

void MedianCutQuantizer::CutBoxes() {
    boxes_[0] = {{0, 0, 0}, {63, 63, 63}, pixelCount_};
    boxCount_ = 1;
    if (pixelCount_ > 0)
        Shrink(boxes_[0]);
    while (boxCount_ < maxColors_ && SplitLargestBox()) {
    }
}

bool MedianCutQuantizer::SplitLargestBox() {
    int chosen = -1;
    for (int i = 0; i < boxCount_; ++i) {
        const ColorBox& b = boxes_[i];
        const bool splittable = b.max[0] > b.min[0] || b.max[1] > b.min[1] || b.max[2] > b.min[2];
        if (splittable && b.count > 0 && (chosen < 0 || b.count > boxes_[chosen].count))
            chosen = i;
    }
    if (chosen < 0)
        return false;
    ColorBox& box = boxes_[chosen];
    int axis = 0;
    for (int c = 1; c < 3; ++c)
        if (box.max[c] - box.min[c] > box.max[axis] - box.min[axis])
            axis = c;
    int slot = boxCount_;
    for (int i = 0; i < boxCount_; ++i)
        if (boxes_[i].count == 0) {
            slot = i;
            break;
        }
    // The first plane at which more than half of the box's pixels lie at or below it.
    std::uint64_t sum = 0;
    std::uint16_t v = box.min[axis];
    for (;; ++v) {
        sum += PlaneSum(box, axis, v);
        if (sum > box.count / 2 || v == box.max[axis])
            break;
    }
    if (v == box.max[axis]) { // keep both halves nonempty
        sum -= PlaneSum(box, axis, v);
        --v;
    }
    ColorBox upper = box;
    upper.min[axis] = static_cast<std::uint16_t>(v + 1);
    upper.count = box.count - static_cast<std::uint32_t>(sum);
    box.max[axis] = v;
    box.count = static_cast<std::uint32_t>(sum);
    Shrink(box);
    Shrink(upper);
    boxes_[slot] = upper;
    if (slot == boxCount_)
        ++boxCount_;
    return true;
}

void MedianCutQuantizer::AverageAndSort() {
    for (int i = 0; i < boxCount_; ++i) {
        const ColorBox& b = boxes_[i];
        std::uint64_t sums[3] = {0, 0, 0};
        std::uint16_t cell[3];
        if (b.count > 0) {
            for (cell[0] = b.min[0]; cell[0] <= b.max[0]; ++cell[0])
                for (cell[1] = b.min[1]; cell[1] <= b.max[1]; ++cell[1])
                    for (cell[2] = b.min[2]; cell[2] <= b.max[2]; ++cell[2]) {
                        const std::uint32_t n = histogram_[CellIndex(cell)];
                        for (int c = 0; c < 3; ++c)
                            sums[c] += std::uint64_t{cell[c]} * n;
                    }
        }
        // A box without pixels (a picture without pixels) is black.
        for (int c = 0; c < 3; ++c)
            colors_[3 * i + c] =
                b.count == 0
                    ? 0
                    : static_cast<std::uint8_t>(std::min<std::uint64_t>(sums[c] / b.count, 255));
    }
    std::array<int, 256> order{};
    std::iota(order.begin(), order.end(), 0);
    auto key = [this](int i) {
        return 30 * colors_[3 * i] + 59 * colors_[3 * i + 1] + 11 * colors_[3 * i + 2];
    };
    std::stable_sort(order.begin(), order.begin() + boxCount_,
                     [&](int a, int b) { return key(a) < key(b); });
    for (int i = 0; i < boxCount_; ++i)
        for (int c = 0; c < 3; ++c)
            sortedColors_[3 * i + c] = colors_[3 * order[i] + c];
}
