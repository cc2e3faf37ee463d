#pragma once
// Asks where to write the mesh: the common save dialog in the plug-in, the -o path in the
// command-line tool.

#include <optional>
#include <string>

class SaveFileChooser {
  public:
    virtual ~SaveFileChooser() = default;
    // filterList: pairs of NUL-terminated texts (description, pattern), ended by an empty
    // text. Returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseSavePath(const char* filterList) = 0;
};

// Always answers with the same path, as the command-line tool's -o does.
class FixedPathChooser final : public SaveFileChooser {
  public:
    explicit FixedPathChooser(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> ChooseSavePath(const char*) override { return path_; }

  private:
    std::string path_;
};
