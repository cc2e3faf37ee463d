#include "tests/win32/about/AboutResourcesCheck.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "plugin/ui/AboutLayout.h"
#include "tests/win32/support/TestTally.h"

namespace {

struct ExpectedPicture {
    const char* name;
    int width;
    int height;
    int bits;
    AboutPicture copiedTo;
};

constexpr ExpectedPicture kPictures[] = {
    {"QV_NORM8", 228, 236, 8, kAboutFace},     {"QV_SQSD8", 228, 236, 8, kAboutFace},
    {"QV_NORM1", 228, 236, 1, kAboutFace},     {"QV_SQSD1", 228, 236, 1, kAboutFace},
    {"QM_LGO", 232, 50, 8, kAboutProductLogo}, {"SMALLPRT", 232, 122, 4, kAboutSmallPrint},
    {"TRELL", 170, 46, 4, kAboutMakerLogo},
};

std::string Bytes(HMODULE module, const char* name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string(static_cast<const char*>(data), SizeofResource(module, found))
                : std::string();
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

void PicturesAreAtLeastAsLargeAsTheirCopies(HMODULE module) {
    for (const ExpectedPicture& expected : kPictures) {
        const std::string bytes = Bytes(module, expected.name, MAKEINTRESOURCEA(2));
        QM_CHECK(bytes.size() >= sizeof(BITMAPINFOHEADER));
        if (bytes.size() < sizeof(BITMAPINFOHEADER))
            continue;
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes.data(), sizeof header);
        QM_CHECK_EQ(header.biWidth, expected.width);
        QM_CHECK_EQ(header.biHeight, expected.height);
        QM_CHECK_EQ(header.biBitCount, expected.bits);
        QM_CHECK_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        // Header, the full colour table, the padded rows: nothing missing.
        const std::size_t stride =
            (static_cast<std::size_t>(expected.width) * expected.bits + 31) / 32 * 4;
        QM_CHECK_EQ(bytes.size(), 40 + (4u << expected.bits) + stride * expected.height);
        const AboutRect& copied = kAboutPictures[expected.copiedTo];
        QM_CHECK(header.biWidth >= copied.width);
        QM_CHECK(header.biHeight >= copied.height);
    }
}

void SoundsArePcmMonoAt11025Hz(HMODULE module) {
    const struct {
        const char* name;
        std::uint32_t dataBytes;
    } sounds[] = {{"sndDent", 2948}, {"sndPop", 1484}};
    for (const auto& sound : sounds) {
        const std::string bytes = Bytes(module, sound.name, "WAVE");
        QM_CHECK_EQ(bytes.size(), 44u + sound.dataBytes);
        if (bytes.size() < 44)
            continue;
        QM_CHECK_EQ(bytes.substr(0, 4), "RIFF");
        QM_CHECK_EQ(U32(bytes, 4), bytes.size() - 8);
        QM_CHECK_EQ(bytes.substr(8, 8), "WAVEfmt ");
        QM_CHECK_EQ(U16(bytes, 20), 1u);     // PCM
        QM_CHECK_EQ(U16(bytes, 22), 1u);     // mono
        QM_CHECK_EQ(U32(bytes, 24), 11025u); // samples per second
        QM_CHECK_EQ(U32(bytes, 28), 11025u); // bytes per second
        QM_CHECK_EQ(U16(bytes, 34), 8u);     // bits per sample
        QM_CHECK_EQ(bytes.substr(36, 4), "data");
        QM_CHECK_EQ(U32(bytes, 40), sound.dataBytes);
    }
}

} // namespace

void AboutResourcesHaveTheirSizesDepthsAndLengths(HMODULE module) {
    PicturesAreAtLeastAsLargeAsTheirCopies(module);
    SoundsArePcmMonoAt11025Hz(module);
    QM_CHECK(FindResourceA(module, "AboutDlg", MAKEINTRESOURCEA(5)) != nullptr);
}
