#pragma once
// The "Writing Mesh File" bar across the bottom of the main window: where it goes and
// which of its columns each progress call inverts.

#include <cstdint>
#include <string_view>

// Three blanks, the words, three blanks.
inline constexpr std::string_view kProgressLabel = "   Writing Mesh File   ";

// Right and bottom exclusive, as the platform's rectangles.
struct BarRect {
    int left, top, right, bottom;
};

struct ProgressBarLayout {
    BarRect frame; // filled white and framed black
    BarRect fill;  // inside the frame's left, right and bottom edges
    int labelX;    // where the label is drawn
    int labelY;
};

// The bar for a client area of clientRight x clientBottom and a label textHeight high.
ProgressBarLayout LayOutProgressBar(int clientRight, int clientBottom, int textHeight);

// Whether a bar has room for at least one column to fill; a narrower one is not shown.
constexpr bool HasColumns(const BarRect& fill) {
    return fill.right - fill.left >= 1;
}

// Whether a progress call ends the bar: the writers report done == total last.
constexpr bool EndsProgress(std::int32_t done, std::int32_t total) {
    return done == total;
}

// Columns first .. end - 1 are to be inverted; empty when end <= first.
struct ColumnSpan {
    int first;
    int end;
};

// The filled part of one bar. Inverting twice would clear a column again, so the fill
// only ever grows: a call that reports less than before inverts nothing.
class ProgressColumns {
  public:
    explicit ProgressColumns(const BarRect& fill);

    // The columns to invert for done of total, two steps ahead (the last row is written
    // before the last call). Nothing for total <= 0 or a bar narrower than one column;
    // done is held to 0 .. total and the product is taken in 64 bits.
    ColumnSpan Advance(std::int32_t done, std::int32_t total);
    // The column after the last filled one.
    int FilledEnd() const { return filledEnd_; }

  private:
    int left_;
    int right_;
    int filledEnd_;
};
