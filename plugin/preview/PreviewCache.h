#pragma once
// What the preview keeps between paints. Whatever changes the view or the mesh calls
// ViewChanged and repaints; opening the dialog starts from a default PreviewCache.

struct PreviewCache {
    bool wireTransformed = false;  // screenX/screenY match the view (wireframe)
    bool shadeTransformed = false; // view arrays and screenX/screenY match the view (shaded)
    bool polygonsBuilt = false;    // polygonBlock holds the records of the current transform
    bool polygonsSorted = false;

    void ViewChanged() { wireTransformed = shadeTransformed = false; }
};
