#include "tests/host/readers/ReadOutcome.h"

#include <memory>

#include "host/readers/BmpFileSource.h"
#include "host/readers/OpenImageSource.h"
#include "host/readers/SourceFile.h"
#include "host/readers/TiffFileSource.h"

namespace readertest {

ReadOutcome Read(ByteSource& bytes, ReaderChoice choice) {
    RecordingMessages messages;
    std::unique_ptr<FileImageSource> source;
    switch (choice) {
    case ReaderChoice::ByFirstBytes:
        source = CreateImageSource(bytes, messages);
        break;
    case ReaderChoice::Bmp:
        source = std::make_unique<BmpFileSource>(bytes, messages);
        break;
    case ReaderChoice::Tiff:
        source = std::make_unique<TiffFileSource>(bytes, messages);
        break;
    }
    ReadOutcome outcome;
    outcome.recognised = source != nullptr;
    if (source != nullptr) {
        outcome.valid = source->IsValid();
        outcome.error = source->Error();
        if (outcome.valid) {
            outcome.decoded = Decode(*source);
            outcome.rowsPresent = source->RowsPresent();
        }
    }
    outcome.shown = messages.shown;
    return outcome;
}

ReadOutcome ReadMemory(const std::vector<std::uint8_t>& bytes, ReaderChoice choice) {
    MemoryFile file(bytes);
    return Read(file, choice);
}

ReadOutcome ReadFile(const std::string& path) {
    SourceFile file(path);
    return Read(file);
}

::testing::AssertionResult RefusedWith(const ReadOutcome& outcome, ReaderError error) {
    if (outcome.valid)
        return ::testing::AssertionFailure() << "the file was taken";
    if (outcome.error != error)
        return ::testing::AssertionFailure()
               << "refused with " << ::testing::PrintToString(outcome.error) << ", not "
               << ::testing::PrintToString(error);
    if (outcome.shown.size() != 1)
        return ::testing::AssertionFailure() << outcome.shown.size() << " boxes shown";
    if (outcome.shown[0].text != ReaderErrorText(error))
        return ::testing::AssertionFailure() << "box says \"" << outcome.shown[0].text << '"';
    return ::testing::AssertionSuccess();
}

} // namespace readertest
