#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "common/LibraryGaps.h"
#include "triangles/TriangleWriters.h"
#include "triangles/ZipPackage.h"

namespace {

// The three parts of a 3MF package with one mesh object, in millimetres.
constexpr std::string_view kContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"model\" "
    "ContentType=\"application/vnd.ms-package.3dmanufacturing-3dmodel+xml\"/>"
    "</Types>\n";
constexpr std::string_view kRelationships =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Target=\"/3D/3dmodel.model\" Id=\"rel0\" "
    "Type=\"http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel\"/>"
    "</Relationships>\n";
constexpr std::string_view kModelOpening =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<model unit=\"millimeter\" xml:lang=\"en-US\" "
    "xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
    " <metadata name=\"Application\">quorvmesh</metadata>\n"
    " <resources>\n"
    "  <object id=\"1\" type=\"model\" name=\"quorvmesh\">\n"
    "   <mesh>\n"
    "    <vertices>\n";
constexpr std::string_view kModelMiddle = "    </vertices>\n    <triangles>\n";
constexpr std::string_view kModelClosing = "    </triangles>\n"
                                           "   </mesh>\n"
                                           "  </object>\n"
                                           " </resources>\n"
                                           " <build>\n"
                                           "  <item objectid=\"1\"/>\n"
                                           " </build>\n"
                                           "</model>\n";

constexpr std::size_t kLongestIndexText = 10;
constexpr std::size_t kLongestVertexLine = 64 + 3 * kLongestFloatText;
constexpr std::size_t kLongestTriangleLine = 64 + 3 * kLongestIndexText;
// What a vertex and a triangle take at most as a rule (coordinates of 8 or 9 digits, indices
// of 7 or 8), to reserve the text at once.
constexpr std::size_t kVertexLineGuess = 60, kTriangleLineGuess = 58;

// Text appended in place: each line is written straight after the last, into room for the
// longest it can be. The room is not cleared first: a model's text is hundreds of megabytes.
class TextBuilder {
  public:
    explicit TextBuilder(std::size_t expected)
        : text_(UninitializedArray<char>(expected)), room_(expected) {}
    template <class Write> void Line(std::size_t longest, Write write) {
        if (size_ + longest > room_)
            Grow(size_ + longest);
        char* const first = text_.get() + size_;
        size_ += static_cast<std::size_t>(write(first) - first);
    }
    void Put(std::string_view text) {
        Line(text.size(), [text](char* out) { return std::copy(text.begin(), text.end(), out); });
    }
    std::string_view Text() const { return {text_.get(), size_}; }

  private:
    void Grow(std::size_t needed) {
        const std::size_t room = std::max(needed, room_ + room_ / 2);
        auto text = UninitializedArray<char>(room);
        std::copy(text_.get(), text_.get() + size_, text.get());
        text_ = std::move(text);
        room_ = room;
    }

    std::unique_ptr<char[]> text_;
    std::size_t room_, size_ = 0;
};

// A literal's text without its terminating zero, copied by a size known when compiled.
template <std::size_t N> char* PutText(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + N - 1;
}

TextBuilder ModelText(TriangleSource& source, const TriangleCounts& counts) {
    TextBuilder model(kModelOpening.size() + kModelMiddle.size() + kModelClosing.size() +
                      kVertexLineGuess * counts.vertices + kTriangleLineGuess * counts.triangles);
    model.Put(kModelOpening);
    source.ForEachVertexBlock([&model](std::span<const Vertex> block) {
        for (const Vertex& v : block)
            model.Line(kLongestVertexLine, [&v](char* out) {
                out = PutText(out, "     <vertex x=\"");
                out += WriteShortestFloat(out, v.x);
                out = PutText(out, "\" y=\"");
                out += WriteShortestFloat(out, v.y);
                out = PutText(out, "\" z=\"");
                out += WriteShortestFloat(out, v.z);
                return PutText(out, "\"/>\n");
            });
    });
    model.Put(kModelMiddle);
    source.ForEachTriangleBlock(false, [&model](const TriangleBlock& block) {
        for (const Triangle& t : block.triangles)
            model.Line(kLongestTriangleLine, [&t](char* out) {
                out = PutText(out, "     <triangle v1=\"");
                out = std::to_chars(out, out + kLongestIndexText, t.v[0]).ptr;
                out = PutText(out, "\" v2=\"");
                out = std::to_chars(out, out + kLongestIndexText, t.v[1]).ptr;
                out = PutText(out, "\" v3=\"");
                out = std::to_chars(out, out + kLongestIndexText, t.v[2]).ptr;
                return PutText(out, "\"/>\n");
            });
    });
    model.Put(kModelClosing);
    return model;
}

} // namespace

std::optional<std::string> WriteThreeMf(ByteSink& sink, TriangleSource& source,
                                        const TriangleCounts& counts) {
    // The model's text is put together whole, then packed: a zip entry's headers give its
    // sizes before its data.
    try {
        const TextBuilder model = ModelText(source, counts);
        return PackZip(
            {{"[Content_Types].xml", kContentTypes},
             {"_rels/.rels", kRelationships},
             {"3D/3dmodel.model", model.Text()}},
            [&sink](const void* bytes, std::size_t size) { sink.PutBytes(bytes, size); });
    } catch (const std::bad_alloc&) {
        return "Not enough memory for the 3MF model.";
    }
}
