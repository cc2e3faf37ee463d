#include "fuzz/solid/MeshReadBack.h"

#include <cstring>
#include <map>
#include <sstream>
#include <string_view>
#include <tuple>

#include "Model/COM/NMR_DLLInterfaces.h"

namespace {

constexpr std::size_t kStlHeader = 80, kStlFacet = 50;

// Positions to indices, as an STL reader welds corners.
class Welder {
  public:
    explicit Welder(ReadBackMesh& mesh) : mesh_(mesh) {}
    std::uint32_t Index(const Vertex& v) {
        const auto [at, added] =
            ids_.emplace(std::make_tuple(v.x, v.y, v.z), static_cast<std::uint32_t>(ids_.size()));
        if (added)
            mesh_.vertices.push_back(v);
        return at->second;
    }

  private:
    ReadBackMesh& mesh_;
    std::map<std::tuple<float, float, float>, std::uint32_t> ids_;
};

float F32At(const std::uint8_t* p) {
    std::uint32_t bits = p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
std::uint32_t U32At(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t{p[3]} << 24;
}

std::optional<ReadBackMesh> BinaryStl(const std::vector<std::uint8_t>& b) {
    if (b.size() < kStlHeader + 4 ||
        std::string_view(reinterpret_cast<const char*>(b.data()), 5) == "solid")
        return std::nullopt;
    const std::uint64_t facets = U32At(b.data() + kStlHeader);
    if (b.size() != kStlHeader + 4 + facets * kStlFacet)
        return std::nullopt;
    ReadBackMesh mesh;
    Welder weld(mesh);
    for (std::uint64_t f = 0; f < facets; ++f) {
        const std::uint8_t* p = b.data() + kStlHeader + 4 + f * kStlFacet + 12; // past the normal
        Triangle t{};
        for (int k = 0; k < 3; ++k)
            t.v[k] = weld.Index({F32At(p + 12 * k), F32At(p + 12 * k + 4), F32At(p + 12 * k + 8)});
        mesh.triangles.push_back(t);
    }
    return mesh;
}

// Reads the next word, which must be `word`.
bool Expect(std::istream& in, std::string_view word) {
    std::string got;
    return static_cast<bool>(in >> got) && got == word;
}

// A whole word that reads as a float.
bool Number(std::istream& in, float& value) {
    std::string word;
    if (!(in >> word))
        return false;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return end == word.c_str() + word.size() && !word.empty();
}

std::optional<ReadBackMesh> TextStl(const std::vector<std::uint8_t>& b) {
    std::istringstream in(std::string(b.begin(), b.end()));
    std::string name;
    if (!Expect(in, "solid") || !(in >> name))
        return std::nullopt;
    ReadBackMesh mesh;
    Welder weld(mesh);
    std::string word;
    while (in >> word && word == "facet") {
        float ignored;
        if (!Expect(in, "normal") || !Number(in, ignored) || !Number(in, ignored) ||
            !Number(in, ignored) || !Expect(in, "outer") || !Expect(in, "loop"))
            return std::nullopt;
        Triangle t{};
        for (int k = 0; k < 3; ++k) {
            Vertex v{};
            if (!Expect(in, "vertex") || !Number(in, v.x) || !Number(in, v.y) || !Number(in, v.z))
                return std::nullopt;
            t.v[k] = weld.Index(v);
        }
        if (!Expect(in, "endloop") || !Expect(in, "endfacet"))
            return std::nullopt;
        mesh.triangles.push_back(t);
    }
    if (word != "endsolid" || !Expect(in, name) || in >> word)
        return std::nullopt;
    return mesh;
}

std::optional<ReadBackMesh> Obj(const std::vector<std::uint8_t>& b) {
    std::istringstream in(std::string(b.begin(), b.end()));
    ReadBackMesh mesh;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind) || kind[0] == '#')
            continue;
        if (kind == "v") {
            Vertex v{};
            if (!Number(words, v.x) || !Number(words, v.y) || !Number(words, v.z))
                return std::nullopt;
            mesh.vertices.push_back(v);
        } else if (kind == "f") {
            Triangle t{};
            for (std::uint32_t& index : t.v) {
                long long oneBased = 0;
                if (!(words >> oneBased) || oneBased < 1 ||
                    static_cast<std::uint64_t>(oneBased) > mesh.vertices.size())
                    return std::nullopt;
                index = static_cast<std::uint32_t>(oneBased - 1);
            }
            mesh.triangles.push_back(t);
        } else {
            return std::nullopt;
        }
        std::string more;
        if (words >> more)
            return std::nullopt;
    }
    return mesh;
}

std::optional<ReadBackMesh> Ply(const std::vector<std::uint8_t>& b) {
    const std::string_view text(reinterpret_cast<const char*>(b.data()), b.size());
    constexpr std::string_view kEnd = "end_header\n";
    const std::size_t end = text.find(kEnd);
    if (text.substr(0, 4) != "ply\n" || end == std::string_view::npos)
        return std::nullopt;
    std::istringstream header{std::string(text.substr(0, end))};
    std::string line;
    std::uint64_t vertices = 0, faces = 0;
    while (std::getline(header, line)) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first == "element" && second == "vertex")
            words >> vertices;
        if (first == "element" && second == "face")
            words >> faces;
    }
    std::size_t at = end + kEnd.size();
    if (b.size() != at + 12 * vertices + 13 * faces)
        return std::nullopt;
    ReadBackMesh mesh;
    for (std::uint64_t i = 0; i < vertices; ++i, at += 12)
        mesh.vertices.push_back({F32At(&b[at]), F32At(&b[at + 4]), F32At(&b[at + 8])});
    for (std::uint64_t i = 0; i < faces; ++i, at += 13) {
        if (b[at] != 3)
            return std::nullopt;
        Triangle t{};
        for (int k = 0; k < 3; ++k) {
            t.v[k] = U32At(&b[at + 1 + 4 * k]);
            if (t.v[k] >= vertices)
                return std::nullopt;
        }
        mesh.triangles.push_back(t);
    }
    return mesh;
}

// Releases a lib3mf object at the end of the scope.
struct Released {
    NMR::PLib3MFBase* object = nullptr;
    ~Released() {
        if (object != nullptr)
            NMR::lib3mf_release(object);
    }
};

std::optional<ReadBackMesh> ThreeMf(const std::vector<std::uint8_t>& b) {
    Released model, reader, objects, object;
    BOOL more = false;
    DWORD vertices = 0, triangles = 0;
    if (NMR::lib3mf_createmodel(&model.object) != LIB3MF_OK ||
        NMR::lib3mf_model_queryreader(model.object, "3mf", &reader.object) != LIB3MF_OK ||
        NMR::lib3mf_reader_readfrombuffer(reader.object, const_cast<BYTE*>(b.data()), b.size()) !=
            LIB3MF_OK ||
        NMR::lib3mf_model_getmeshobjects(model.object, &objects.object) != LIB3MF_OK ||
        NMR::lib3mf_resourceiterator_movenext(objects.object, &more) != LIB3MF_OK || !more ||
        NMR::lib3mf_resourceiterator_getcurrent(objects.object, &object.object) != LIB3MF_OK ||
        NMR::lib3mf_meshobject_getvertexcount(object.object, &vertices) != LIB3MF_OK ||
        NMR::lib3mf_meshobject_gettrianglecount(object.object, &triangles) != LIB3MF_OK)
        return std::nullopt;
    std::vector<NMR::MODELMESHVERTEX> v(vertices);
    std::vector<NMR::MODELMESHTRIANGLE> t(triangles);
    if ((vertices > 0 && NMR::lib3mf_meshobject_getvertices(object.object, v.data(), vertices,
                                                            nullptr) != LIB3MF_OK) ||
        (triangles > 0 && NMR::lib3mf_meshobject_gettriangleindices(
                              object.object, t.data(), triangles, nullptr) != LIB3MF_OK) ||
        NMR::lib3mf_resourceiterator_movenext(objects.object, &more) != LIB3MF_OK || more)
        return std::nullopt;
    ReadBackMesh mesh;
    for (const auto& vertex : v)
        mesh.vertices.push_back(
            {vertex.m_fPosition[0], vertex.m_fPosition[1], vertex.m_fPosition[2]});
    for (const auto& triangle : t) {
        Triangle tri{};
        for (int k = 0; k < 3; ++k) {
            if (triangle.m_nIndices[k] >= vertices)
                return std::nullopt;
            tri.v[k] = triangle.m_nIndices[k];
        }
        mesh.triangles.push_back(tri);
    }
    return mesh;
}

} // namespace

std::optional<ReadBackMesh> ReadBack(const std::vector<std::uint8_t>& bytes,
                                     const std::string& format, bool ascii) {
    if (format == "stl")
        return ascii ? TextStl(bytes) : BinaryStl(bytes);
    if (format == "obj")
        return Obj(bytes);
    if (format == "ply")
        return Ply(bytes);
    return ThreeMf(bytes);
}
