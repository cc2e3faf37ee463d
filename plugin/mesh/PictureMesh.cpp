#include "plugin/mesh/PictureMesh.h"

#include "plugin/mesh/MakePoints.h"
#include "plugin/mesh/SampleGrayGrid.h"

PictureMesh::PictureMesh(MeshSettings& settings, BlockAllocator& allocator)
    : settings_(settings), allocator_(allocator) {}

PictureMesh::~PictureMesh() {
    ReleaseMeshBuffers(buffers_, allocator_);
    settings_.grayGrid = nullptr;
}

MeshOutcome PictureMesh::Make(const GrayPixels& picture) {
    settings_.imagePixels = picture.pixels;
    settings_.imageRowBytes = picture.rowBytes;
    settings_.imageRows = picture.rows;
    settings_.imageCols = picture.cols;
    settings_.grayGrid = nullptr;
    ReleaseMeshBuffers(buffers_, allocator_); // a second picture replaces the first
    if (!picture.pixels)
        return MeshOutcome::NoPixels;
    if (!AllocateMeshBuffers(buffers_, picture.rows, picture.cols, allocator_))
        return MeshOutcome::NoMemory;
    if (picture.rowBytes < picture.cols)
        return MeshOutcome::ShortRows;
    Remake();
    return MeshOutcome::Made;
}

void PictureMesh::Remake() {
    SampleGrayGrid(settings_, buffers_);
    MakePoints(settings_, buffers_);
}
