#include "plugin/run/SettingsFile.h"

#include <bit>
#include <cstring>
#include <fstream>

#include "common/LibraryGaps.h"
#include "plugin/run/SettingsRules.h"

namespace {

constexpr std::uint8_t kMagic[4] = {'Q', 'M', 'S', 'T'};
constexpr std::size_t kFieldsOffset = 8;    // version 132: two unused bytes after the version
constexpr std::size_t kOldFieldsOffset = 6; // version 120: none

// Every field in file order, once for all readers and writers.
template <class Record, class Visitor> void VisitFields(Record& r, Visitor& v) {
    v.Float(r.MapAlt), v.Float(r.ModelScale), v.Float(r.RadOff), v.Float(r.CylLen);
    v.Int(r.Meshtype), v.Int(r.DoLongitude), v.Int(r.DoLatitude);
    v.Int(r.DoPerspective), v.Int(r.BlackHoles), v.Int(r.DiskFormat);
    v.Float(r.Xrot), v.Float(r.Yrot), v.Float(r.Zrot);
    v.Int(r.MeshRes), v.Int(r.Tooltype), v.Int(r.Shadetype);
    v.Float(r.viewCenterX), v.Float(r.viewCenterY), v.Float(r.viewZoom);
}

std::uint32_t GetLE(const std::uint8_t* p, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | p[i];
    return value;
}

void PutLE(std::uint8_t* p, std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i, value >>= 8)
        p[i] = static_cast<std::uint8_t>(value);
}

// Reads fields from a buffer known to hold the whole record; integers of intWidth bytes
// are sign-extended.
struct FieldReader {
    const std::uint8_t* at;
    std::size_t intWidth;
    void Float(float& f) {
        f = BitCast<float>(GetLE(at, 4));
        at += 4;
    }
    void Int(std::int32_t& i) {
        const std::uint32_t raw = GetLE(at, intWidth);
        i = intWidth == 2 ? static_cast<std::int16_t>(raw) : static_cast<std::int32_t>(raw);
        at += intWidth;
    }
};

struct FieldWriter {
    std::uint8_t* at;
    void Float(float f) {
        PutLE(at, BitCast<std::uint32_t>(f), 4);
        at += 4;
    }
    void Int(std::int32_t i) {
        PutLE(at, static_cast<std::uint32_t>(i), 4);
        at += 4;
    }
};

} // namespace

SettingsStatus DecodeSettings(std::span<const std::uint8_t> file, SettingsRecord& record) {
    if (file.size() < 6 || std::memcmp(file.data(), kMagic, sizeof kMagic) != 0)
        return SettingsStatus::InvalidFile;
    const std::uint32_t version = GetLE(file.data() + 4, 2);
    if (version != kSettingsVersion && version != kOldSettingsVersion)
        return SettingsStatus::InvalidVersion;
    const bool old = version == kOldSettingsVersion;
    // A short file would leave fields undefined: refuse it rather than guess.
    if (file.size() < (old ? kOldSettingsFileSize : kSettingsFileSize))
        return SettingsStatus::InvalidFile;
    FieldReader reader{file.data() + (old ? kOldFieldsOffset : kFieldsOffset), old ? 2u : 4u};
    SettingsRecord decoded;
    VisitFields(decoded, reader);
    record = decoded;
    return SettingsStatus::Ok;
}

std::array<std::uint8_t, kSettingsFileSize> EncodeSettings(const SettingsRecord& record) {
    std::array<std::uint8_t, kSettingsFileSize> file{};
    std::memcpy(file.data(), kMagic, sizeof kMagic);
    PutLE(file.data() + 4, kSettingsVersion, 2);
    FieldWriter writer{file.data() + kFieldsOffset};
    VisitFields(record, writer);
    return file;
}

SettingsRecord SettingsRecordOf(const MeshSettings& s) {
    return {s.MapAlt,      s.ModelScale,  s.RadOff,        s.CylLen,     s.Meshtype,
            s.DoLongitude, s.DoLatitude,  s.DoPerspective, s.BlackHoles, s.DiskFormat,
            s.Xrot,        s.Yrot,        s.Zrot,          s.MeshRes,    s.Tooltype,
            s.Shadetype,   s.viewCenterX, s.viewCenterY,   s.viewZoom};
}

void ApplySettingsRecord(const SettingsRecord& r, MeshSettings& s) {
    s.MapAlt = r.MapAlt, s.ModelScale = r.ModelScale, s.RadOff = r.RadOff, s.CylLen = r.CylLen;
    s.Meshtype = r.Meshtype, s.DoLongitude = r.DoLongitude, s.DoLatitude = r.DoLatitude;
    s.DoPerspective = r.DoPerspective, s.BlackHoles = r.BlackHoles, s.DiskFormat = r.DiskFormat;
    s.Xrot = r.Xrot, s.Yrot = r.Yrot, s.Zrot = r.Zrot;
    s.MeshRes = r.MeshRes, s.Tooltype = r.Tooltype, s.Shadetype = r.Shadetype;
    s.viewCenterX = r.viewCenterX, s.viewCenterY = r.viewCenterY, s.viewZoom = r.viewZoom;
    CheckSettings(s, SettingsSource::SettingsFile);
}

SettingsStatus LoadSettingsFile(const std::string& path, SettingsRecord& record) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return SettingsStatus::InvalidFile;
    std::array<std::uint8_t, kSettingsFileSize> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    return DecodeSettings(std::span(bytes).first(got), record);
}

bool SaveSettingsFile(const std::string& path, const SettingsRecord& record) {
    const auto bytes = EncodeSettings(record);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    out.close();
    return !out.fail();
}
