// "Load Settings" and "Save Settings" through the common dialogs: both file versions, the
// refused files and their boxes, a save that fails, and the buttons that wait while a
// chooser or box is open.

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "plugin/resources/DialogIds.h"
#include "plugin/run/SettingsFile.h"
#include "tests/win32/dialog/DialogScript.h"
#include "tests/win32/dialog/DialogTests.h"
#include "tests/win32/support/TestTally.h"
#include "tests/win32/support/TestTime.h"
#include "tests/win32/support/WindowControls.h"
#include "tests/win32/support/WindowsIni.h"

namespace {

constexpr std::uint16_t kRows = 40, kCols = 50;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void Put16(std::vector<std::uint8_t>& b, std::int16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutFloat(std::vector<std::uint8_t>& b, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

// A version-120 file laid out by hand: Spherical, Map Altitude 12.5, 3DS, black holes on.
std::vector<std::uint8_t> Version120File() {
    std::vector<std::uint8_t> b{'Q', 'M', 'S', 'T'};
    Put16(b, 120);
    for (const float f : {12.5f, 2.0f, 30.0f, 200.0f})
        PutFloat(b, f);
    for (const std::int16_t v : {2, 1, 0, 1, 1, 4}) // Meshtype .. DiskFormat
        Put16(b, v);
    for (const float f : {0.0f, 1.5707964f, 0.0f})
        PutFloat(b, f);
    for (const std::int16_t v : {3, 0, 2}) // MeshRes, Tooltype, Shadetype
        Put16(b, v);
    for (const float f : {-666.0f, 0.0f, 1.0f})
        PutFloat(b, f);
    return b;
}

std::map<std::string, long> RunScript(FilterDialogDriver& driver,
                                      FilterDialogDriver::Script script) {
    RemoveWindowsIni();
    PluginHost host(ModulePath());
    driver.RunNext(std::move(script));
    QM_CHECK_EQ(RunWithPicture(host, kRows, kCols), 0);
    return IniValues();
}

void SaveWritesTheCurrentRecord(FilterDialogDriver& driver) {
    const std::string path = TestFolder() + "\\saved.stg";
    DeleteFileA(path.c_str());
    RunScript(driver, [&path](HWND dialog) {
        TypeAndLeave(dialog, IDC_MAP_ALTITUDE, "33.5", IDC_MODEL_SCALE);
        Click(dialog, IDC_SPHERICAL);
        Press(dialog, IDC_SAVE_SETTINGS);
        QM_CHECK(AnswerFileDialog(path));
        Sleep(ScaledTimeout(300));
        Press(dialog, IDCANCEL);
    });
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    QM_CHECK_EQ(bytes.size(), kSettingsFileSize);
    SettingsRecord record{};
    QM_CHECK(DecodeSettings(bytes, record) == SettingsStatus::Ok);
    QM_CHECK_EQ(record.MapAlt, 33.5f);
    QM_CHECK_EQ(record.Meshtype, 2);
    QM_CHECK_EQ(bytes[4], 132);
}

// A name typed without an extension still gives a settings file (the chooser adds the
// selected filter's ".stg").
void SaveWithoutExtension(FilterDialogDriver& driver) {
    const std::string path = TestFolder() + "\\noext";
    DeleteFileA((path + ".stg").c_str());
    RunScript(driver, [&path](HWND dialog) {
        Press(dialog, IDC_SAVE_SETTINGS);
        QM_CHECK(AnswerFileDialog(path));
        Sleep(ScaledTimeout(500));
        Press(dialog, IDCANCEL);
    });
    QM_CHECK_EQ(ReadBytes(path + ".stg").size(), kSettingsFileSize);
}

void LoadVersion120AppliesEveryControl(FilterDialogDriver& driver) {
    const std::string path = TestFolder() + "\\old.stg";
    WriteBytes(path, Version120File());
    auto ini = RunScript(driver, [&path](HWND dialog) {
        Press(dialog, IDC_LOAD_SETTINGS);
        QM_CHECK(AnswerFileDialog(path));
        Sleep(ScaledTimeout(500));
        QM_CHECK(Checked(dialog, IDC_SPHERICAL) && !Checked(dialog, IDC_RECTANGULAR));
        QM_CHECK_EQ(Text(dialog, IDC_MAP_ALTITUDE), std::string("12.500"));
        QM_CHECK_EQ(Text(dialog, IDC_MODEL_SCALE), std::string("2.000"));
        QM_CHECK_EQ(Text(dialog, IDC_CYLINDER_LENGTH), std::string("200.000"));
        QM_CHECK_EQ(Selection(dialog, IDC_FORMAT_LIST), 3);
        QM_CHECK_EQ(Selection(dialog, IDC_RESOLUTION_LIST), 2);
        QM_CHECK_EQ(Selection(dialog, IDC_VIEW_LIST), -1);
        QM_CHECK(Checked(dialog, IDC_BLACK_HOLES) && Enabled(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Checked(dialog, IDC_LATITUDE) && Checked(dialog, IDC_LONGITUDE));
        QM_CHECK(!Enabled(dialog, IDC_LONGITUDE)); // the shaded style
        Press(dialog, IDCANCEL);
    });
    QM_CHECK_EQ(ini["Meshtype"], 2);
    QM_CHECK_EQ(ini["MapAlt"], 125);
    QM_CHECK_EQ(ini["Orient"], -1);
    QM_CHECK_EQ(ini["Yrot"], 90);
    QM_CHECK_EQ(ini["MeshRes"], 3);
    QM_CHECK_EQ(ini["Shadetype"], 2);
    QM_CHECK_EQ(ini["Tooltype"], 0);
}

void LoadVersion132MendsBlackHolesForNxm(FilterDialogDriver& driver) {
    const std::string path = TestFolder() + "\\nxm.stg";
    SettingsRecord record{25.0f, 1.0f, 20.0f, 100.0f, 0, 1, 1,       1,    1,   1,
                          0.5f,  0.5f, 0.0f,  1,      1, 0, -666.0f, 0.0f, 1.0f};
    const auto encoded = EncodeSettings(record);
    WriteBytes(path, {encoded.begin(), encoded.end()});
    auto ini = RunScript(driver, [&path](HWND dialog) {
        Choose(dialog, IDC_FORMAT_LIST, 2);
        Press(dialog, IDC_LOAD_SETTINGS);
        QM_CHECK(AnswerFileDialog(path));
        Sleep(ScaledTimeout(500));
        QM_CHECK_EQ(Selection(dialog, IDC_FORMAT_LIST), 0);
        QM_CHECK(!Checked(dialog, IDC_BLACK_HOLES));
        QM_CHECK(!Enabled(dialog, IDC_BLACK_HOLES));
        Press(dialog, IDCANCEL);
    });
    QM_CHECK_EQ(ini["BlackHoles"], 0);
    QM_CHECK_EQ(ini["DiskFormat"], 1);
}

void RefusedFilesChangeNothing(FilterDialogDriver& driver) {
    const std::string badMagic = TestFolder() + "\\magic.stg";
    std::vector<std::uint8_t> bytes = Version120File();
    bytes[0] = 'X';
    WriteBytes(badMagic, bytes);
    const std::string badVersion = TestFolder() + "\\version.stg";
    bytes = Version120File();
    bytes[4] = 121;
    WriteBytes(badVersion, bytes);
    auto ini = RunScript(driver, [&](HWND dialog) {
        Press(dialog, IDC_LOAD_SETTINGS);
        QM_CHECK(AnswerFileDialog(badMagic));
        const auto magicBox = AnswerBox();
        QM_CHECK(magicBox && magicBox->caption == "File error" &&
                 magicBox->text == "Invalid settings file.");
        Press(dialog, IDC_LOAD_SETTINGS);
        QM_CHECK(AnswerFileDialog(badVersion));
        const auto versionBox = AnswerBox();
        QM_CHECK(versionBox && versionBox->caption == "Version error" &&
                 versionBox->text == "Invalid settings version");
        QM_CHECK(Checked(dialog, IDC_RECTANGULAR));
        QM_CHECK_EQ(Selection(dialog, IDC_VIEW_LIST), 0);
        Press(dialog, IDCANCEL);
    });
    QM_CHECK_EQ(ini["Meshtype"], 0);
    QM_CHECK_EQ(ini["Orient"], 0);
}

void AFailedSaveIsReported(FilterDialogDriver& driver) {
    // Another program holds the file open without sharing it.
    const std::string path = TestFolder() + "\\in-use.stg";
    WriteBytes(path, {1, 2, 3});
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    QM_CHECK(held != INVALID_HANDLE_VALUE);
    RunScript(driver, [&path](HWND dialog) {
        Press(dialog, IDC_SAVE_SETTINGS);
        QM_CHECK(AnswerFileDialog(path));
        std::optional<Box> box = AnswerBox();
        if (box && box->caption != "File error") // the overwrite question comes first
            box = AnswerBox();
        QM_CHECK(box && box->caption == "File error" &&
                 box->text == "The settings file could not be written.");
        Press(dialog, IDCANCEL);
    });
    CloseHandle(held);
    QM_CHECK_EQ(ReadBytes(path).size(), 3u);
    DeleteFileA(path.c_str());
}

// While the chooser is open, OK, Cancel, Load and Save wait; the dialog goes on afterwards.
void ButtonsWaitForAnOpenChooser(FilterDialogDriver& driver) {
    RunScript(driver, [](HWND dialog) {
        Press(dialog, IDC_LOAD_SETTINGS);
        Sleep(ScaledTimeout(300));
        Press(dialog, IDCANCEL);
        Press(dialog, IDOK);
        Press(dialog, IDOK);
        Press(dialog, IDC_SAVE_SETTINGS);
        Sleep(ScaledTimeout(300));
        QM_CHECK(IsWindowVisible(dialog));
        QM_CHECK(AnswerFileDialog(std::nullopt));
        Sleep(ScaledTimeout(300));
        QM_CHECK(IsWindowVisible(dialog));
        Press(dialog, IDCANCEL);
    });
}

} // namespace

void RunSettingsFilesTests(FilterDialogDriver& driver) {
    SaveWritesTheCurrentRecord(driver);
    SaveWithoutExtension(driver);
    LoadVersion120AppliesEveryControl(driver);
    LoadVersion132MendsBlackHolesForNxm(driver);
    RefusedFilesChangeNothing(driver);
    AFailedSaveIsReported(driver);
    ButtonsWaitForAnOpenChooser(driver);
}
