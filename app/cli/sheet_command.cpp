// specbridge-cli sheet: a session of the spectral sheet window replayed:
// File -> Open, double-clicks on the directory list and on the working list,
// the up/down button, File -> Close and File -> Save, in command-line order.
#include <CLI/CLI.hpp>
#include <charconv>
#include <memory>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "sheets/spectrum_set.hpp"
#include "sheets/working_list.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using sheets::SpectrumSet;

// The directory resolved, the name kept: the directory list shows a link by
// its own name.
fs::path Resolve(const fs::path& file) {
  const fs::path absolute = fs::absolute(file);
  return fs::weakly_canonical(absolute.parent_path()) / absolute.filename();
}

class SheetCommand : public Command {
 public:
  explicit SheetCommand(CLI::App& parent)
      : Command(parent, "sheet",
                "Single spectra (##TITLE or comma-column files) side by side in a tab-separated sheet") {
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
    if (fileNames_.empty()) throw CLI::ValidationError("FILE", "at least one spectrum file is required");
    set_ = std::make_unique<SpectrumSet>();
    Open(session, fileNames_.front());
    for (std::size_t j = 1; j < fileNames_.size(); ++j) Add(session, "FILE", fileNames_[j]);
    ReplayActions(session);
    if (Output()) Save(session, *Output());
  }

  auto Reader(Session& session, const fs::path& path) {
    return [&session, path](SpectrumSet& set, int k, bool added) {
      const std::string name = path.filename().string();
      const bool accepted = sheets::ReadSpectrumBytes(set, session.Read(path), name, k, added, session.Warnings());
      // The window drops such a file silently; here it is named.
      if (!accepted) session.Err() << name << ": neither a \"##TITLE\" nor a comma-column spectrum file; left out\n";
      return accepted;
    };
  }

  void Open(Session& session, const std::string& file) {
    if (file.empty()) return;
    const fs::path path = Resolve(file);
    sheets::OpenSpectrum(*set_, path, Reader(session, path));
    workingDirectory_ = path.parent_path();
    directoryList_.Refresh(sheets::SheetDirectoryList(workingDirectory_, set_->Path(1)));
  }

  // Only what the directory list shows can be double-clicked.
  void Add(Session& session, const std::string& flag, const std::string& file) {
    const fs::path path = Resolve(file);
    if (workingDirectory_.empty() || path.parent_path() != workingDirectory_) {
      throw CLI::ValidationError(flag, file + ": not in the working directory" +
                                           (workingDirectory_.empty() ? std::string(" (no file opened yet)")
                                                                      : " " + workingDirectory_.string()));
    }
    const std::string name = path.filename().string();
    if (!directoryList_.Shows(name)) {
      throw CLI::ValidationError(flag, file +
                                           ": not in the directory list (it shows the *.ins files, and the *.ASC "
                                           "files when the first working file is an ASC file)");
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

  void Save(Session& session, const fs::path& out) {
    if (set_->SpectrumCount <= 0) {
      session.Fail("Save did nothing: the working list is empty; " + out.string() + " was not written");
      return;
    }
    set_->SheetPath = out;
    session.Save(out, sheets::WriteTabSheet(*set_));
  }

  CLI::Option* files_ = nullptr;
  std::vector<std::string> fileNames_;
  // Made by Run: its arrays are large.
  std::unique_ptr<SpectrumSet> set_;
  fs::path workingDirectory_;
  sheets::DirectoryList directoryList_;
};

}  // namespace

void AddSheetCommand(CLI::App& app, Context& context) { AttachCommand<SheetCommand>(app, context); }

}  // namespace specbridge::cli
