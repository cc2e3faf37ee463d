// The portable INI reader and writer against the platform's private-profile functions.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "plugin/run/IniFile.h"
#include "plugin/run/win32/Win32Profile.h"
#include "tests/win32/support/TestTally.h"

namespace {

constexpr const char* kFile = "qmprofile.ini"; // in the Windows directory, like the plug-in's

std::string FilePath() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\" + kFile;
}

void FlushCache() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kFile);
}

void WriteText(const std::string& text) {
    FlushCache();
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << text;
}

std::string ReadText() {
    FlushCache();
    std::ifstream in(FilePath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void IntegersReadAlike() {
    const char* values[] = {
        "30",  "-1",         " 12 ",        "0x1F",  "12abc",       "abc",         "",
        "+7",  "4294967296", "\"5\"",       "70000", "-2147483648", "4294967295",  "0",
        "007", "-0",         "  -30  ; no", "1 2",   "0X10",        "99999999999", "'8'"};
    for (const char* value : values) {
        const std::string text = std::string("[QUORVMESH]\r\nKey=") + value + "\r\n";
        WriteText(text);
        const std::uint32_t platform = Win32Profile(kFile).GetInt("QUORVMESH", "Key", 1234);
        const std::uint32_t portable = IniFile(text).GetInt("QUORVMESH", "Key", 1234);
        QM_CHECK_EQ(portable, platform);
        if (portable != platform)
            std::printf("  value \"%s\"\n", value);
    }
}

void NamesAreFoundAlike() {
    const std::string text =
        "[other]\r\nA=1\r\n[QuorvMesh]\r\n b = 2\r\nB=3\r\nc=\r\n[QUORVMESH2]\r\nd=4\r\n";
    WriteText(text);
    Win32Profile platform(kFile);
    const IniFile portable(text);
    for (const char* key : {"A", "B", "b", "c", "d", "missing"})
        QM_CHECK_EQ(portable.GetInt("QUORVMESH", key, 77), platform.GetInt("QUORVMESH", key, 77));
    QM_CHECK_EQ(portable.GetInt("Other", "a", 77), platform.GetInt("Other", "a", 77));
}

void WritesReadBackBothWays() {
    // Written by the platform, read by the portable reader.
    DeleteFileA(FilePath().c_str());
    Win32Profile platform(kFile);
    QM_CHECK(platform.WriteString("QUORVMESH", "Meshtype", "2"));
    QM_CHECK(platform.WriteString("QUORVMESH", "Orient", "-1"));
    QM_CHECK(platform.WriteString("QUORVMESH", "meshtype", "1"));
    const IniFile portable(ReadText());
    QM_CHECK_EQ(portable.GetInt("QUORVMESH", "Meshtype", 9), 1u);
    QM_CHECK_EQ(portable.GetInt("QUORVMESH", "Orient", 9), 0xFFFFFFFFu);

    // Written by the portable writer over the platform's file, read by the platform.
    IniFile edited(ReadText());
    edited.WriteString("QUORVMESH", "Xrot", "330");
    edited.WriteString("Other", "Key", "5");
    WriteText(edited.Text());
    QM_CHECK_EQ(Win32Profile(kFile).GetInt("QUORVMESH", "Xrot", 0), 330u);
    QM_CHECK_EQ(Win32Profile(kFile).GetInt("QUORVMESH", "MESHTYPE", 0), 1u);
    QM_CHECK_EQ(Win32Profile(kFile).GetInt("Other", "Key", 0), 5u);
    DeleteFileA(FilePath().c_str());
}

// Random INI texts, read by both: every lookup agrees.
void RandomTextsReadAlike() {
    const char* lines[] = {
        "[QUORVMESH]", "[quorvmesh]", "[Other]", "  [QuorvMesh]", "[QUORVMESH] ; note", "",
        "; comment",   "garbage",     "=5",      "Key=",          "[QUORVMESH",         "Key",
        "[ Other ]",   "[Other]x]",   " other "};
    const char* keys[] = {"Key", "key", " KEY ", "Other", "Meshtype"};
    const char* values[] = {"12", "-3", " 0x1f", "abc",      "4294967297", "'7'",
                            "+5", "",   "\"9\"", "8 ; note", "  6  "};
    std::mt19937 random(2024);
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    int disagreements = 0;
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < count; ++i) {
            if (random() % 3 == 0)
                text += lines[random() % std::size(lines)];
            else
                text += std::string(keys[random() % std::size(keys)]) + "=" +
                        values[random() % std::size(values)];
            text += random() % 4 == 0 ? "\n" : "\r\n";
        }
        // A new name each round: the profile functions cache files by name and time.
        const std::string name = "qmrandom" + std::to_string(round) + ".ini";
        const std::string path = std::string(folder) + "\\" + name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        const Win32Profile platform(name);
        const IniFile portable(text);
        for (const char* section : {"QUORVMESH", "Other"}) {
            for (const char* key : {"Key", "Other", "Meshtype"}) {
                const std::uint32_t expected = platform.GetInt(section, key, 99);
                const std::uint32_t actual = portable.GetInt(section, key, 99);
                QM_CHECK_EQ(actual, expected);
                if (actual != expected && ++disagreements < 5)
                    std::printf("  [%s] %s in:\n%s\n", section, key, text.c_str());
            }
        }
        // One write by each; the files may be laid out differently but read the same.
        const char* section = random() % 2 ? "QUORVMESH" : "Other";
        const char* key = random() % 2 ? "Key" : "Meshtype";
        Win32Profile(name).WriteString(section, key, "42");
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, name.c_str());
        std::ifstream in(path, std::ios::binary);
        const IniFile platformWritten(std::string(std::istreambuf_iterator<char>(in), {}));
        IniFile portableWritten(text);
        portableWritten.WriteString(section, key, "42");
        for (const char* s : {"QUORVMESH", "Other"})
            for (const char* k : {"Key", "Other", "Meshtype"})
                QM_CHECK_EQ(portableWritten.GetInt(s, k, 99), platformWritten.GetInt(s, k, 99));
        in.close();
        DeleteFileA(path.c_str());
    }
}

} // namespace

int main() {
    IntegersReadAlike();
    NamesAreFoundAlike();
    WritesReadBackBothWays();
    RandomTextsReadAlike();
    return Tally().Finish();
}
