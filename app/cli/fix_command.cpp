#include <CLI/CLI.hpp>
#include <memory>
#include <system_error>

#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/errors.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"
#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;

// What one subcommand was given. The concentration dialogs have one box,
// Edit1, empty at start.
struct FixOptions {
  std::vector<std::string> inputs;
  std::string output;
  bool columns = false;
  std::vector<std::string> boxAssignments;
  BoxTexts boxes{{"Edit1", ""}};
};

using Convert = std::function<std::string(const fs::path& input, const FixOptions& options, const MessageSink& warn)>;
using Propose = fs::path (*)(const fs::path& input);

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec;
}

// Converts every input; each is written beside its input under its proposed
// name unless -o names the one output. A failing input does not stop the rest.
void RunAll(const FixOptions& options, Context& context, Propose propose, const Convert& convert) {
  if (options.inputs.size() > 1 && !options.output.empty()) {
    throw CLI::ValidationError("-o", "names one output file; give a single input or leave -o out");
  }
  for (const std::string& inputText : options.inputs) {
    const fs::path input(inputText);
    try {
      const fs::path output = options.output.empty() ? propose(input) : fs::path(options.output);
      if (SameFile(input, output)) {
        throw FileError("Refusing to write " + output.string() + " over its own input; name the output with -o");
      }
      WriteFileAtomically(output, convert(input, options, [&](std::string_view text) { context.err << text << '\n'; }));
      context.err << "Wrote " << output.string() << '\n';
    } catch (const Failure& failure) {
      context.err << failure.Message() << '\n';
      context.exitCode = 1;
    }
  }
}

CLI::App* AddFixCommand(CLI::App& app, Context& context, const std::string& name, const std::string& description,
                        Propose propose, Convert convert, std::shared_ptr<FixOptions>& options) {
  options = std::make_shared<FixOptions>();
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("FILE", options->inputs, "Input files")->required();
  command->add_option("-o,--output", options->output, "Output file (a single input only)");
  command->callback([options, &context, propose, convert = std::move(convert)] {
    ApplyBoxAssignments(options->boxAssignments, options->boxes);
    RunAll(*options, context, propose, convert);
  });
  return command;
}

// The spectrum commands need a concentration, as OK does nothing while the
// dialog's box is empty.
Convert SpectrumConversion(fix::SpectrumKind rows, fix::SpectrumKind columns) {
  return [rows, columns](const fs::path& input, const FixOptions& options, const MessageSink& warn) {
    const std::string& concentration = options.boxes["Edit1"];
    if (concentration.empty()) throw ConversionError("No concentration given (--concentration): nothing was written");
    const fix::SpectrumKind kind = options.columns ? columns : rows;
    const std::string bytes = ReadFileBytes(input);
    const fix::SingleSpectrum spectrum = fix::LoadSpectrum(kind, bytes, input.filename().string(), warn);
    return fix::SpectrumFixText(kind, spectrum, concentration);
  };
}

void AddConcentration(CLI::App& command, FixOptions& options) {
  AddBoxFlag(command, "--concentration", options.boxes, "Edit1",
             "Molar concentration (mol/l) that divides every absorbance, as typed into the dialog");
  AddBoxOption(command, options.boxAssignments);
}

}  // namespace

void AddFixCommands(CLI::App& app, Context& context) {
  std::shared_ptr<FixOptions> options;
  AddFixCommand(
      app, context, "epsilon-table", "Epsilon data (*a.dem) to a tab-separated table", fix::TableName,
      [](const fs::path& input, const FixOptions&, const MessageSink& warn) {
        return fix::EpsilonTableText(fix::ReadEpsilonFile(input, warn));
      },
      options);

  AddFixCommand(
      app, context, "fix-epsilon", "Epsilon data (*a.dem) to a SPECFIT .fix file", fix::FixName,
      [](const fs::path& input, const FixOptions&, const MessageSink& warn) {
        return fix::EpsilonFixText(fix::ReadEpsilonFile(input, warn));
      },
      options);

  CLI::App* multispec = AddFixCommand(
      app, context, "fix-multispec", "MultiSpec \"##TITLE\" spectrum to a SPECFIT .fix file (rows; --columns: No.2)",
      fix::FixName, SpectrumConversion(fix::SpectrumKind::kMultiSpecRows, fix::SpectrumKind::kMultiSpecColumns),
      options);
  AddConcentration(*multispec, *options);
  multispec->add_flag("--columns", options->columns, "Column layout (one number per line)");

  CLI::App* uvprobe =
      AddFixCommand(app, context, "fix-uvprobe", "UVProbe ASCII export to a SPECFIT .fix file", fix::FixName,
                    SpectrumConversion(fix::SpectrumKind::kUvProbe, fix::SpectrumKind::kUvProbe), options);
  AddConcentration(*uvprobe, *options);
}

}  // namespace specbridge::cli
