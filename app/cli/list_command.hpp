#pragma once

// The session of a window with a directory list and a working list (the
// spectral sheet and the emission correction): File -> Open, double-clicks
// on both lists, the up/down button, File -> Close and File -> Save, replayed
// in command-line order. A derived command reads the files, names the
// directory list's rows and writes the sheet.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/session.hpp"
#include "sheets/working_list.hpp"

namespace specbridge::cli {

template <class Set>
class ListCommand : public Command {
 public:
  ListCommand(CLI::App& parent, const std::string& name, const std::string& description, bool filesRequired)
      : Command(parent, name, description), filesRequired_(filesRequired) {
    files_ = App()
                 .add_option("FILE", fileNames_,
                             "Spectrum files: the first is opened, each further one added in order (before any "
                             "option)")
                 ->type_name("FILE");
    Action(
        "--open", "File -> Open (\"\" = the dialog is cancelled)",
        [this](Session& session, const std::string& file) { Open(session, file); }, "FILE");
    Action(
        "--add", "Double-click FILE's name in the directory list",
        [this](Session& session, const std::string& file) { Add(session, "--add", file); }, "FILE");
    Action(
        "--remove", "Select row ROW (0-based) of \"Working Files\" and double-click it",
        [this](Session&, const std::string& row) { sheets::RemoveSpectrum(*set_, Row("--remove", row)); }, "ROW");
    Action(
        "--up", "Select row ROW and press \"MoveUpward\"",
        [this](Session&, const std::string& row) { sheets::MoveSpectrumUp(*set_, Row("--up", row)); }, "ROW");
    Action(
        "--down", "Select row ROW and press \"MoveDownward\"",
        [this](Session&, const std::string& row) { sheets::MoveSpectrumDown(*set_, Row("--down", row)); }, "ROW");
    FlagAction("--close", "File -> Close", [this](Session&) { sheets::CloseSpectra(*set_); });
    Action(
        "--save", "File -> Save at this point of the sequence",
        [this](Session& session, const std::string& out) { Save(session, out); }, "OUT");
    OutputOption("A final File -> Save to OUT");
  }

 protected:
  // Reads `path` into slot k (`added` for a double-click); false when the
  // file matches no layout.
  virtual bool ReadSlot(Session& session, Set& set, const std::filesystem::path& path, int k, bool added) = 0;
  // The rows of the directory list after "Open" chose `chosen`.
  virtual std::vector<std::string> DirectoryRows(const std::filesystem::path& directory,
                                                 const std::filesystem::path& chosen) const = 0;
  // File -> Save.
  virtual void Save(Session& session, const std::filesystem::path& out) = 0;
  // What the window reads, for the note on a file it leaves out.
  virtual const char* Layouts() const = 0;

  Set& Data() { return *set_; }

  // File -> Open of `file` ("" is a cancelled dialog).
  void Open(Session& session, const std::string& file) {
    if (file.empty()) return;
    const std::filesystem::path path = Resolve(file);
    sheets::OpenSpectrum(*set_, path, Reader(session, path));
    workingDirectory_ = path.parent_path();
    directoryList_.Refresh(DirectoryRows(workingDirectory_, path));
  }

 private:
  void Run(Session& session) override {
    bool optionSeen = false;
    for (const CLI::Option* option : App().parse_order()) {
      if (option != files_) {
        optionSeen = true;
      } else if (optionSeen) {
        throw CLI::ValidationError("FILE", "the files come before the first option");
      }
    }
    if (filesRequired_ && fileNames_.empty()) {
      throw CLI::ValidationError("FILE", "at least one spectrum file is required");
    }
    set_ = std::make_unique<Set>();
    if (!fileNames_.empty()) Open(session, fileNames_.front());
    for (std::size_t j = 1; j < fileNames_.size(); ++j) Add(session, "FILE", fileNames_[j]);
    ReplayActions(session);
    if (Output()) Save(session, *Output());
  }

  // The directory resolved, the name kept: the list shows a link by its own name.
  static std::filesystem::path Resolve(const std::filesystem::path& file) {
    const std::filesystem::path absolute = std::filesystem::absolute(file);
    return std::filesystem::weakly_canonical(absolute.parent_path()) / absolute.filename();
  }

  auto Reader(Session& session, const std::filesystem::path& path) {
    return [this, &session, path](Set& set, int k, bool added) {
      const bool accepted = ReadSlot(session, set, path, k, added);
      // The window drops such a file silently; here it is named.
      if (!accepted) session.Err() << path.filename().string() << ": not " << Layouts() << "; left out\n";
      return accepted;
    };
  }

  // Only what the directory list shows can be double-clicked.
  void Add(Session& session, const std::string& flag, const std::string& file) {
    const std::filesystem::path path = Resolve(file);
    if (workingDirectory_.empty() || path.parent_path() != workingDirectory_) {
      throw CLI::ValidationError(flag, file + ": not in the working directory" +
                                           (workingDirectory_.empty() ? std::string(" (no file opened yet)")
                                                                      : " " + workingDirectory_.string()));
    }
    if (!directoryList_.Shows(path.filename().string())) {
      throw CLI::ValidationError(flag, file + ": not in the directory list");
    }
    sheets::AddSpectrum(*set_, path, Reader(session, path));
  }

  // A row of "Working Files" as it stands now; an empty list shows one row.
  int Row(const std::string& flag, const std::string& text) const {
    int row = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
    const int rows = std::max(1, set_->SpectrumCount);
    if (error != std::errc() || end != text.data() + text.size() || row < 0 || row >= rows) {
      throw CLI::ValidationError(
          flag, "'" + text + "' is not a row of \"Working Files\", which shows rows 0 to " + std::to_string(rows - 1));
    }
    return row;
  }

  bool filesRequired_;
  CLI::Option* files_ = nullptr;
  std::vector<std::string> fileNames_;
  // Made by Run: its arrays are large.
  std::unique_ptr<Set> set_;
  std::filesystem::path workingDirectory_;
  sheets::DirectoryList directoryList_;
};

}  // namespace specbridge::cli
