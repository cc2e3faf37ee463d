#include "host/readers/OpenImageSource.h"

#include "host/readers/BmpFileSource.h"
#include "host/readers/ByteReader.h"
#include "host/readers/TiffFileSource.h"

FileKind DetectFileKind(SourceFile& file) {
    if (!file.Open())
        return FileKind::Unknown;
    std::uint16_t signature = 0;
    ByteReader reader(file);
    const bool got = reader.U16(signature);
    file.Close();
    if (!got)
        return FileKind::Unknown;
    if (signature == 0x4D42)
        return FileKind::Bmp;
    if (signature == 0x4949 || signature == 0x4D4D)
        return FileKind::Tiff;
    return FileKind::Unknown;
}

std::unique_ptr<ImageSource> CreateImageSource(SourceFile& file, MessageReporter& reporter) {
    switch (DetectFileKind(file)) {
    case FileKind::Bmp:
        return std::make_unique<BmpFileSource>(file, reporter);
    case FileKind::Tiff:
        return std::make_unique<TiffFileSource>(file, reporter);
    default:
        return nullptr;
    }
}
