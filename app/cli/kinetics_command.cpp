// specbridge-cli kinetics: a session of the kinetic-trace window replayed.
// FILE is the first "Open"; the action options then run in command-line
// order, each doing what the user's action does; -o saves once more at the
// end, then the grid and the control report are taken. Outputs are held
// until the whole run succeeded.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/commands.hpp"
#include "common/errors.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"
#include "kinetics/converter.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using kinetics::KineticConverter;

// An action option and what it does with its value.
struct Action {
  const char* flags;
  const char* description;
  enum Kind { kText, kFlag, kSpin, kPath, kBox } kind;
  const char* target;  // box or spin editor name
};

const Action kActions[] = {
    {"--comments1", "Type T into Comments1 (the comments dialog)", Action::kText, "Comments1"},
    {"--comments2", "Type T into Comments2", Action::kText, "Comments2"},
    {"--temperature", "Type T into Temperature", Action::kText, "Temperature"},
    {"--dead-time", "Type T into DeadTime", Action::kText, "DeadTime"},
    {"--interval", "Type T into Interval (delta(Time))", Action::kText, "Interval"},
    {"--apply", "Press \"Apply\": the time column from DeadTime and Interval", Action::kFlag, "Apply1"},
    {"--nmlow", "Type T into nmlow and leave the box (the wavelength count runs)", Action::kText, "nmlow"},
    {"--nmhigh", "Type T into nmhigh and leave the box", Action::kText, "nmhigh"},
    {"--step", "Set the skipping policy SpinEdit2 (1-10)", Action::kSpin, "SpinEdit2"},
    {"--unit", "Set the omitting unit SpinEdit1 (1-500)", Action::kSpin, "SpinEdit1"},
    {"--lower-cut", "Set the lower cut-off SpinEdit3 (0-1000)", Action::kSpin, "SpinEdit3"},
    {"--upper-cut", "Set the upper cut-off SpinEdit4 (0-1000)", Action::kSpin, "SpinEdit4"},
    {"--open", "File -> Open again, with FILE2", Action::kPath, "Open1"},
    {"--save", "Save_SPECFIT_File now, the dialog answering FILE2", Action::kPath, "Save1"},
    {"--box", "Set a box's text without an event: NAME=TEXT (TForm3 first, then TForm4)", Action::kBox, ""},
};

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  const fs::path x = fs::weakly_canonical(a, ec);
  if (ec) return false;
  const fs::path y = fs::weakly_canonical(b, ec);
  return !ec && x == y;
}

// The box a --box name means: "TForm3.nmlow", "TForm4.Comments1", or a bare
// name, looked up in the converter first and then in the comments dialog.
BoxTexts* BoxFor(KineticConverter& converter, std::string& name) {
  const auto dot = name.find('.');
  if (dot != std::string::npos) {
    const std::string form = name.substr(0, dot);
    name = name.substr(dot + 1);
    if (form == "TForm3") return converter.Boxes().Has(name) ? &converter.Boxes() : nullptr;
    if (form == "TForm4") return converter.Comments().Has(name) ? &converter.Comments() : nullptr;
    return nullptr;
  }
  if (converter.Boxes().Has(name)) return &converter.Boxes();
  if (converter.Comments().Has(name)) return &converter.Comments();
  return nullptr;
}

std::string CheckBoxAssignment(const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) return "expected NAME=TEXT, got '" + assignment + "'";
  KineticConverter probe;
  std::string name = assignment.substr(0, equals);
  if (KineticConverter::IsSpin(name) || KineticConverter::IsSpin(name.substr(name.find('.') + 1))) {
    return "'" + name + "' is a spin editor; set it with its option (--step, --unit, --lower-cut, --upper-cut)";
  }
  if (BoxFor(probe, name) == nullptr)
    return "the kinetic-trace windows have no box named '" + assignment.substr(0, equals) + "'";
  return {};
}

std::string CheckSpinValue(const std::string& text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return "'" + text + "' is not an integer";
  return {};
}

int SpinValue(const std::string& text) {
  long long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return static_cast<int>(std::clamp<long long>(value, -1'000'000, 1'000'000));
}

struct KineticsOptions {
  std::optional<std::string> file;
  std::string output, gridOut, report;
  std::map<const CLI::Option*, const Action*> actions;
};

// One run: the converter as the window holds it, the files read from disk,
// and the outputs held until the end.
class KineticsSession {
 public:
  explicit KineticsSession(Context& context) : context_(context) {}

  void Open(const fs::path& path) {
    std::string bytes;
    if (const auto it = Pending(path); it != pending_.end()) {
      bytes = it->second;
    } else {
      bytes = ReadFileBytes(path);
      read_.push_back(path);
    }
    converter_.Open(bytes, path.string());
  }

  void Save(const fs::path& path) {
    for (const std::string_view message : converter_.SaveMessages()) context_.err << message << '\n';
    if (!converter_.SaveGuardPassed()) {
      stopped_ = true;
      return;
    }
    Hold(path, converter_.SaveBytes());
  }

  void Run(const Action& action, const std::string& value) {
    switch (action.kind) {
      case Action::kText: {
        BoxTexts& boxes = converter_.Boxes().Has(action.target) ? converter_.Boxes() : converter_.Comments();
        boxes.Set(action.target, value);
        if (std::string_view(action.target) == "nmlow") converter_.nmlowExit();
        if (std::string_view(action.target) == "nmhigh") converter_.nmhighExit();
        break;
      }
      case Action::kFlag:
        converter_.Apply1Click();
        break;
      case Action::kSpin:
        converter_.SetSpin(action.target, SpinValue(value));
        break;
      case Action::kPath:
        if (std::string_view(action.target) == "Open1") {
          Open(value);
        } else {
          Save(value);
        }
        break;
      case Action::kBox: {
        const auto equals = value.find('=');
        std::string name = value.substr(0, equals);
        BoxFor(converter_, name)->Set(name, value.substr(equals + 1));
        break;
      }
    }
  }

  void Hold(const fs::path& path, std::string bytes) {
    for (const fs::path& input : read_) {
      if (SameFile(input, path)) {
        throw FileError("Refusing to write " + path.string() + " over " + input.string() +
                        ", which this run read; nothing was written");
      }
    }
    if (const auto it = Pending(path); it != pending_.end()) {
      it->second = std::move(bytes);
    } else {
      pending_.emplace_back(path, std::move(bytes));
    }
  }

  // Writes every held output, or none when a save stopped at its guard.
  int Commit() {
    if (stopped_) return 1;
    for (const auto& [path, bytes] : pending_) {
      WriteFileAtomically(path, bytes);
      context_.err << "Wrote " << path.string() << '\n';
    }
    return 0;
  }

  KineticConverter& Converter() { return converter_; }
  bool Stopped() const { return stopped_; }

 private:
  std::vector<std::pair<fs::path, std::string>>::iterator Pending(const fs::path& path) {
    return std::find_if(pending_.begin(), pending_.end(), [&](const auto& p) { return SameFile(p.first, path); });
  }

  Context& context_;
  KineticConverter converter_;
  std::vector<fs::path> read_;
  std::vector<std::pair<fs::path, std::string>> pending_;
  bool stopped_ = false;
};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

int RunKinetics(const KineticsOptions& o, const CLI::App& command, Context& context) {
  KineticsSession session(context);
  if (o.file) session.Open(*o.file);
  // Every occurrence of an action runs in its place; each option's values
  // are taken in turn.
  std::map<const CLI::Option*, std::size_t> taken;
  for (const CLI::Option* option : command.parse_order()) {
    const auto action = o.actions.find(option);
    if (action == o.actions.end()) continue;
    const std::size_t n = taken[option]++;
    const auto& results = option->results();
    session.Run(*action->second, n < results.size() ? results[n] : std::string());
  }
  KineticConverter& converter = session.Converter();
  if (!o.output.empty()) session.Save(o.output);
  if (!o.gridOut.empty()) session.Hold(o.gridOut, converter.Grid().Dump());
  if (!o.report.empty()) session.Hold(o.report, Lines(converter.ReportLines()));
  if (o.output.empty() && o.gridOut.empty() && o.report.empty() && command.count("--save") == 0) {
    const auto& b = converter.Boxes();
    context.out << b["Total"] << " time rows, " << b["Part"] << " to be saved; " << b["Points"] << " wavelengths from "
                << b["nmlow"] << " to " << b["nmhigh"] << " nm\n";
  }
  return session.Commit();
}

}  // namespace

void AddKineticsCommand(CLI::App& app, Context& context) {
  CLI::App* command = app.add_subcommand(
      "kinetics", "Time-resolved spectra to a SPECFIT 2D-format file for kinetics (X/Z mode 2, model 4)");
  auto o = std::make_shared<KineticsOptions>();
  command->add_option("FILE", o->file, "File -> Open (without it: a fresh window's empty table)");
  for (const Action& action : kActions) {
    CLI::Option* option = action.kind == Action::kFlag ? command->add_flag(action.flags, action.description)
                                                       : command->add_option(action.flags, action.description);
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    if (action.kind == Action::kText) option->type_name("T");
    if (action.kind == Action::kPath) option->type_name("FILE2");
    if (action.kind == Action::kSpin) option->type_name("N")->check(CLI::Validator(CheckSpinValue, "INTEGER"));
    if (action.kind == Action::kBox) option->type_name("NAME=TEXT")->check(CLI::Validator(CheckBoxAssignment, ""));
    o->actions[option] = &action;
  }
  command->add_option("-o,--output", o->output, "Save_SPECFIT_File once more after all actions")->type_name("OUT");
  command->add_option("--grid-out", o->gridOut, "Write the grid after all actions")->type_name("GRID");
  command->add_option("--report", o->report, "Write the control texts after all actions")->type_name("REPORT");
  command->callback([o, command, &context] { context.exitCode = RunKinetics(*o, *command, context); });
}

}  // namespace specbridge::cli
