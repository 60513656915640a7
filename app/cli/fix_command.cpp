// specbridge-cli epsilon-table, fix-epsilon, fix-multispec, fix-uvprobe: the
// FIX window's conversions, one Open and Save per FILE.
#include <CLI/CLI.hpp>
#include <functional>
#include <memory>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

class FixCommand;
using Convert = std::function<std::string(Session& session, const fs::path& input, const FixCommand& command)>;
using Propose = fs::path (*)(const fs::path& input);

class FixCommand : public Command {
 public:
  // `spectrum`: the command asks for a concentration (the dialog's one box,
  // Edit1, empty at start) and offers the column layout.
  FixCommand(CLI::App& parent, const std::string& name, const std::string& description, Propose propose,
             Convert convert, bool spectrum)
      : Command(parent, name, description), propose_(propose), convert_(std::move(convert)) {
    App().add_option("FILE", inputs_, "Input files")->required();
    OutputOption("Output file (a single input only)");
    if (!spectrum) return;
    BoxAction("--concentration", boxes_, "Edit1",
              "Molar concentration (mol/l) that divides every absorbance, as typed into the dialog");
    BoxAssignments(boxes_);
  }

  const BoxTexts& Boxes() const { return boxes_; }
  bool Columns() const { return columns_; }
  void OfferColumns(const std::string& description) { App().add_flag("--columns", columns_, description); }

 private:
  // Every input is converted, so that all failures are reported; the
  // outputs are written only when every input converted.
  void Run(Session& session) override {
    if (inputs_.size() > 1 && Output()) {
      throw CLI::ValidationError("-o", "names one output file; give a single input or leave -o out");
    }
    for (const fs::path& input : inputs_) {
      if (input == "-" && !Output()) {
        throw CLI::ValidationError("-o", "reading standard input ('-'): give the output with -o");
      }
      session.AddInput(input);
    }
    ReplayActions(session);
    for (const fs::path& input : inputs_) {
      try {
        const fs::path output = Output() ? *Output() : propose_(input);
        session.Save(output, convert_(session, input, *this));
      } catch (const Failure& failure) {
        session.Fail(failure.Message());
      }
    }
  }

  Propose propose_;
  Convert convert_;
  std::vector<fs::path> inputs_;
  BoxTexts boxes_{{"Edit1", ""}};
  bool columns_ = false;
};

// OK does nothing while the dialog's box is empty.
Convert SpectrumConversion(fix::SpectrumKind rows, fix::SpectrumKind columns) {
  return [rows, columns](Session& session, const fs::path& input, const FixCommand& command) {
    const std::string& concentration = command.Boxes()["Edit1"];
    if (concentration.empty()) throw ConversionError("No concentration given (--concentration): nothing was written");
    const fix::SpectrumKind kind = command.Columns() ? columns : rows;
    const fix::SingleSpectrum spectrum =
        fix::LoadSpectrum(kind, session.Read(input), input.filename().string(), session.Warnings());
    return fix::SpectrumFixText(kind, spectrum, concentration);
  };
}

std::string EpsilonTable(Session& session, const fs::path& input, const FixCommand&) {
  return fix::EpsilonTableText(
      fix::ParseEpsilonData(session.Read(input), input.filename().string(), session.Warnings()));
}

std::string EpsilonFix(Session& session, const fs::path& input, const FixCommand&) {
  return fix::EpsilonFixText(fix::ParseEpsilonData(session.Read(input), input.filename().string(), session.Warnings()));
}

}  // namespace

void AddFixCommands(CLI::App& app, Context& context) {
  const auto add = [&](std::shared_ptr<FixCommand> command, const std::string& example) {
    command->Example(example);
    AttachCommand(std::move(command), context);
  };
  add(std::make_shared<FixCommand>(app, "epsilon-table", "Epsilon data (*a.dem) to a tab-separated table",
                                   fix::TableName, EpsilonTable, false),
      "specbridge-cli epsilon-table complexa.dem -o complex_epsilon.txt");
  add(std::make_shared<FixCommand>(app, "fix-epsilon", "Epsilon data (*a.dem) to a SPECFIT .fix file", fix::FixName,
                                   EpsilonFix, false),
      "specbridge-cli fix-epsilon complexa.dem -o complex.fix");
  auto multispec = std::make_shared<FixCommand>(
      app, "fix-multispec", "MultiSpec \"##TITLE\" spectrum to a SPECFIT .fix file (rows; --columns: No.2)",
      fix::FixName, SpectrumConversion(fix::SpectrumKind::kMultiSpecRows, fix::SpectrumKind::kMultiSpecColumns), true);
  multispec->OfferColumns("Column layout (one number per line)");
  add(multispec, "specbridge-cli fix-multispec ligand.asc --concentration 5e-5 -o ligand.fix");
  add(std::make_shared<FixCommand>(app, "fix-uvprobe", "UVProbe ASCII export to a SPECFIT .fix file", fix::FixName,
                                   SpectrumConversion(fix::SpectrumKind::kUvProbe, fix::SpectrumKind::kUvProbe), true),
      "specbridge-cli fix-uvprobe uvprobe.txt --concentration 2.5e-4 -o uvprobe.fix");
}

}  // namespace specbridge::cli
