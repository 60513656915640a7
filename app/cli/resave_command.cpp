// specbridge-cli resave: TForm8's Read, the double-clicks on the markers,
// Save along the way and a final Save, in command-line order.
#include <CLI/CLI.hpp>
#include <charconv>
#include <string_view>
#include <vector>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "resave/sheet.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

// A whole number of at most nine digits, no sign; false for anything else.
bool ParseCount(std::string_view text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// "3,5-7" -> 3, 5, 6, 7; false for a malformed list or a backward range.
bool ParseList(std::string_view text, std::vector<int>& numbers) {
  numbers.clear();
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t dash = item.find('-');
    int first = 0, last = 0;
    if (!ParseCount(item.substr(0, dash), first)) return false;
    last = first;
    if (dash != std::string_view::npos && (!ParseCount(item.substr(dash + 1), last) || last < first)) return false;
    // More numbers than any grid holds are refused by the grid anyway.
    if (static_cast<long long>(last) - first > 10'000'000) return false;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

const CLI::Validator kList(
    [](std::string& text) -> std::string {
      std::vector<int> numbers;
      return ParseList(text, numbers) ? std::string() : "expected numbers and ranges such as 3,5-7, got '" + text + "'";
    },
    "");

const CLI::Validator kCell(
    [](std::string& text) -> std::string {
      const std::size_t comma = text.find(',');
      int column = 0, row = 0;
      const bool valid = comma != std::string::npos && ParseCount(std::string_view(text).substr(0, comma), column) &&
                         ParseCount(std::string_view(text).substr(comma + 1), row);
      return valid ? std::string() : "expected a grid cell C,R such as 2,0, got '" + text + "'";
    },
    "");

class ResaveCommand : public Command {
 public:
  explicit ResaveCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  void Read(Session& session, const std::string& path);
  void Save(Session& session, const fs::path& path);
  void Marks(const char* flag, const std::string& description, bool rows, bool omit);

  std::string file_;
  resave::Sheet sheet_;
  bool saved_ = false;
};

ResaveCommand::ResaveCommand(CLI::App& parent)
    : Command(parent, "resave", "Tab sheet resaved without the rows and columns marked \"Omit\"") {
  App().add_option("FILE", file_, "File -> Read (the open dialog's choice)");
  Marks("--omit-rows", "Mark these rows \"Omit\" (lines of the file, 1 = line 1)", true, true);
  Marks("--omit-cols", "Mark these columns \"Omit\" (fields, 1 = field 1)", false, true);
  Marks("--keep-rows", "Clear these rows' marks", true, false);
  Marks("--keep-cols", "Clear these columns' marks", false, false);
  Action(
      "--dblclick", "Double-click grid cell C,R (column C, row R; markers are row 0 and column 0)",
      [this](Session& session, const std::string& cell) {
        Step(session, "--dblclick " + cell, [&] {
          const std::size_t comma = cell.find(',');
          int column = 0, row = 0;
          ParseCount(std::string_view(cell).substr(0, comma), column);
          ParseCount(std::string_view(cell).substr(comma + 1), row);
          sheet_.DoubleClick(column, row);
        });
      },
      "C,R")
      ->check(kCell);
  Action(
      "--read", "File -> Read again (\"\" = the dialog cancelled)",
      [this](Session& session, const std::string& path) { Step(session, "--read", [&] { Read(session, path); }); },
      "FILE");
  Action(
      "--save", "File -> Save at this point of the sequence",
      [this](Session& session, const std::string& path) { Step(session, "--save", [&] { Save(session, path); }); },
      "OUT");
  OutputOption("A final File -> Save (default: the last file read followed by \".txt\")");
  Example("specbridge-cli resave sheet.txt --omit-rows 1-3 --omit-cols 2 -o part.txt");
  KeepGoingOption();
}

void ResaveCommand::Marks(const char* flag, const std::string& description, bool rows, bool omit) {
  Action(
      flag, description,
      [this, flag, rows, omit](Session& session, const std::string& list) {
        Step(session, std::string(flag) + " " + list, [&] {
          std::vector<int> numbers;
          ParseList(list, numbers);
          if (rows) {
            sheet_.MarkRows(numbers, omit);
          } else {
            sheet_.MarkColumns(numbers, omit);
          }
        });
      },
      "LIST")
      ->check(kList);
}

void ResaveCommand::Read(Session& session, const std::string& path) {
  if (path.empty()) return;  // the dialog cancelled
  sheet_.Load(session.Read(path), path, session.Warnings());
}

// Save before any Read does nothing, as the window's does.
void ResaveCommand::Save(Session& session, const fs::path& path) {
  if (!sheet_.Loaded()) return;
  session.Save(path, sheet_.SaveText());
  saved_ = true;
}

void ResaveCommand::Run(Session& session) {
  if (!file_.empty()) Step(session, "File -> Read", [&] { Read(session, file_); });
  ReplayActions(session);
  Step(session, "--output",
       [&] { Save(session, Output() ? *Output() : fs::path(sheet_.FileName().string() + ".txt")); });
  if (!saved_) session.Fail("Nothing was written: no file was read (give FILE or --read FILE)");
}

}  // namespace

void AddResaveCommand(CLI::App& app, Context& context) { AttachCommand<ResaveCommand>(app, context); }

}  // namespace specbridge::cli
