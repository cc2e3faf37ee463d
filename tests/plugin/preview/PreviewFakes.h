#pragma once
// Test doubles for the preview: a host that records what the passes report and can stop
// them, and a surface that records the drawing calls.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/DrawingSurface.h"
#include "common/PreviewHost.h"

class FakeHost : public PreviewHost {
  public:
    void SetStatus(const char* text) override { statuses.emplace_back(text); }
    void ShowDialogProgress(std::uint32_t value, std::uint32_t maximum) override {
        progress.emplace_back(value, maximum);
    }
    void SetStatisticsLine(int line, const char* text) override {
        lines.at(line) = text;
        ++statisticsUpdates;
    }
    bool CheckAbort() override {
        ++abortPolls;
        if (abortInStatus.empty() || LastStatus() != abortInStatus)
            return false;
        return ++pollsInStatus > abortAfterPolls;
    }
    std::uint32_t TickCount() override { return tick += tickStep; }

    std::string LastStatus() const { return statuses.empty() ? "" : statuses.back(); }

    std::vector<std::string> statuses;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> progress;
    std::array<std::string, 4> lines;
    int statisticsUpdates = 0;
    // CheckAbort answers true while the status line shows abortInStatus, from the poll
    // after abortAfterPolls on.
    std::string abortInStatus;
    int abortAfterPolls = 0;
    int abortPolls = 0;
    int pollsInStatus = 0;
    // Each TickCount call advances the clock by tickStep: 0 keeps every deadline pending,
    // a large step makes each one due at once.
    std::uint32_t tick = 1000;
    std::uint32_t tickStep = 0;
};

struct FillCall {
    CanvasPoint corners[4];
    int paletteIndex;
    Pen pen;
};

class RecordingSurface : public DrawingSurface {
  public:
    Pen SelectPen(Pen next) override { return std::exchange(pen, next); }
    void SetRasterMode(RasterMode next) override { modes.push_back(next); }
    void FillPolygon(const CanvasPoint (&corners)[4], int paletteIndex) override {
        fills.push_back({{corners[0], corners[1], corners[2], corners[3]}, paletteIndex, pen});
    }
    void Polyline(const CanvasPoint* points, std::size_t count) override {
        polylines.emplace_back(points, points + count);
    }
    void Line(CanvasPoint from, CanvasPoint to) override { lines.emplace_back(from, to); }
    void FillWhite() override { ++whiteFills; }

    Pen pen = Pen::Black;
    std::vector<RasterMode> modes;
    std::vector<FillCall> fills;
    std::vector<std::vector<CanvasPoint>> polylines;
    std::vector<std::pair<CanvasPoint, CanvasPoint>> lines;
    int whiteFills = 0;
};

inline bool operator==(CanvasPoint a, CanvasPoint b) {
    return a.x == b.x && a.y == b.y;
}
