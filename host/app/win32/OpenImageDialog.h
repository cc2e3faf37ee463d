#pragma once
// The open-file dialog of Open Image File: BMP and TIFF pictures first, then all files.

#include <string>

// The chosen file's full path; empty when the user cancelled.
std::string ChooseImageFile();
