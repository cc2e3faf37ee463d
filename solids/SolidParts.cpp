#include "solids/SolidParts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The angle of a point about the y axis, as the plug-in's columns count it: 0 at +z,
// growing towards -x.
double AngleAboutY(const Vertex& v) {
    return std::atan2(-double{v.x}, double{v.z});
}

// The point's direction about the y axis at radius.
Vertex AtRadius(const Vertex& v, double radius) {
    const double scale = radius / std::hypot(double{v.x}, double{v.z});
    return {static_cast<float>(v.x * scale), v.y, static_cast<float>(v.z * scale)};
}

// Every ring point's angle after from, in [0, 2 pi).
std::vector<double> AnglesAfter(const Ring& ring, double from) {
    std::vector<double> angles;
    for (const IndexedVertex& p : ring) {
        const double turn = std::fmod(AngleAboutY(p.at) - from, kTwoPi);
        angles.push_back(turn < 0 ? turn + kTwoPi : turn);
    }
    return angles;
}

// A ring of points at radius about the y axis, at height y, at `columns` even angles from 0.
std::vector<Vertex> Circle(std::uint32_t columns, double radius, double y) {
    std::vector<Vertex> points;
    for (std::uint32_t k = 0; k < columns; ++k) {
        const double theta = kTwoPi * k / columns;
        points.push_back({static_cast<float>(-radius * std::sin(theta)), static_cast<float>(y),
                          static_cast<float>(radius * std::cos(theta))});
    }
    return points;
}

} // namespace

IndexedVertex SolidParts::AddVertex(const Vertex& v) {
    vertices.push_back(v);
    return {firstVertex + static_cast<std::uint32_t>(vertices.size() - 1), v};
}

Ring SolidParts::AddRing(const std::vector<Vertex>& points) {
    Ring ring;
    for (const Vertex& v : points)
        ring.push_back(AddVertex(v));
    return ring;
}

void SolidParts::Add(const IndexedVertex& a, const IndexedVertex& b, const IndexedVertex& c) {
    triangles.push_back({{a.index, b.index, c.index}});
    corners.insert(corners.end(), {a.at, b.at, c.at});
}

void ZipRings(const Ring& a, const Ring& b, SolidParts& parts) {
    const std::size_t na = a.size(), nb = b.size();
    // Angles measured from a's first vertex; b starts at its first vertex from there on.
    const std::vector<double> turnA = AnglesAfter(a, AngleAboutY(a[0].at));
    std::vector<double> turnB = AnglesAfter(b, AngleAboutY(a[0].at));
    const std::size_t startB =
        static_cast<std::size_t>(std::min_element(turnB.begin(), turnB.end()) - turnB.begin());
    const auto bAt = [&](std::size_t j) { return b[(startB + j) % nb]; };
    const auto bTurn = [&](std::size_t j) {
        return j < nb ? turnB[(startB + j) % nb] : turnB[startB] + kTwoPi;
    };
    std::size_t i = 0, j = 0;
    while (i < na || j < nb) {
        const double nextA = i + 1 < na ? turnA[i + 1] : kTwoPi;
        const bool stepA = j == nb || (i < na && nextA <= bTurn(j + 1));
        if (stepA) {
            if (na > 1)
                parts.Add(a[i], bAt(j), a[(i + 1) % na]);
            ++i;
        } else {
            if (nb > 1)
                parts.Add(a[i % na], bAt(j), bAt(j + 1));
            ++j;
        }
    }
}

SolidParts FlatParts(const Ring& rim, const Extent& extent, float baseZ,
                     std::uint32_t firstVertex) {
    SolidParts parts;
    parts.firstVertex = firstVertex;
    Ring base;
    for (const IndexedVertex& p : rim)
        base.push_back(parts.AddVertex({p.at.x, p.at.y, baseZ}));
    const IndexedVertex middle = parts.AddVertex(
        {(extent.low.x + extent.high.x) / 2, (extent.low.y + extent.high.y) / 2, baseZ});
    const std::size_t count = rim.size();
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t n = (k + 1) % count;
        // The wall below the rim's edge k, and the base's slice under it.
        parts.Add(rim[k], rim[n], base[n]);
        parts.Add(rim[k], base[n], base[k]);
        parts.Add(middle, base[k], base[n]);
    }
    return parts;
}

SolidParts TubeParts(const Ring& firstRow, const Ring& lastRow, double innerRadius,
                     std::uint32_t firstVertex) {
    SolidParts parts;
    parts.firstVertex = firstVertex;
    const auto inside = [&](const Ring& row) {
        std::vector<Vertex> points;
        for (const IndexedVertex& p : row)
            points.push_back(AtRadius(p.at, innerRadius));
        return parts.AddRing(points);
    };
    const Ring top = inside(firstRow), bottom = inside(lastRow);
    // The first row's ring, the inner wall, the last row's ring.
    ZipRings(firstRow, top, parts);
    ZipRings(top, bottom, parts);
    ZipRings(bottom, lastRow, parts);
    return parts;
}

SolidParts ShellParts(const ShellShape& shape, const Ring& rim, std::uint32_t firstVertex) {
    SolidParts parts;
    parts.firstVertex = firstVertex;
    const double r = shape.innerRadius;
    const double lastLatitude = shape.opening ? std::acos(shape.openingY / r) : std::numbers::pi;
    const auto steps = static_cast<std::uint32_t>(
        std::max(2.0, std::ceil(lastLatitude / shape.latitudeStep - 1e-9)));
    // From the north pole down, each ring facing inward against the one before.
    Ring above{parts.AddVertex({0, static_cast<float>(r), 0})};
    for (std::uint32_t i = 1; i <= steps; ++i) {
        const double phi = lastLatitude * i / steps;
        Ring ring = i < steps || shape.opening
                        ? parts.AddRing(Circle(shape.columns, r * std::sin(phi), r * std::cos(phi)))
                        : Ring{parts.AddVertex({0, static_cast<float>(-r), 0})};
        ZipRings(above, ring, parts);
        above = std::move(ring);
    }
    if (!shape.opening)
        return parts;
    // The opening's flat ring, from the hole out to below the rim, and up to the rim.
    std::vector<Vertex> below;
    for (const IndexedVertex& p : rim)
        below.push_back({p.at.x, static_cast<float>(shape.openingY), p.at.z});
    const Ring foot = parts.AddRing(below);
    ZipRings(above, foot, parts);
    ZipRings(foot, rim, parts);
    return parts;
}
