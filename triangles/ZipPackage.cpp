#include "triangles/ZipPackage.h"

#include <zip.h>

#include <ctime>
#include <memory>

namespace {

// 2000-01-01 12:00, as the zip headers write it. libzip turns a time into their date
// through the local time zone, so the time is the one the local zone calls that noon: the
// same parts then give the same bytes on every machine.
std::time_t EntryTime() {
    std::tm noon{};
    noon.tm_year = 100;
    noon.tm_mday = 1;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    return std::mktime(&noon);
}
// Deflated fast: the parts are text of numbers, which packs well at any level.
constexpr zip_uint32_t kDeflateLevel = 1;
constexpr std::size_t kPieceSize = 256 * 1024;

std::string Reason(const char* step, zip_error_t* error) {
    return std::string("3MF packing failed (") + step + "): " + zip_error_strerror(error);
}

struct SourceRelease {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceRelease>;

} // namespace

std::optional<std::string> PackZip(const std::vector<ZipPart>& parts,
                                   const std::function<void(const void*, std::size_t)>& put) {
    zip_error_t error;
    zip_error_init(&error);
    // The archive is written into a buffer source, which is kept past the archive's close.
    SourceHandle memory(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!memory)
        return Reason("buffer", &error);
    zip_source_keep(memory.get());
    zip_t* archive = zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        const std::string reason = Reason("open", &error);
        zip_error_fini(&error);
        return reason;
    }
    const std::time_t entryTime = EntryTime();
    for (const ZipPart& part : parts) {
        // A source of known size: libzip then writes the sizes into the entry's headers
        // instead of reserving zip64 fields for them.
        zip_source_t* data = zip_source_buffer(archive, part.data.data(), part.data.size(), 0);
        const zip_int64_t index =
            data == nullptr ? -1 : zip_file_add(archive, part.name.c_str(), data, 0);
        if (index < 0) {
            zip_source_free(data);
            const std::string reason = Reason("add", zip_get_error(archive));
            zip_discard(archive);
            return reason;
        }
        const auto entry = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive, entry, ZIP_CM_DEFLATE, kDeflateLevel) != 0 ||
            zip_file_set_mtime(archive, entry, entryTime, 0) != 0) {
            const std::string reason = Reason("entry", zip_get_error(archive));
            zip_discard(archive);
            return reason;
        }
    }
    if (zip_close(archive) != 0) {
        const std::string reason = Reason("close", zip_get_error(archive));
        zip_discard(archive);
        return reason;
    }
    if (zip_source_open(memory.get()) != 0)
        return Reason("read", zip_source_error(memory.get()));
    std::vector<char> piece(kPieceSize);
    zip_int64_t got = 0;
    while ((got = zip_source_read(memory.get(), piece.data(), piece.size())) > 0)
        put(piece.data(), static_cast<std::size_t>(got));
    std::optional<std::string> reason;
    if (got < 0)
        reason = Reason("read", zip_source_error(memory.get()));
    zip_source_close(memory.get());
    return reason;
}
