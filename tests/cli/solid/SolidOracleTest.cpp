// The solid fuzz target's oracle and readers must catch what they are there to catch: each
// broken promise on a small hand-made mesh, and files that do not parse.
#include <gtest/gtest.h>

#include <cmath>

#include "fuzz/solid/MeshReadBack.h"
#include "fuzz/solid/SolidOracle.h"

namespace {

// A tetrahedron with its faces turned outward.
ReadBackMesh Tetrahedron() {
    return {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
            {{{0, 2, 1}}, {{0, 1, 3}}, {{0, 3, 2}}, {{1, 2, 3}}}};
}

// Its lowest corner is at the origin, as --corner puts it.
SolidCase Solid() {
    SolidCase c;
    c.solid = true;
    c.origin = ModelOrigin::kCorner;
    return c;
}

TEST(SolidOracle, CatchesEachBrokenPromise) {
    EXPECT_FALSE(BrokenPromise(Solid(), Tetrahedron()));
    ReadBackMesh inside = Tetrahedron();
    for (Triangle& t : inside.triangles)
        std::swap(t.v[1], t.v[2]);
    EXPECT_EQ(BrokenPromise(Solid(), inside), "a solid whose volume is not positive");
    ReadBackMesh open = Tetrahedron();
    open.triangles.pop_back();
    EXPECT_EQ(BrokenPromise(Solid(), open), "an edge of the solid not used once in each direction");
    ReadBackMesh flat = Tetrahedron();
    flat.vertices[3] = {0.5f, 0.5f, 0}; // on the line from 1 to 2
    flat.triangles = {{{1, 2, 3}}};
    EXPECT_EQ(BrokenPromise(SolidCase{}, flat), "a triangle without area");
    ReadBackMesh nan = Tetrahedron();
    nan.vertices[1].x = std::nanf("");
    EXPECT_EQ(BrokenPromise(Solid(), nan), "a coordinate that is not finite");
    SolidCase centred = Solid();
    centred.origin = ModelOrigin::kCenter;
    EXPECT_TRUE(BrokenPromise(centred, Tetrahedron()));
}

TEST(SolidOracle, OpenRectangularSurfacesMustCoverThePicture) {
    SolidCase c; // a 2 x 2 picture: one cell, two triangles facing up
    c.rows = c.cols = 2;
    c.levels = {9, 9, 9, 9};
    ReadBackMesh cell{{{0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}}, {{{0, 3, 2}}, {{2, 1, 0}}}};
    EXPECT_FALSE(BrokenPromise(c, cell));
    ReadBackMesh half = cell;
    half.triangles.pop_back();
    EXPECT_EQ(BrokenPromise(c, half), "the open surface has not two triangles a cell");
    ReadBackMesh down = cell;
    std::swap(down.triangles[1].v[0], down.triangles[1].v[1]);
    EXPECT_EQ(BrokenPromise(c, down), "a triangle of the open surface faces down");
    c.widthMm = 2.0f;
    EXPECT_EQ(BrokenPromise(c, cell), "--width is not the X extent");
    // An open OBJ surface is Y up: the same cell, turned to (x, z, -y), faces up there.
    c.widthMm.reset();
    c.format = "obj";
    ReadBackMesh yUp = cell;
    for (Vertex& v : yUp.vertices)
        v = {v.x, v.z, -v.y};
    EXPECT_FALSE(BrokenPromise(c, yUp));
    EXPECT_EQ(BrokenPromise(c, cell), "a triangle of the open surface faces down");
}

TEST(MeshReadBack, RefusesFilesThatDoNotParse) {
    std::vector<std::uint8_t> stl(84 + 50, 0);
    stl[80] = 1;
    EXPECT_TRUE(ReadBack(stl, "stl", false));
    stl.pop_back();
    EXPECT_FALSE(ReadBack(stl, "stl", false));
    const auto text = [](const std::string& s) {
        return std::vector<std::uint8_t>(s.begin(), s.end());
    };
    EXPECT_TRUE(ReadBack(text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"), "obj", false));
    EXPECT_FALSE(ReadBack(text("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n"), "obj", false));
    EXPECT_FALSE(ReadBack(text("v 0 0 x\n"), "obj", false));
    EXPECT_TRUE(ReadBack(text("solid a\nendsolid a\n"), "stl", true));
    EXPECT_FALSE(ReadBack(text("solid a\nfacet normal 0 0 1\nendsolid a\n"), "stl", true));
    EXPECT_FALSE(ReadBack(text("ply\nelement vertex 1\nend_header\n"), "ply", false));
    EXPECT_FALSE(ReadBack(text("not a zip"), "3mf", false));
}

} // namespace
