#include <new>
#include <vector>

#include "Model/COM/NMR_DLLInterfaces.h"
#include "cli/formats/TriangleWriters.h"

namespace {

constexpr char kThreeMfWriterClass[] = "3mf";
constexpr char kObjectName[] = "quorvmesh";

// Releases a lib3mf object when it goes out of scope.
template <class T> class Lib3mfHandle {
  public:
    Lib3mfHandle() = default;
    Lib3mfHandle(const Lib3mfHandle&) = delete;
    Lib3mfHandle& operator=(const Lib3mfHandle&) = delete;
    ~Lib3mfHandle() {
        if (object_ != nullptr)
            NMR::lib3mf_release(object_);
    }
    T** Out() { return &object_; }
    T* Get() const { return object_; }

  private:
    T* object_ = nullptr;
};

// lib3mf's text for the last failure of instance.
std::string LastError(NMR::PLib3MFBase* instance, const char* step) {
    DWORD code = 0;
    LPCSTR text = nullptr;
    if (instance != nullptr)
        NMR::lib3mf_getlasterror(instance, &code, &text);
    std::string reason = std::string("3MF ") + step + " failed";
    if (text != nullptr && *text != '\0')
        reason += std::string(": ") + text;
    return reason;
}

std::optional<std::string> PutThreeMf(ByteSink& sink, TriangleSource& source,
                                      const TriangleCounts& counts) {
    // lib3mf keeps the whole model: it is put together in memory, then passed to the sink.
    std::vector<NMR::MODELMESHVERTEX> vertices;
    vertices.reserve(counts.vertices);
    source.ForEachVertexBlock([&vertices](std::span<const Vertex> block) {
        for (const Vertex& v : block)
            vertices.push_back({{v.x, v.y, v.z}});
    });
    std::vector<NMR::MODELMESHTRIANGLE> triangles;
    triangles.reserve(counts.triangles);
    source.ForEachTriangleBlock(false, [&triangles](const TriangleBlock& block) {
        for (const Triangle& t : block.triangles)
            triangles.push_back({{t.v[0], t.v[1], t.v[2]}});
    });

    Lib3mfHandle<NMR::PLib3MFModel> model;
    if (NMR::lib3mf_createmodel(model.Out()) != LIB3MF_OK)
        return LastError(model.Get(), "model");
    Lib3mfHandle<NMR::PLib3MFModelMeshObject> mesh;
    Lib3mfHandle<NMR::PLib3MFModelBuildItem> item;
    if (NMR::lib3mf_model_setunit(model.Get(), NMR::MODELUNIT_MILLIMETER) != LIB3MF_OK ||
        NMR::lib3mf_model_addmeshobject(model.Get(), mesh.Out()) != LIB3MF_OK)
        return LastError(model.Get(), "model");
    if (NMR::lib3mf_object_setnameutf8(mesh.Get(), kObjectName) != LIB3MF_OK ||
        NMR::lib3mf_meshobject_setgeometry(mesh.Get(), vertices.data(),
                                           static_cast<DWORD>(vertices.size()), triangles.data(),
                                           static_cast<DWORD>(triangles.size())) != LIB3MF_OK)
        return LastError(mesh.Get(), "mesh");
    if (NMR::lib3mf_model_addbuilditem(model.Get(), mesh.Get(), nullptr, item.Out()) != LIB3MF_OK)
        return LastError(model.Get(), "build item");
    vertices = {};
    triangles = {};

    Lib3mfHandle<NMR::PLib3MFModelWriter> writer;
    if (NMR::lib3mf_model_querywriter(model.Get(), kThreeMfWriterClass, writer.Out()) != LIB3MF_OK)
        return LastError(model.Get(), "writer");
    ULONG64 size = 0;
    if (NMR::lib3mf_writer_getstreamsize(writer.Get(), &size) != LIB3MF_OK)
        return LastError(writer.Get(), "writer");
    std::vector<BYTE> bytes(size);
    if (NMR::lib3mf_writer_writetobuffer(writer.Get(), bytes.data(), size) != LIB3MF_OK)
        return LastError(writer.Get(), "writer");
    sink.PutBytes(bytes.data(), bytes.size());
    return std::nullopt;
}

} // namespace

std::optional<std::string> WriteThreeMf(ByteSink& sink, TriangleSource& source,
                                        const TriangleCounts& counts) {
    // The whole model is in memory more than once (ours, lib3mf's, the packed file).
    try {
        return PutThreeMf(sink, source, counts);
    } catch (const std::bad_alloc&) {
        return "Not enough memory for the 3MF model.";
    }
}
