#include "host/app/win32/OpenImageDialog.h"

#include <windows.h>

#include <commdlg.h>

#include "common/win32/FileDialog.h"

namespace {

// Two descriptions with their patterns, each zero-terminated, and a final zero: 51 bytes.
constexpr char kImageFilter[] = "BMP (*.bmp);TIF (*.tif)\0*.bmp;*.tif\0All (*.*)\0*.*\0";
static_assert(sizeof kImageFilter == 51);

constexpr DWORD kOpenFlags =
    OFN_READONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
static_assert(kOpenFlags == 0x00201811);

} // namespace

std::string ChooseImageFile() {
    return RunFileDialog({FileDialogKind::Open, nullptr, kImageFilter, kOpenFlags}).value_or("");
}
