#pragma once
// What the two file readers share: the bytes they read, how they refuse them, and the rows
// they never read piecewise (only the start-up picture reader does).

#include <cstdint>

#include "common/MessageReporter.h"
#include "host/readers/ByteSource.h"
#include "host/readers/ImageSource.h"
#include "host/readers/ReaderError.h"

class FileImageSource : public ImageSource {
  public:
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    bool IsValid() const override { return error_ == ReaderError::None; }
    void ReportError() override {
        if (error_ != ReaderError::None)
            ShowReaderError(reporter_, error_);
    }
    // Why the file was refused; None when it was taken.
    ReaderError Error() const { return error_; }
    // After ReadAll: how many of the Height() rows the file held in full. Fewer means the
    // file is truncated (or its strips are missing) and the rest of the picture is zeros;
    // the host shows it anyway, the command-line tool warns. 0 before ReadAll.
    std::uint32_t RowsPresent() const { return rowsPresent_; }

  protected:
    // bytes are read, not owned, and must outlive the reader.
    FileImageSource(ByteSource& bytes, MessageReporter& reporter)
        : bytes_(bytes), reporter_(reporter) {}

    ByteSource& bytes_;
    MessageReporter& reporter_;
    ReaderError error_ = ReaderError::None;
    std::uint32_t rowsPresent_ = 0;
};
