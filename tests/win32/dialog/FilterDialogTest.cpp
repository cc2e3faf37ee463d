// Every control of the filter dialog as the user meets it: what it shows at the start, what
// each click, choice and edit does to the parameters the run saves, the limits of the edit
// boxes, the two presses of Enter, the sliders' reports, and the host window's filter.

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "plugin/resources/DialogIds.h"
#include "plugin/ui/SliderMessages.h"
#include "tests/win32/dialog/DialogScript.h"
#include "tests/win32/dialog/DialogTests.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

constexpr std::uint16_t kRows = 48, kCols = 64;

// One run over the ramp picture with script driving the dialog; the INI file the run saved.
std::map<std::string, long> RunScript(FilterDialogDriver& driver, const char* ini,
                                      FilterDialogDriver::Script script) {
    if (ini)
        WriteWindowsIni(ini);
    else
        RemoveWindowsIni();
    PluginHost host(ModulePath());
    QM_CHECK(host.Loaded());
    const int before = driver.Handled();
    driver.RunNext(std::move(script));
    QM_CHECK_EQ(RunWithPicture(host, kRows, kCols), 0);
    QM_CHECK_EQ(driver.Handled(), before + 1);
    return IniValues();
}

void Cancel(HWND dialog) {
    Press(dialog, IDCANCEL);
}

struct ControlRow {
    int id;
    const char* className;
    const char* text;
    RECT units;
    bool visible;
};

// The template's controls with an id, in dialog units.
constexpr ControlRow kControls[] = {
    {IDOK, "Button", "OK", {337, 4, 31, 14}, true},
    {IDCANCEL, "Button", "Cancel", {337, 20, 31, 14}, true},
    {IDC_HELP_BUTTON, "Button", "Help", {337, 38, 31, 14}, true},
    {IDC_TOOL_ZOOM, "Button", "", {186, 2, 23, 18}, true},
    {IDC_TOOL_PAN, "Button", "", {186, 20, 23, 18}, true},
    {IDC_TOOL_ROTATE, "Button", "", {186, 38, 23, 18}, true},
    {IDC_STYLE_WIREFRAME, "Button", "", {186, 55, 23, 18}, true},
    {IDC_STYLE_OUTLINED, "Button", "", {186, 74, 23, 18}, true},
    {IDC_STYLE_SHADED, "Button", "", {186, 92, 23, 18}, true},
    {IDC_CANVAS_PLACEHOLDER, "Static", "", {5, 4, 172, 174}, false},
    {3010, "Static", nullptr, {217, 10, 90, 8}, true},
    {3011, "Static", nullptr, {217, 19, 116, 8}, true},
    {3012, "Static", nullptr, {217, 29, 117, 8}, true},
    {3013, "Static", nullptr, {217, 38, 116, 8}, true},
    {IDC_DISPLAY_GROUP, "Button", "Display", {209, 55, 76, 48}, true},
    {IDC_LONGITUDE, "Button", "Longitude lines", {213, 65, 60, 12}, true},
    {IDC_LATITUDE, "Button", "Latitude lines", {213, 76, 60, 12}, true},
    {IDC_PERSPECTIVE, "Button", "Perspective", {213, 89, 60, 12}, true},
    {IDC_MESH_TYPE_GROUP, "Button", "Mesh type", {289, 55, 79, 48}, true},
    {IDC_RECTANGULAR, "Button", "Rectangular", {295, 68, 58, 9}, true},
    {IDC_CYLINDRICAL, "Button", "Cylindrical", {295, 80, 48, 9}, true},
    {IDC_SPHERICAL, "Button", "Spherical", {295, 91, 48, 9}, true},
    {IDC_MAP_ALTITUDE, "Edit", nullptr, {237, 108, 32, 12}, true},
    {4001, "Static", "", {186, 122, 83, 8}, false},
    {IDC_RADIAL_OFFSET, "Edit", nullptr, {237, 132, 32, 12}, true},
    {4003, "Static", "", {186, 145, 83, 8}, false},
    {IDC_MODEL_SCALE, "Edit", nullptr, {336, 108, 32, 12}, true},
    {4002, "Static", "", {289, 122, 79, 8}, false},
    {IDC_CYLINDER_LENGTH, "Edit", nullptr, {336, 132, 32, 12}, true},
    {4004, "Static", "", {289, 145, 79, 8}, false},
    {IDC_FORMAT_LIST, "ComboBox", nullptr, {213, 154, 68, 12}, true},
    {IDC_RESOLUTION_LIST, "ComboBox", nullptr, {335, 154, 32, 12}, true},
    {IDC_VIEW_LIST, "ComboBox", nullptr, {213, 170, 48, 12}, true},
    {IDC_BLACK_HOLES, "Button", "No polys for black pixels", {272, 172, 96, 9}, true},
    {IDC_LOAD_SETTINGS, "Button", "Load Settings", {219, 186, 71, 12}, true},
    {IDC_SAVE_SETTINGS, "Button", "Save Settings", {294, 186, 69, 12}, true},
    {IDC_FIT_ALL, "Button", "All", {189, 187, 15, 11}, true},
    {IDC_STATUS_LINE, "Static", nullptr, {11, 187, 71, 9}, true},
    {IDC_PROGRESS_BAR, "Static", "", {97, 185, 78, 12}, true},
};

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT InDialog(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void TemplateHoldsEveryControl(FilterDialogDriver& driver) {
    RunScript(driver, nullptr, [](HWND dialog) {
        QM_CHECK_EQ(WindowText(dialog), std::string("QuorvMesh    v1.32"));
        for (const ControlRow& row : kControls) {
            const HWND control = GetDlgItem(dialog, row.id);
            QM_CHECK(control != nullptr);
            if (!control)
                continue;
            QM_CHECK_EQ(ClassOf(control) + " " + std::to_string(row.id),
                        std::string(row.className) + " " + std::to_string(row.id));
            if (row.text)
                QM_CHECK_EQ(WindowText(control), std::string(row.text));
            QM_CHECK_EQ((IsWindowVisible(control) != FALSE), row.visible);
            // Dialog units map coordinate by coordinate: position and size each.
            RECT expected = row.units;
            MapDialogRect(dialog, &expected);
            const RECT actual = InDialog(dialog, control);
            QM_CHECK_EQ(actual.left, expected.left);
            QM_CHECK_EQ(actual.top, expected.top);
            QM_CHECK_EQ(actual.right - actual.left, expected.right);
            if (row.id != IDC_FORMAT_LIST && row.id != IDC_RESOLUTION_LIST &&
                row.id != IDC_VIEW_LIST) // a closed drop-down list has its own height
                QM_CHECK_EQ(actual.bottom - actual.top, expected.bottom);
        }
        // The sliders and the canvas sit on their placeholders, one pixel larger.
        for (const int slider : {3001, 3002, 3003, 3004}) {
            const HWND window = GetDlgItem(dialog, slider);
            QM_CHECK_EQ(ClassOf(window), std::string("Slider"));
            const RECT place = InDialog(dialog, GetDlgItem(dialog, slider + 1000));
            const RECT r = InDialog(dialog, window);
            QM_CHECK_EQ(r.left, place.left);
            QM_CHECK_EQ(r.right - r.left, place.right - place.left + 1);
            QM_CHECK_EQ(r.bottom - r.top, place.bottom - place.top + 1);
        }
        QM_CHECK_EQ(ClassOf(GetDlgItem(dialog, IDC_CANVAS)), std::string("canvas"));
        // The lists hold the product's entries.
        char entry[64] = "";
        SendDlgItemMessageA(dialog, IDC_FORMAT_LIST, CB_GETLBTEXT, 5,
                            reinterpret_cast<LPARAM>(entry));
        QM_CHECK_EQ(std::string(entry), std::string("LightWave LWO"));
        SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_GETLBTEXT, 7,
                            reinterpret_cast<LPARAM>(entry));
        QM_CHECK_EQ(std::string(entry), std::string("10%"));
        SendDlgItemMessageA(dialog, IDC_VIEW_LIST, CB_GETLBTEXT, 6,
                            reinterpret_cast<LPARAM>(entry));
        QM_CHECK_EQ(std::string(entry), std::string("Left"));
        QM_CHECK_EQ(SendDlgItemMessageA(dialog, IDC_FORMAT_LIST, CB_GETCOUNT, 0, 0), 6);
        QM_CHECK_EQ(SendDlgItemMessageA(dialog, IDC_RESOLUTION_LIST, CB_GETCOUNT, 0, 0), 8);
        QM_CHECK_EQ(SendDlgItemMessageA(dialog, IDC_VIEW_LIST, CB_GETCOUNT, 0, 0), 7);
        Cancel(dialog);
    });
}

// The six button bitmaps: 96 x 28 in 16 colours, three 32 x 28 faces, the selected face
// (x 64) yellow where the normal one (x 0) is gray.
void ButtonBitmapsAreInTheModule() {
    const HMODULE module = LoadLibraryA(WindowsPath(ModulePath()).c_str());
    QM_CHECK(module != nullptr);
    for (int id = IDC_TOOL_ZOOM; id <= IDC_STYLE_SHADED; ++id) {
        const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        QM_CHECK(found != nullptr);
        if (!found)
            continue;
        const auto* info =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
        QM_CHECK_EQ(info->biWidth, 96);
        QM_CHECK_EQ(info->biHeight, 28);
        QM_CHECK_EQ(info->biBitCount, 4);
        QM_CHECK_EQ(SizeofResource(module, found), 40u + 16 * 4 + 48 * 28);
        const auto* palette = reinterpret_cast<const RGBQUAD*>(info + 1);
        const auto* rows = reinterpret_cast<const std::uint8_t*>(palette + 16);
        // Row 14 from the top, x 2 of each face (4 bits a pixel, bottom row first).
        const std::uint8_t* row = rows + 48 * (27 - 14);
        const RGBQUAD normal = palette[row[1] >> 4];
        const RGBQUAD selected = palette[row[33] >> 4];
        QM_CHECK(normal.rgbRed == 192 && normal.rgbGreen == 192 && normal.rgbBlue == 192);
        QM_CHECK(selected.rgbRed == 255 && selected.rgbGreen == 255 && selected.rgbBlue == 0);
    }
    QM_CHECK(FindResourceA(module, "QUORVDLG", MAKEINTRESOURCEA(5)) != nullptr);
    FreeLibrary(module);
}

void FirstRunShowsTheDefaults(FilterDialogDriver& driver) {
    RunScript(driver, nullptr, [](HWND dialog) {
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("25.000"));
        QM_CHECK_EQ(Text(dialog, IDC_RADIAL_OFFSET), std::string("20.000"));
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("1.000"));
        QM_CHECK_EQ(Text(dialog, IDC_CYLINDER_LENGTH), std::string("100.000"));
        QM_CHECK(Checked(dialog, IDC_RECTANGULAR));
        QM_CHECK(!Checked(dialog, IDC_CYLINDRICAL));
        QM_CHECK(Checked(dialog, IDC_LONGITUDE) && Checked(dialog, IDC_LATITUDE));
        QM_CHECK(Checked(dialog, IDC_PERSPECTIVE));
        QM_CHECK(!Checked(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Enabled(dialog, IDC_BLACK_HOLES)); // NxM DXF
        QM_CHECK_EQ(Selection(dialog, IDC_FORMAT_LIST), 0);
        QM_CHECK_EQ(Selection(dialog, IDC_RESOLUTION_LIST), 0);
        QM_CHECK_EQ(Selection(dialog, IDC_VIEW_LIST), 0);
        QM_CHECK_EQ(SendMessageA(GetDlgItem(dialog, 3001), SLM_GETPOS, 0, 0) > 0, true);
        Cancel(dialog);
    });
}

// Values from the INI file are held to what the controls can show before the dialog sees
// them: huge lengths, tools and styles past their buttons, a view past the list.
void IniValuesAreHeldToTheControls(FilterDialogDriver& driver) {
    auto ini = RunScript(driver,
                         "[QUORVMESH]\nMapAlt=4294967295\nCylLen=0\nTooltype=7\n"
                         "Shadetype=-3\nOrient=99\nDoPerspective=5\n",
                         [](HWND dialog) {
                             QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("500.000"));
                             QM_CHECK_EQ(Text(dialog, IDC_CYLINDER_LENGTH), std::string("1.000"));
                             QM_CHECK_EQ(Selection(dialog, IDC_VIEW_LIST), -1);
                             QM_CHECK(Checked(dialog, IDC_PERSPECTIVE));
                             QM_CHECK(Enabled(dialog, IDC_LONGITUDE)); // wireframe
                             Cancel(dialog);
                         });
    QM_CHECK_EQ(ini["MapAlt"], 5000);
    QM_CHECK_EQ(ini["CylLen"], 1);
    QM_CHECK_EQ(ini["Tooltype"], 1);
    QM_CHECK_EQ(ini["Shadetype"], 0);
    QM_CHECK_EQ(ini["Orient"], -1);
    QM_CHECK_EQ(ini["DoPerspective"], 1);
}

void EveryControlChangesItsParameter(FilterDialogDriver& driver) {
    auto ini = RunScript(driver, nullptr, [](HWND dialog) {
        Click(dialog, IDC_CYLINDRICAL);
        Click(dialog, IDC_PERSPECTIVE);
        Click(dialog, IDC_LONGITUDE);
        Choose(dialog, IDC_FORMAT_LIST, 3);
        QM_CHECK(Enabled(dialog, IDC_BLACK_HOLES));
        Click(dialog, IDC_BLACK_HOLES);
        Choose(dialog, IDC_RESOLUTION_LIST, 3);
        Choose(dialog, IDC_VIEW_LIST, 2);
        Click(dialog, IDC_STYLE_SHADED);
        QM_CHECK(!Enabled(dialog, IDC_LONGITUDE) && !Enabled(dialog, IDC_LATITUDE));
        Click(dialog, IDC_STYLE_WIREFRAME);
        QM_CHECK(Enabled(dialog, IDC_LONGITUDE) && Enabled(dialog, IDC_LATITUDE));
        Click(dialog, IDC_STYLE_OUTLINED);
        Click(dialog, IDC_TOOL_ROTATE);
        Cancel(dialog);
    });
    // Cancel still hands every change on to finish.
    QM_CHECK_EQ(ini["Meshtype"], 1);
    QM_CHECK_EQ(ini["DoPerspective"], 0);
    QM_CHECK_EQ(ini["DoLongitude"], 0);
    QM_CHECK_EQ(ini["DoLatitude"], 1);
    QM_CHECK_EQ(ini["DiskFormat"], 4);
    QM_CHECK_EQ(ini["BlackHoles"], 1);
    QM_CHECK_EQ(ini["MeshRes"], 4);
    QM_CHECK_EQ(ini["Xrot"], 0);
    QM_CHECK_EQ(ini["Yrot"], 180);
    QM_CHECK_EQ(ini["Orient"], 2);
    QM_CHECK_EQ(ini["Shadetype"], 1);
    QM_CHECK_EQ(ini["Tooltype"], 2);
}

void EditsHoldTheirLimits(FilterDialogDriver& driver) {
    auto ini = RunScript(driver, nullptr, [](HWND dialog) {
        TypeAndLeave(dialog, IDC_MAP_ALTITUDE, "1000", IDC_MODEL_SCALE);
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("500.000"));
        TypeAndLeave(dialog, IDC_MAP_ALTITUDE, "0", IDC_MODEL_SCALE);
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("0.100"));
        TypeAndLeave(dialog, IDC_CYLINDER_LENGTH, "0.5", IDC_MODEL_SCALE);
        QM_CHECK_EQ(Text(dialog, IDC_CYLINDER_LENGTH), std::string("1.000"));
        TypeAndLeave(dialog, IDC_RADIAL_OFFSET, "12.25", IDC_MODEL_SCALE);
        QM_CHECK_EQ(Text(dialog, IDC_RADIAL_OFFSET), std::string("12.250"));
        // Text that is no number, and "nan", keep the value and show it again.
        TypeAndLeave(dialog, IDC_MODEL_SCALE, "abc", IDC_RADIAL_OFFSET);
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("1.000"));
        TypeAndLeave(dialog, IDC_MODEL_SCALE, "nan", IDC_RADIAL_OFFSET);
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("1.000"));
        // Leaving a box without typing keeps the exact value, not its three decimals.
        TypeAndLeave(dialog, IDC_MODEL_SCALE, "2.3996", IDC_RADIAL_OFFSET);
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("2.400"));
        Focus(dialog, IDC_MODEL_SCALE);
        Focus(dialog, IDC_RADIAL_OFFSET);
        Cancel(dialog);
    });
    QM_CHECK_EQ(ini["MapAlt"], 1);
    QM_CHECK_EQ(ini["CylLen"], 1);
    QM_CHECK_EQ(ini["RadOff"], 122);
    QM_CHECK_EQ(ini["ModelScale"], 23);
}

// Enter in an edit box commits it and moves the focus to OK; the second Enter confirms.
void EnterTwiceConfirms(FilterDialogDriver& driver) {
    bool saveDialogShown = false;
    auto ini = RunScript(driver, nullptr, [&saveDialogShown](HWND dialog) {
        Focus(dialog, IDC_MODEL_SCALE);
        SendDlgItemMessageA(dialog, IDC_MODEL_SCALE, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>("2.5"));
        PostMessageA(GetDlgItem(dialog, IDC_MODEL_SCALE), WM_KEYDOWN, VK_RETURN, 0);
        Sleep(ScaledTimeout(500));
        QM_CHECK(IsWindowVisible(dialog));
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("2.500"));
        PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_RETURN, 0);
        // Confirmed: the export asks where to write; cancelling it writes nothing.
        saveDialogShown = AnswerFileDialog(std::nullopt);
    });
    QM_CHECK(saveDialogShown);
    QM_CHECK_EQ(ini["ModelScale"], 25);
}

void ClickOnOkConfirmsAtOnceAndWritesTheFile(FilterDialogDriver& driver) {
    const std::string path = TestFolder() + "\\clicked.dxf";
    DeleteFileA(path.c_str());
    RunScript(driver, nullptr, [&path](HWND dialog) {
        Click(dialog, IDOK);
        QM_CHECK(AnswerFileDialog(path));
    });
    QM_CHECK(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    DeleteFileA(path.c_str());
}

void NxmDxfDisablesBlackHoles(FilterDialogDriver& driver) {
    auto ini = RunScript(driver, "[QUORVMESH]\nDiskFormat=4\nBlackHoles=1\n", [](HWND dialog) {
        QM_CHECK(Checked(dialog, IDC_BLACK_HOLES) && Enabled(dialog, IDC_BLACK_HOLES));
        Choose(dialog, IDC_FORMAT_LIST, 0);
        QM_CHECK(!Checked(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Enabled(dialog, IDC_BLACK_HOLES));
        Choose(dialog, IDC_FORMAT_LIST, 5);
        QM_CHECK(Enabled(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Checked(dialog, IDC_BLACK_HOLES));
        Cancel(dialog);
    });
    QM_CHECK_EQ(ini["DiskFormat"], 6);
    QM_CHECK_EQ(ini["BlackHoles"], 0);
    // A file that pairs NxM DXF with black holes opens with the box cleared, never
    // disabled and ticked.
    ini = RunScript(driver, "[QUORVMESH]\nDiskFormat=1\nBlackHoles=1\n", [](HWND dialog) {
        QM_CHECK(!Checked(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Enabled(dialog, IDC_BLACK_HOLES));
        Cancel(dialog);
    });
    QM_CHECK_EQ(ini["BlackHoles"], 0);
}

LPARAM Notify(std::uint16_t code, int value) {
    return static_cast<LPARAM>(SliderNotifyParam(code, value));
}

void SlidersFollowTheirReports(FilterDialogDriver& driver) {
    double releaseMs = 0;
    auto ini = RunScript(driver, nullptr, [&releaseMs](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_TRACK, 100));
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("100.000"));
        SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_HOLDREPEAT, 7));
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("100.000"));
        SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_HOLD, 120));
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("120.000"));
        SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_RELEASE, 120));
        SendMessageA(dialog, WM_COMMAND, 3002, Notify(SLN_TRACK, 55));
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("5.500"));
        SendMessageA(dialog, WM_COMMAND, 3003, Notify(SLN_TRACK, 4999));
        QM_CHECK_EQ(Text(dialog, IDC_RADIAL_OFFSET), std::string("499.900"));
        SendMessageA(dialog, WM_COMMAND, 3004, Notify(SLN_TRACK, 42));
        QM_CHECK_EQ(Text(dialog, IDC_CYLINDER_LENGTH), std::string("42.000"));
        const auto start = std::chrono::steady_clock::now();
        SendMessageA(dialog, WM_COMMAND, 3004, Notify(SLN_RELEASE, 42));
        releaseMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        Cancel(dialog);
    });
    QM_CHECK_EQ(ini["MapAlt"], 1200);
    QM_CHECK_EQ(ini["ModelScale"], 55);
    QM_CHECK_EQ(ini["RadOff"], 4999);
    QM_CHECK_EQ(ini["CylLen"], 42);
    std::printf("slider release rebuild, %ux%u picture: %.1f ms\n", kCols, kRows, releaseMs);
}

void CancelIsRememberedByTheNextRun(FilterDialogDriver& driver) {
    RunScript(driver, nullptr, [](HWND dialog) {
        TypeAndLeave(dialog, IDC_MAP_ALTITUDE, "40", IDC_MODEL_SCALE);
        Click(dialog, IDC_TOOL_ZOOM);
        Click(dialog, IDC_STYLE_SHADED);
        Cancel(dialog);
    });
    PluginHost host(ModulePath());
    driver.RunNext([](HWND dialog) {
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("40.000"));
        QM_CHECK(!Enabled(dialog, IDC_LONGITUDE));
        Cancel(dialog);
    });
    QM_CHECK_EQ(RunWithPicture(host, kRows, kCols), 0);
    const auto values = IniValues();
    QM_CHECK_EQ(values.at("MapAlt"), 400);
    QM_CHECK_EQ(values.at("Tooltype"), 0);
    QM_CHECK_EQ(values.at("Shadetype"), 2);
}

LONG_PTR ProcedureOf(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}

void HostWindowIsFilteredWhileTheDialogIsOpen(FilterDialogDriver& driver) {
    RemoveWindowsIni();
    PluginHost host(ModulePath());
    const LONG_PTR own = ProcedureOf(host.Window());
    const HWND hostWindow = host.Window();
    driver.RunNext([hostWindow, own](HWND dialog) {
        QM_CHECK(ProcedureOf(hostWindow) != own);
        QM_CHECK_EQ(SendMessageA(hostWindow, WM_ACTIVATEAPP, TRUE, 0), 1);
        QM_CHECK_EQ(SendMessageA(hostWindow, WM_QUERYNEWPALETTE, 0, 0), 1);
        QM_CHECK(GetWindow(dialog, GW_OWNER) == hostWindow);
        // Closing from the system menu ends the dialog as Cancel does.
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    QM_CHECK_EQ(RunWithPicture(host, kRows, kCols), 0);
    QM_CHECK_EQ(ProcedureOf(host.Window()), own);
}

// The figures of the report: a release (new points and a repaint) on a 512 x 512 picture,
// in the wireframe and the shaded style.
void LargePictureRelease(FilterDialogDriver& driver) {
    for (const int style : {0, 2}) {
        // No polygon-count question for the large picture.
        WriteWindowsIni("[QUORVMESH]\nMaxPolys=0\nShadetype=" + std::to_string(style) + "\n");
        PluginHost host(ModulePath());
        double releaseMs = 0, repaintMs = 0;
        driver.RunNext([&releaseMs, &repaintMs, style](HWND dialog) {
            for (const int value : {300, 301}) {
                SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_TRACK, value));
                const auto start = std::chrono::steady_clock::now();
                SendMessageA(dialog, WM_COMMAND, 3001, Notify(SLN_RELEASE, value));
                releaseMs = std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - start)
                                .count();
            }
            // A repaint alone: the style button repaints the canvas in the same style.
            const auto start = std::chrono::steady_clock::now();
            Click(dialog, IDC_STYLE_WIREFRAME + style);
            repaintMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            // "All" and a double click on the hand fit the view again.
            Click(dialog, IDC_FIT_ALL);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TOOL_PAN, BN_DOUBLECLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TOOL_PAN)));
            QM_CHECK(IsWindowVisible(dialog));
            Cancel(dialog);
        });
        QM_CHECK_EQ(RunWithPicture(host, 512, 512), 0);
        std::printf("512x512 picture, style %d: slider release rebuild %.1f ms, repaint %.1f ms\n",
                    style, releaseMs, repaintMs);
    }
}

} // namespace

void RunFilterDialogTests(FilterDialogDriver& driver) {
    ButtonBitmapsAreInTheModule();
    TemplateHoldsEveryControl(driver);
    FirstRunShowsTheDefaults(driver);
    IniValuesAreHeldToTheControls(driver);
    EveryControlChangesItsParameter(driver);
    EditsHoldTheirLimits(driver);
    EnterTwiceConfirms(driver);
    ClickOnOkConfirmsAtOnceAndWritesTheFile(driver);
    NxmDxfDisablesBlackHoles(driver);
    SlidersFollowTheirReports(driver);
    CancelIsRememberedByTheNextRun(driver);
    HostWindowIsFilteredWhileTheDialogIsOpen(driver);
    LargePictureRelease(driver);
}
