#pragma once
// What the two file readers share: the file they read, how they refuse it, and the rows
// they never read piecewise (only the start-up picture reader does).

#include <cstdint>

#include "common/MessageReporter.h"
#include "host/readers/ImageSource.h"
#include "host/readers/ReaderError.h"
#include "host/readers/SourceFile.h"

class FileImageSource : public ImageSource {
  public:
    void ReadRows(std::uint8_t*, std::uint16_t, std::uint16_t) override {}
    bool IsValid() const override { return error == kReaderOk; }
    void ReportError() override {
        if (error != kReaderOk)
            ShowReaderError(reporter, error);
    }

    std::uint16_t Error() const { return error; }

  protected:
    // file is read, not owned, and must outlive the reader.
    FileImageSource(SourceFile& file, MessageReporter& reporter)
        : file(&file), reporter(reporter) {}

    SourceFile* file;
    MessageReporter& reporter;
    std::uint16_t error = kReaderOk;
};
