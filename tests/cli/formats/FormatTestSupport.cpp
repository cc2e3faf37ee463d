#include "tests/cli/formats/FormatTestSupport.h"

#include <cstdio>
#include <random>

void VectorTriangleSource::ForEachVertexBlock(const VertexBlockVisit& visit) {
    for (std::size_t i = 0; i < vertices_.size(); i += blockSize_)
        visit(std::span(vertices_).subspan(i, std::min(blockSize_, vertices_.size() - i)));
}

void VectorTriangleSource::ForEachTriangleBlock(bool withCorners, const TriangleBlockVisit& visit) {
    std::vector<Vertex> corners;
    for (std::size_t i = 0; i < triangles_.size(); i += blockSize_) {
        const auto block =
            std::span(triangles_).subspan(i, std::min(blockSize_, triangles_.size() - i));
        corners.clear();
        if (withCorners)
            for (const Triangle& t : block)
                for (const std::uint32_t v : t.v)
                    corners.push_back(vertices_[v]);
        visit({block.size(), block, corners});
    }
}

VectorTriangleSource RandomMesh(std::uint32_t seed, std::size_t vertexCount,
                                std::size_t triangleCount, std::size_t blockSize, bool degenerate,
                                int spread) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-spread, spread);
    std::vector<Vertex> vertices;
    for (std::size_t i = 0; i < vertexCount; ++i) {
        const float scale = std::ldexp(1.0f, exponent(random));
        vertices.push_back({unit(random) * scale, unit(random) * scale, unit(random) * scale});
    }
    std::uniform_int_distribution<std::uint32_t> pick(0, std::uint32_t(vertexCount - 1));
    std::vector<Triangle> triangles;
    while (triangles.size() < triangleCount) {
        Triangle t{{pick(random), pick(random), pick(random)}};
        // The first triangles use every vertex, so that no reader drops one as unused.
        if (const std::size_t first = 3 * triangles.size(); first < vertexCount)
            for (std::size_t k = 0; k < 3; ++k)
                t.v[k] = std::uint32_t((first + k) % vertexCount);
        if (degenerate && triangles.size() % 5 == 0)
            t.v[2] = t.v[0];
        else if (t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2])
            continue;
        triangles.push_back(t);
    }
    return VectorTriangleSource(std::move(vertices), std::move(triangles), blockSize);
}

std::optional<std::string> ToolOutput(const std::string& program, const std::string& arguments) {
    if (std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) != 0)
        return std::nullopt;
    std::FILE* pipe = popen((program + " " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return std::nullopt;
    std::string text;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        text.append(chunk, got);
    pclose(pipe);
    return text;
}

long long NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    if (at == std::string::npos)
        return -1;
    std::size_t number = at + label.size();
    while (number < text.size() && (text[number] == ' ' || text[number] == ':'))
        ++number;
    return std::strtoll(text.c_str() + number, nullptr, 10);
}
