#include "host/readers/OpenImageSource.h"

#include "host/readers/BmpFileSource.h"
#include "host/readers/BmpHeaders.h"
#include "host/readers/ByteReader.h"
#include "host/readers/TiffFileSource.h"

FileKind DetectFileKind(ByteSource& bytes) {
    if (!bytes.Open())
        return FileKind::Unknown;
    std::uint16_t signature = 0;
    ByteReader reader(bytes);
    const bool got = reader.U16(signature);
    bytes.Close();
    if (!got)
        return FileKind::Unknown;
    if (signature == kBmpSignature)
        return FileKind::Bmp;
    if (signature == 0x4949 || signature == 0x4D4D) // "II" or "MM"
        return FileKind::Tiff;
    return FileKind::Unknown;
}

std::unique_ptr<FileImageSource> CreateImageSource(ByteSource& bytes, MessageReporter& reporter) {
    switch (DetectFileKind(bytes)) {
    case FileKind::Bmp:
        return std::make_unique<BmpFileSource>(bytes, reporter);
    case FileKind::Tiff:
        return std::make_unique<TiffFileSource>(bytes, reporter);
    default:
        return nullptr;
    }
}
