#include "host/readers/ReaderError.h"

std::string_view ReaderErrorText(ReaderError error) {
    switch (error) {
    case ReaderError::UncommonTiffVersion:
        return "This TIFF file is an uncommon version.\n The image cannot be opened.";
    case ReaderError::UnsupportedBitsPerPixel:
        return "QuorvShell only supports 1, 4, 8, and 24 - bits-per-pixel images.\n This image "
               "cannot be opened.";
    case ReaderError::UnsupportedCompression:
        return "This image uses a form of compression which is not supported by QuorvShell.\n "
               "The image cannot be opened.";
    case ReaderError::DamagedFile:
        return "This image file is damaged or truncated.\n The image cannot be opened.";
    case ReaderError::ImageTooLarge:
        return "This image is too large for QuorvShell.\n The image cannot be opened.";
    case ReaderError::UnsupportedBmpHeader:
        return "This BMP file uses an old header format which is not supported by "
               "QuorvShell.\n The image cannot be opened.";
    case ReaderError::TiledTiff:
        return "This TIFF file stores its image in tiles, which QuorvShell does not support.\n "
               "The image cannot be opened.";
    default:
        return "QuorvMesh has encountered an unidentified error.";
    }
}

void ShowReaderError(MessageReporter& reporter, ReaderError error) {
    // A plain OK box: the readers' messages carry no icon of their own.
    reporter.Show(ReaderErrorText(error), kReaderCaption, MessageIcon::None);
}
