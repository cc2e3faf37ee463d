// Over many random grids: every length field equals the bytes it covers, every index is in
// range, no polygon repeats a point, counts agree with the polygon list, progress is sane.

#include <algorithm>
#include <set>

#include "plugin/mesh/BuildPolygonList.h"
#include "tests/plugin/export/ExportHarness.h"

namespace {

struct Sample {
    std::vector<std::uint8_t> file;
    std::uint32_t points;
    PolygonTally tally;
    std::vector<std::pair<std::int32_t, std::int32_t>> progress;
};

Sample WriteSample(std::int32_t format, std::mt19937& rng) {
    MeshSettings s = DefaultSettings(static_cast<std::int32_t>(rng() % 3),
                                     static_cast<std::int32_t>(1 + rng() % 4));
    s.BlackHoles = static_cast<std::int32_t>(rng() % 2);
    // Anywhere in the ranges the dialog allows.
    std::uniform_real_distribution<float> length(0.1f, 500.0f);
    s.MapAlt = length(rng);
    s.RadOff = length(rng);
    s.ModelScale = length(rng);
    s.CylLen = std::max(1.0f, length(rng));
    const auto rows = static_cast<std::uint16_t>(1 + rng() % 40);
    const auto cols = static_cast<std::uint16_t>(1 + rng() % 40);
    TestMesh mesh(rows, cols, RandomGrays(std::size_t{rows} * cols, rng, 4, 1 + rng() % 5), s);
    Sample sample{{},
                  static_cast<std::uint32_t>(mesh.Points()),
                  TallyPolygons(mesh.settings, mesh.buffers),
                  {}};
    RecordingProgress progress;
    sample.file = ExportBytes(mesh, format, progress);
    sample.progress = progress.calls;
    return sample;
}

void ExpectDistinctInRange(const std::vector<std::uint32_t>& corners, std::uint32_t points) {
    EXPECT_EQ(std::set<std::uint32_t>(corners.begin(), corners.end()).size(), corners.size());
    for (std::uint32_t i : corners)
        EXPECT_LT(i, points);
}

void ExpectSaneProgress(const Sample& s) {
    std::int64_t last = -1;
    for (const auto& [done, total] : s.progress) {
        EXPECT_GT(total, 0);
        EXPECT_GE(done, 0);
        EXPECT_LE(done, total);
        EXPECT_GE(std::int64_t{done} * 1000 / total, last);
        last = std::int64_t{done} * 1000 / total;
    }
}

// Walks a run of 3DS chunks that must fill [begin, end) exactly; returns id -> offset.
std::multimap<std::uint16_t, std::size_t> Chunks(const std::vector<std::uint8_t>& f,
                                                 std::size_t begin, std::size_t end) {
    std::multimap<std::uint16_t, std::size_t> found;
    std::size_t at = begin;
    while (at + 6 <= end) {
        const std::uint32_t length = U32LE(f, at + 2);
        EXPECT_GE(length, 6u);
        if (length < 6)
            break;
        found.emplace(U16LE(f, at), at);
        at += length;
    }
    EXPECT_EQ(at, end) << "chunks do not fill their parent";
    return found;
}

TEST(FileStructure, TdsChunksFillTheirParents) {
    std::mt19937 rng(101);
    for (int round = 0; round < 150; ++round) {
        const Sample s = WriteSample(kTds, rng);
        const auto& f = s.file;
        ASSERT_GT(f.size(), 1236u);
        ASSERT_EQ(U32LE(f, 2), f.size());
        Chunks(f, 6, f.size());
        const auto editor = Chunks(f, 22, 16 + U32LE(f, 18));
        const std::size_t object = editor.find(0x4000)->second;
        ASSERT_EQ(std::string(f.begin() + object + 6, f.begin() + object + 9),
                  std::string("01\0", 3));
        const auto mesh = Chunks(f, object + 9, object + U32LE(f, object + 2));
        const std::size_t trimesh = mesh.find(0x4100)->second;
        const auto parts = Chunks(f, trimesh + 6, trimesh + U32LE(f, trimesh + 2));
        const std::size_t vertices = parts.find(0x4110)->second;
        EXPECT_EQ(U16LE(f, vertices + 6), s.points);
        const std::size_t faces = parts.find(0x4120)->second;
        const std::uint16_t count = U16LE(f, faces + 6);
        EXPECT_EQ(count, s.tally.triangles);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t face = faces + 8 + 8 * i;
            ExpectDistinctInRange({U16LE(f, face), U16LE(f, face + 2), U16LE(f, face + 4)},
                                  s.points);
            EXPECT_EQ(U16LE(f, face + 6), 6);
        }
        Chunks(f, faces + 8 + 8 * count, faces + U32LE(f, faces + 2));
        ExpectSaneProgress(s);
    }
}

TEST(FileStructure, CobObjectSizeCoversItsData) {
    std::mt19937 rng(202);
    for (int round = 0; round < 150; ++round) {
        const Sample s = WriteSample(kCob, rng);
        const auto& f = s.file;
        const std::uint32_t size = U32LE(f, 48);
        ASSERT_EQ(f.size(), 32u + 20 + size + 57 + 20);
        EXPECT_EQ(std::string(f.begin() + 52 + size, f.begin() + 56 + size), "Mat1");
        EXPECT_EQ(U32LE(f, 52 + size + 16), 37u);
        EXPECT_EQ(U32LE(f, 156), s.points);
        std::size_t at = 156 + 4 + 12 * std::size_t{s.points};
        EXPECT_EQ(U32LE(f, at), s.points);
        at += 4 + 8 * std::size_t{s.points};
        EXPECT_EQ(U32LE(f, at), s.tally.faces);
        at += 4;
        for (std::uint32_t i = 0; i < s.tally.faces; ++i) {
            const std::uint16_t n = U16LE(f, at + 1);
            ASSERT_TRUE(n == 3 || n == 4);
            std::vector<std::uint32_t> corners;
            for (int k = 0; k < n; ++k) {
                corners.push_back(U32LE(f, at + 5 + 8 * k));
                EXPECT_EQ(U32LE(f, at + 9 + 8 * k), corners.back());
            }
            ExpectDistinctInRange(corners, s.points);
            at += 5 + 8 * std::size_t{n};
        }
        EXPECT_EQ(at, 52u + size);
        ExpectSaneProgress(s);
    }
}

TEST(FileStructure, LwoFormAndChunkLengthsMatch) {
    std::mt19937 rng(303);
    for (int round = 0; round < 150; ++round) {
        const Sample s = WriteSample(kLwo, rng);
        const auto& f = s.file;
        ASSERT_EQ(U32BE(f, 4), f.size() - 8);
        std::size_t at = 12;
        std::map<std::string, std::pair<std::size_t, std::uint32_t>> chunks;
        while (at + 8 <= f.size()) {
            chunks[std::string(f.begin() + at, f.begin() + at + 4)] = {at + 8, U32BE(f, at + 4)};
            at += 8 + U32BE(f, at + 4);
        }
        ASSERT_EQ(at, f.size());
        EXPECT_EQ(chunks["PNTS"].second, 12 * s.points);
        auto [polygon, size] = chunks["POLS"];
        const std::size_t end = polygon + size;
        std::uint64_t count = 0, corners = 0;
        while (polygon < end) {
            const std::uint16_t n = U16BE(f, polygon);
            ASSERT_TRUE(n == 3 || n == 4);
            std::vector<std::uint32_t> indices;
            for (int k = 0; k < n; ++k)
                indices.push_back(U16BE(f, polygon + 2 + 2 * k));
            ExpectDistinctInRange(indices, s.points);
            EXPECT_EQ(U16BE(f, polygon + 2 + 2 * n), 1);
            polygon += 4 + 2 * std::size_t{n};
            ++count;
            corners += n;
        }
        EXPECT_EQ(polygon, end);
        EXPECT_EQ(count, s.tally.faces);
        EXPECT_EQ(corners, s.tally.cornerCount);
        ExpectSaneProgress(s);
    }
}

TEST(FileStructure, PolyfaceNumbersStayAmongItsVertices) {
    std::mt19937 rng(404);
    for (int round = 0; round < 60; ++round) {
        const Sample s = WriteSample(kPolylineDxf, rng);
        const auto lines = Lines(std::string(s.file.begin(), s.file.end()));
        ASSERT_EQ(lines[12], "71");
        EXPECT_EQ(std::stoul(lines[13]), s.points);
        EXPECT_EQ(std::stoul(lines[15]), s.tally.faces);
        std::uint64_t faces = 0;
        for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
            if (lines[i] != "70" || lines[i + 1] != "128")
                continue;
            ++faces;
            std::vector<std::uint32_t> corners;
            for (std::size_t j = i + 2; j + 1 < lines.size() && lines[j] != "0"; j += 2)
                corners.push_back(static_cast<std::uint32_t>(std::stoul(lines[j + 1])) - 1);
            ASSERT_TRUE(corners.size() == 3 || corners.size() == 4);
            ExpectDistinctInRange(corners, s.points);
        }
        EXPECT_EQ(faces, s.tally.faces);
        ExpectSaneProgress(s);
    }
}

// Pictures smaller than the sampling minimum, and single rows and columns, in every format.
TEST(FileStructure, TinyPicturesWriteCompleteFiles) {
    for (std::int32_t format = kNxmDxf; format <= kLwo; ++format) {
        for (std::int32_t meshType = 0; meshType < 3; ++meshType) {
            for (std::uint16_t rows = 1; rows <= 3; ++rows) {
                for (std::uint16_t cols = 1; cols <= 3; ++cols) {
                    for (std::int32_t meshRes : {1, 8}) {
                        TestMesh mesh(rows, cols, Filled(std::size_t{rows} * cols, 77),
                                      DefaultSettings(meshType, meshRes));
                        MemoryOutputFile file;
                        RecordingMessages messages;
                        RecordingProgress progress;
                        ASSERT_EQ(ExportTo(mesh, format, file, "tiny.out", messages, progress),
                                  ExportOutcome::Written);
                        ASSERT_TRUE(messages.shown.empty());
                        const auto& f = file.bytes;
                        if (format == kTds) {
                            EXPECT_EQ(U32LE(f, 2), f.size());
                        }
                        if (format == kLwo) {
                            EXPECT_EQ(U32BE(f, 4), f.size() - 8);
                        }
                        if (format == kCob) {
                            EXPECT_EQ(U32LE(f, 48) + 32 + 20 + 57 + 20, f.size());
                        }
                    }
                }
            }
        }
    }
}

} // namespace
