#include "host/app/StartupPicture.h"

#include "host/readers/BmpResourceSource.h"

std::unique_ptr<HostImage> LoadStartupPicture(const ResourceBytes& resources,
                                              int screenBitsPerPixel) {
    BmpResourceSource source(resources.Find(kStartupPictureName));
    if (!source.IsValid())
        return nullptr;
    auto picture = std::make_unique<HostImage>(source, screenBitsPerPixel);
    if (picture->Failed())
        return nullptr;
    return picture;
}
