// specbridge-cli simple-kinetics: TForm7's Open, the boxes typed, "Conduct
// Exclusion" pressed once and again for each --exclude-again, then Save.
#include <CLI/CLI.hpp>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "simple_kinetics/converter.hpp"
#include "simple_kinetics/exclusion.hpp"

namespace specbridge::cli {
namespace {

using simple_kinetics::SimpleKineticsConverter;
using Assignments = std::vector<std::pair<std::string, std::string>>;

// "NAME=T[,NAME=T]...": the boxes one --exclude-again types. A missing "="
// or a box the window does not have sets `error` (a usage error).
Assignments ParseAssignments(const std::string& text, const BoxTexts& boxes, std::string& error) {
  Assignments assignments;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::size_t equals = item.find('=');
    if (equals == std::string::npos) {
      error = "expected NAME=T[,NAME=T]..., got '" + text + "'";
      return {};
    }
    std::string name = item.substr(0, equals);
    if (!boxes.Has(name)) {
      error = "this window has no box named '" + name + "'";
      return {};
    }
    assignments.emplace_back(std::move(name), item.substr(equals + 1));
    if (comma == std::string::npos) return assignments;
    start = comma + 1;
  }
}

class SimpleKineticsCommand : public Command {
 public:
  explicit SimpleKineticsCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  void RuleBox(const char* flag, const char* box, const std::string& caption);
  bool RuleBoxGiven() const;

  std::string file_;
  bool exclude_ = false;
  bool printBoxes_ = false;
  bool ruleGiven_ = false;
  std::vector<std::string> again_;
  SimpleKineticsConverter converter_;
};

SimpleKineticsCommand::SimpleKineticsCommand(CLI::App& parent)
    : Command(parent, "simple-kinetics",
              "MultiSpec-1500 kinetics file (##TITLE) thinned to a SPECFIT 2D-format file (X/Z mode 2, model 4)") {
  App().add_option("FILE", file_, "The kinetics file File -> Open reads")->required();
  const char* flags[] = {"--first-run", "--every-run-to", "--every2-to", "--every5-to", "--every10-to", "--every20-to"};
  for (std::size_t i = 0; i < simple_kinetics::kSectionBoxes.size(); ++i) {
    RuleBox(flags[i], simple_kinetics::kSectionBoxes[i].data(), std::string(simple_kinetics::kSectionCaptions[i]));
  }
  BoxAction("--min", converter_.Boxes(), "MIN", "lower end of \"Change the range of Wavelength\" (nm)");
  BoxAction("--max", converter_.Boxes(), "MAX", "upper end of \"Change the range of Wavelength\" (nm)");
  BoxAssignments(converter_.Boxes());
  App().add_flag("--exclude", exclude_, "Press \"Conduct Exclusion\" once the boxes are set");
  App()
      .add_option("--exclude-again", again_,
                  "Then type these boxes and press \"Conduct Exclusion\" again (repeatable, in order)")
      ->type_name("NAME=T[,NAME=T]...")
      ->allow_extra_args(false)
      ->check(CLI::Validator(
          [this](std::string& text) {
            std::string error;
            ParseAssignments(text, converter_.Boxes(), error);
            return error;
          },
          ""));
  App().add_flag("--print-boxes", printBoxes_,
                 "On success, print NAME=TEXT for Edit1 ... Edit8, MIN and MAX on stdout");
  OutputOption("Save the 2D-format file here (default: FILE less its last four characters, plus \".txt\")");
  Example("specbridge-cli simple-kinetics reaction.ASC --min 400 --max 600 -o reaction.txt");
}

void SimpleKineticsCommand::RuleBox(const char* flag, const char* box, const std::string& caption) {
  Action(
      flag, std::string(box) + ", \"" + caption + "\"",
      [this, box](Session&, const std::string& text) {
        converter_.Boxes().Set(box, text);
        ruleGiven_ = true;
      },
      "T");
}

bool SimpleKineticsCommand::RuleBoxGiven() const {
  const CLI::Option* option = const_cast<SimpleKineticsCommand*>(this)->App().get_option("--box");
  for (const std::string& assignment : option->results()) {
    const std::string name = assignment.substr(0, assignment.find('='));
    for (std::string_view rule : simple_kinetics::kSectionBoxes) {
      if (name == rule) return true;
    }
  }
  return false;
}

void SimpleKineticsCommand::Run(Session& session) {
  converter_.Open(session.Read(file_), file_);
  ReplayActions(session);
  if (exclude_ || ruleGiven_ || RuleBoxGiven()) converter_.Button1Click();
  for (const std::string& text : again_) {
    std::string error;  // checked while parsing
    for (auto& [name, value] : ParseAssignments(text, converter_.Boxes(), error)) converter_.Boxes().Set(name, value);
    converter_.Button1Click();
  }
  session.Save(Output() ? *Output() : converter_.SaveFile(), converter_.SaveBytes());
  if (!printBoxes_) return;
  for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "MIN", "MAX"}) {
    session.Out() << name << '=' << converter_.Boxes()[name] << '\n';
  }
}

}  // namespace

void AddSimpleKineticsCommand(CLI::App& app, Context& context) { AttachCommand<SimpleKineticsCommand>(app, context); }

}  // namespace specbridge::cli
