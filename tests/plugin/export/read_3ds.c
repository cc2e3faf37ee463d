/* Reads a 3DS file with lib3ds and prints, per mesh: name, points, faces, and the largest
   face index; exits 1 when the file cannot be read. */
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <stdio.h>

int main(int argc, char** argv) {
    Lib3dsFile* file = argc == 2 ? lib3ds_file_load(argv[1]) : NULL;
    if (!file)
        return 1;
    for (Lib3dsMesh* mesh = file->meshes; mesh; mesh = mesh->next) {
        unsigned largest = 0;
        for (unsigned f = 0; f < mesh->faces; ++f)
            for (int k = 0; k < 3; ++k)
                if (mesh->faceL[f].points[k] > largest)
                    largest = mesh->faceL[f].points[k];
        printf("mesh %s points %u faces %u largest %u\n", mesh->name, (unsigned)mesh->points,
               (unsigned)mesh->faces, largest);
    }
    lib3ds_file_free(file);
    return 0;
}
