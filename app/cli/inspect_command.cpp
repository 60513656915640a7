// specbridge-cli inspect: what every reader of every tool makes of each
// file, one block per file (or JSON). Reads only.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "inspect/inspect.hpp"

namespace specbridge::cli {
namespace {

class InspectCommand : public Command {
 public:
  explicit InspectCommand(CLI::App& parent)
      : Command(parent, "inspect",
                "Say which readers accept each file and as which layout, which refuse it and why, and the facts of "
                "its bytes (line ends, Shift-JIS, NUL bytes, header lines, points, axis, anomalies, series gaps); "
                "writes nothing") {
    App().add_option("FILE", files_, "Files to inspect")->required();
    App().add_flag("--json", json_, "The same reports as one JSON array (texts in UTF-8)");
    ExitStatus(
        "Exit status: 0 every file was read, 1 a file could not be read (the others are still reported), 2 a usage "
        "error.");
    Example("specbridge-cli inspect tit00.ASC ab_matrix.txt");
  }

 private:
  void Run(Session& session) override {
    std::vector<inspect::FileReport> reports;
    for (const std::string& file : files_) {
      reports.push_back(inspect::InspectFile(file, file));
      if (!reports.back().readFailure.empty()) {
        session.Err() << reports.back().readFailure << '\n';
        session.FailKeepingOutputs();
      }
    }
    if (json_) {
      session.Out() << inspect::ReportJson(reports);
      return;
    }
    for (std::size_t i = 0; i < reports.size(); ++i) session.Out() << (i > 0 ? "\n" : "") << ReportText(reports[i]);
  }

  std::vector<std::string> files_;
  bool json_ = false;
};

}  // namespace

void AddInspectCommand(CLI::App& app, Context& context) { AttachCommand<InspectCommand>(app, context); }

}  // namespace specbridge::cli
