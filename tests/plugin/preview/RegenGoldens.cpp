// Renders the golden preview pictures into a folder (tests/data/preview by default) as
// PNG files, for people to look at, and writes their checksums, which the tests compare.
// Usage: qm_preview_goldens [folder]

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/plugin/preview/GoldenScenes.h"
#include "tool/preview/PictureFile.h"

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : kGoldenFolder;
    std::ofstream checksums(folder + "/" + kGoldenChecksums);
    for (const GoldenScene& scene : RenderGoldenScenes()) {
        std::string error;
        if (!WriteGrayPicture(folder + "/" + scene.name + ".png",
                              {scene.width, scene.height, scene.pixels}, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        checksums << scene.name << ' ' << PictureChecksum(scene) << '\n';
        std::printf("%s\n", scene.name.c_str());
    }
    checksums.close();
    if (!checksums) {
        std::fprintf(stderr, "Cannot write %s/%s\n", folder.c_str(), kGoldenChecksums);
        return 1;
    }
    return 0;
}
