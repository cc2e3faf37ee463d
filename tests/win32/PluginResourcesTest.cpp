// The plug-in module's resources: registration bytes, strings, 3DS templates.
// Usage: win32_plugin_resources_test <quorms32.8be> [<TdsHdr.bin> <TdsFtr.bin>]

#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "common/win32/ModuleResources.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Resource(HMODULE module, const char* type, int id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info)
        return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, info)));
    return bytes ? Bytes(bytes, bytes + SizeofResource(module, info)) : Bytes{};
}

Bytes FileBytes(const std::string& path) {
    std::ifstream in(WindowsPath(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The style of a dialog template (the first field of a DLGTEMPLATE).
DWORD TemplateStyle(HMODULE module, const char* name) {
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    const void* bytes = info ? LockResource(LoadResource(module, info)) : nullptr;
    return bytes && SizeofResource(module, info) >= sizeof(DLGTEMPLATE)
               ? static_cast<const DLGTEMPLATE*>(bytes)->style
               : 0;
}

std::string String(HMODULE module, int id) {
    char text[256] = "";
    LoadStringA(module, id, text, sizeof text);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    HMODULE module =
        LoadLibraryExA(WindowsPath(argv[1]).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    QM_CHECK(module != nullptr);
    if (!module)
        return Tally().Finish();

    const Bytes pimi = {0x03, 0x00, 'E',  'x',  'p',  'o',  'r',  't',  0x00,
                        0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00,
                        0x00, 0xFF, 0xFF, 0x20, 0x20, 0x20, 0x20};
    const Bytes menu = {0x03, 0x00, 'Q', 'u', 'o', 'r', 'v', 'M',
                        'e',  's',  'h', '.', '.', '.', 0x00};
    QM_CHECK(Resource(module, "PIMI", 1) == pimi);
    QM_CHECK(Resource(module, "_8BEM", 1) == menu);
    QM_CHECK_EQ(pimi.size(), 25u);
    QM_CHECK_EQ(menu.size(), 15u);

    QM_CHECK_EQ(String(module, 2), "QuorvMesh");
    QM_CHECK_EQ(String(module, 3), "Sorry, there is not enough\nmemory to run QuorvMesh");

    // The filter dialog is a plain captioned popup with a system menu, no modal frame; the
    // About box has the modal frame and no system menu. FONT adds DS_SETFONT.
    QM_CHECK_EQ(TemplateStyle(module, "QuorvDlg"),
                static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    QM_CHECK_EQ(TemplateStyle(module, "AboutDlg"),
                static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT));

    const ModuleResources resources(module);
    QM_CHECK(resources.Find("NoSuchResource").empty());
    for (int i = 2; i + 1 < argc; i += 2) {
        const char* names[] = {"TdsHdr", "TdsFtr"};
        for (int k = 0; k < 2; ++k) {
            const Bytes expected = FileBytes(argv[i + k]);
            const auto found = resources.Find(names[k]);
            QM_CHECK(!expected.empty());
            QM_CHECK(Bytes(found.begin(), found.end()) == expected);
        }
    }
    FreeLibrary(module);
    return Tally().Finish();
}
