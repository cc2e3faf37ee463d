#pragma once
// OutputFile over the C library's files, for native builds.
//
// A failed or interrupted write never harms what was there before: the file is written
// beside its target (a temporary file in the folder of the target, links followed) and
// renamed over it only when it is complete and closed. A link keeps pointing where it did
// and its target gets the new file. Devices and pipes are written in place and never
// removed. (Under Windows the file is written in place, as the plug-in's own file does.)

#include <cstdio>
#include <string>

#include "common/OutputFile.h"

class StdioOutputFile final : public OutputFile {
  public:
    StdioOutputFile() = default;
    StdioOutputFile(const StdioOutputFile&) = delete;
    StdioOutputFile& operator=(const StdioOutputFile&) = delete;
    // Removes the temporary file of a write that was never closed.
    ~StdioOutputFile() override;

    // Opens the temporary file beside path (or the device or pipe path names). The path
    // shows nothing of the new file until Close.
    bool Create(const std::string& path) override;
    bool Write(const std::uint8_t* data, std::size_t size) override;
    bool WriteAt(std::uint32_t offset, const std::uint8_t* data, std::size_t size) override;
    // Stores the file and puts it in place of the target. False, leaving the target as it
    // was, when anything failed since Create (a write, the close or the rename), or when
    // called while an exception unwinds.
    bool Close() override;
    // Closes the file if open and removes the temporary file; the target, or a device or
    // pipe written in place, is left alone.
    void Discard() override;

    // The operating system's error number of the first failure since Create; 0 when none.
    int Error() const { return error_; }

    // From now on SIGINT, SIGTERM and SIGHUP remove the temporary files of writes in
    // progress before the process ends as the signal would have ended it. Signals that are
    // ignored stay ignored. SIGXFSZ is ignored, so that a file size limit fails the write
    // (and is reported) rather than killing the process with the file half-written.
    static void RemoveTemporaryFilesOnSignal();

  private:
    void Fail();
    void CloseStream();
    void RemoveTemporary();

    std::FILE* file_ = nullptr;
    std::string target_;    // the file the new one replaces (links resolved)
    std::string temporary_; // beside target_; empty when writing in place or when published
    int slot_ = -1;         // where a signal finds temporary_
    int error_ = 0;
};
