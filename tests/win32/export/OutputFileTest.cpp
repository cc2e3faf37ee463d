// The plug-in's output file: what a finished, a failed and an abandoned write leave behind.
// Usage: win32_output_file_test <folder with link.dxf -> target.dxf>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plugin/export/win32/Win32OutputFile.h"
#include "tests/win32/support/PluginHost.h"
#include "tests/win32/support/TestTally.h"

namespace {

const std::string kOld = "what the user had";
const std::string kNew = "a new mesh, longer than the old file";

bool Put(OutputFile& file, const std::string& text) {
    return file.Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder of its own under the temporary folder, with one old file in it.
struct Folder {
    std::string path;
    std::string file;
    explicit Folder(const char* name) {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + name;
        CreateDirectoryA(path.c_str(), nullptr);
        for (const std::string& left : Names()) // what an earlier run left
            DeleteFileA((path + "\\" + left).c_str());
        file = path + "\\mesh.dxf";
        std::ofstream(file, std::ios::binary) << kOld;
    }
    // Every name in the folder, so that a file left beside the target shows.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
};

void AFinishedWriteReplacesTheFileAndLeavesNothingBeside() {
    Folder folder("qm-output-finished");
    Win32OutputFile file;
    QM_CHECK(file.Create(folder.file));
    // Until it is closed, the old file is still there to read.
    QM_CHECK(Put(file, kNew));
    QM_CHECK_EQ(Contents(folder.file), kOld);
    QM_CHECK(file.WriteAt(0, reinterpret_cast<const std::uint8_t*>("A"), 1));
    QM_CHECK(Put(file, "!"));
    QM_CHECK(file.Close());
    std::string expected = kNew;
    expected.front() = 'A';
    expected.push_back('!');
    QM_CHECK_EQ(Contents(folder.file), expected);
    QM_CHECK_EQ(folder.Names().size(), 1u);

    // A path that named nothing yet gets the file too.
    const std::string fresh = folder.path + "\\fresh.cob";
    DeleteFileA(fresh.c_str());
    QM_CHECK(file.Create(fresh));
    QM_CHECK(Put(file, kNew));
    QM_CHECK(file.Close());
    QM_CHECK_EQ(Contents(fresh), kNew);
    QM_CHECK_EQ(folder.Names().size(), 2u);
}

void AFailedOrAbandonedWriteLeavesTheOldFile() {
    Folder folder("qm-output-failed");
    {
        Win32OutputFile file;
        QM_CHECK(file.Create(folder.file));
        QM_CHECK(Put(file, kNew));
        file.Discard(); // what the writer does when a write failed
        QM_CHECK_EQ(Contents(folder.file), kOld);
        QM_CHECK_EQ(folder.Names().size(), 1u);
        // Discarding again, or closing afterwards, changes nothing.
        file.Discard();
        QM_CHECK(file.Close());
        QM_CHECK_EQ(Contents(folder.file), kOld);
    }
    {
        Win32OutputFile file;
        QM_CHECK(file.Create(folder.file));
        QM_CHECK(Put(file, kNew));
    } // gone without Close: a write cut short is never put in place
    QM_CHECK_EQ(Contents(folder.file), kOld);
    QM_CHECK_EQ(folder.Names().size(), 1u);
}

void AFolderOrAMissingFolderIsRefused() {
    Folder folder("qm-output-refused");
    Win32OutputFile file;
    QM_CHECK(!file.Create(folder.path));
    QM_CHECK(!file.Create(folder.path + "\\no such folder\\mesh.dxf"));
    QM_CHECK_EQ(folder.Names().size(), 1u);
    QM_CHECK_EQ(Contents(folder.file), kOld);
}

// linkFolder holds link.dxf, a symbolic link to target.dxf beside it (made by the build).
void ALinkKeepsPointingWhereItDidAndItsTargetGetsTheFile(const std::string& linkFolder) {
    const std::string target = linkFolder + "\\target.dxf";
    std::ofstream(target, std::ios::binary) << kOld;
    Win32OutputFile file;
    QM_CHECK(file.Create(linkFolder + "\\link.dxf"));
    QM_CHECK(Put(file, kNew));
    QM_CHECK(file.Close());
    // Had the link been replaced by a file, the target would still hold the old text.
    QM_CHECK_EQ(Contents(target), kNew);
    QM_CHECK_EQ(Contents(linkFolder + "\\link.dxf"), kNew);
}

void ADeviceIsWrittenInPlaceAndNeverRemoved() {
    Win32OutputFile file;
    QM_CHECK(file.Create("NUL"));
    QM_CHECK(Put(file, kNew));
    QM_CHECK(file.Close());
    QM_CHECK(file.Create("NUL"));
    QM_CHECK(Put(file, kNew));
    file.Discard();
    // Still there to write to.
    QM_CHECK(file.Create("NUL"));
    QM_CHECK(file.Close());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: %s <folder with link.dxf -> target.dxf>\n", argv[0]);
        return 2;
    }
    AFinishedWriteReplacesTheFileAndLeavesNothingBeside();
    AFailedOrAbandonedWriteLeavesTheOldFile();
    AFolderOrAMissingFolderIsRefused();
    ALinkKeepsPointingWhereItDidAndItsTargetGetsTheFile(WindowsPath(argv[1]));
    ADeviceIsWrittenInPlaceAndNeverRemoved();
    return Tally().Finish();
}
