// specbridge-cli columns: a session of the column tool replayed. The text
// window's Open, conversions and Save, the treatment window's split, update
// and abort, and the formula window's controls and Apply, in command-line
// order.
#include <CLI/CLI.hpp>
#include <functional>
#include <string_view>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "columns/columns.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::cli {
namespace {

using columns::ColumnTool;
using columns::Operator;

// plus | minus | times | divide | none, or + - * /.
Operator ParseOperator(const std::string& text) {
  if (text == "plus" || text == "+") return Operator::kPlus;
  if (text == "minus" || text == "-") return Operator::kMinus;
  if (text == "times" || text == "*") return Operator::kTimes;
  if (text == "divide" || text == "/") return Operator::kDivide;
  return Operator::kNone;
}

const CLI::Validator kOperatorText(
    [](std::string& text) -> std::string {
      for (const char* name : {"plus", "minus", "times", "divide", "none", "+", "-", "*", "/"}) {
        if (text == name) return {};
      }
      return "expected plus, minus, times, divide or none (or + - * /), got '" + text + "'";
    },
    "");

const CLI::Validator kColumnNumber(
    [](std::string& text) -> std::string {
      try {
        if (TextToInteger(text) >= 0 && text.find_first_not_of("0123456789") == std::string::npos) return {};
      } catch (const Failure&) {
      }
      return "expected a column number (0, 1, 2, ...), got '" + text + "'";
    },
    "");

class ColumnsCommand : public Command {
 public:
  explicit ColumnsCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  void Open(Session& session, const std::string& path);
  void ColumnAction(const char* flag, const std::string& description, int columns::Formula::*column);
  void OperatorAction(const char* flag, const std::string& description, Operator columns::Formula::*op);
  // --apply, --update and --abort belong to the treatment window: shown by
  // --split, hidden again by --update or --abort.
  void CheckTreatmentWindow();

  std::string file_;
  BoxTexts boxes_{{"Edit1", "1"}, {"Edit2", "1"}};
  ColumnTool tool_;
};

ColumnsCommand::ColumnsCommand(CLI::App& parent)
    : Command(parent, "columns",
              "Tab and blank conversions, a column table and simple column arithmetic on a text sheet") {
  App().add_option("FILE", file_, "File -> Open (without FILE the text is \"Memo1\")");
  Action(
      "--open", "File -> Open again (\"\" = the dialog cancelled)",
      [this](Session& session, const std::string& path) { Step(session, "--open", [&] { Open(session, path); }); },
      "FILE");
  FlagAction("--tab-to-space", "Edit -> TabToSpace",
             [this](Session& session) { Step(session, "--tab-to-space", [&] { tool_.TabToSpace1Click(); }); });
  FlagAction("--spaces-to-tab", "Edit -> SpacesToTab",
             [this](Session& session) { Step(session, "--spaces-to-tab", [&] { tool_.SpacesToTab1Click(); }); });
  FlagAction("--split", "Edit -> Column Calculation: the column table",
             [this](Session& session) { Step(session, "--split", [&] { tool_.ColumnCalculation1Click(); }); });
  ColumnAction("--result-col", "SpinEdit3: the column that receives the result", &columns::Formula::resultColumn);
  ColumnAction("--first-col", "SpinEdit1: the column of the first term", &columns::Formula::firstColumn);
  ColumnAction("--second-col", "SpinEdit2: the column of the second term", &columns::Formula::secondColumn);
  OperatorAction("--op1", "CheckBox1-4: the operator of the first term", &columns::Formula::firstOperator);
  BoxAction("--const1", boxes_, "Edit1", "the constant of the first term");
  OperatorAction("--op3", "CheckBox9-12: the operator between the two terms", &columns::Formula::middleOperator);
  OperatorAction("--op2", "CheckBox5-8: the operator of the second term", &columns::Formula::secondOperator);
  BoxAction("--const2", boxes_, "Edit2", "the constant of the second term");
  FlagAction("--second-term", "CheckBox13 \"Use the Second Term\" checked",
             [this](Session&) { tool_.Math().useSecondTerm = true; });
  FlagAction("--no-second-term", "CheckBox13 \"Use the Second Term\" unchecked",
             [this](Session&) { tool_.Math().useSecondTerm = false; });
  BoxAssignments(boxes_);
  FlagAction("--apply", "Edit -> Simple_Math, then \"Apply\"", [this](Session& session) {
    Step(session, "--apply", [&] {
      tool_.Math().constant1 = boxes_["Edit1"];
      tool_.Math().constant2 = boxes_["Edit2"];
      tool_.ApplyClick();
    });
  });
  FlagAction("--update", "File -> Update and Return To Main",
             [this](Session& session) { Step(session, "--update", [&] { tool_.UpdateandReturnToMain1Click(); }); });
  FlagAction("--abort", "File -> Abort The Treatment", [](Session&) {});
  Action(
      "--save", "File -> Save at this point of the sequence",
      [this](Session& session, const std::string& path) {
        Step(session, "--save", [&] { session.Save(path, tool_.SaveBytes()); });
      },
      "OUT");
  OutputOption("A final File -> Save (there is no default: it would replace FILE)");
  Example(
      "specbridge-cli columns two_spectra.txt --split --result-col 2 --first-col 1 --op1 '*' --const1 1000 --apply "
      "--update -o scaled.txt");
  KeepGoingOption();
  App().parse_complete_callback([this] { CheckTreatmentWindow(); });
}

void ColumnsCommand::ColumnAction(const char* flag, const std::string& description, int columns::Formula::*column) {
  Action(
      flag, description,
      [this, column](Session&, const std::string& text) { tool_.Math().*column = TextToInteger(text); }, "N")
      ->check(kColumnNumber);
}

void ColumnsCommand::OperatorAction(const char* flag, const std::string& description, Operator columns::Formula::*op) {
  Action(
      flag, description, [this, op](Session&, const std::string& text) { tool_.Math().*op = ParseOperator(text); },
      "OP")
      ->check(kOperatorText);
}

void ColumnsCommand::CheckTreatmentWindow() {
  bool shown = false;
  for (const CLI::Option* option : App().parse_order()) {
    const std::string name = option->get_name();
    if (name == "--split") {
      shown = true;
    } else if (name == "--apply" || name == "--update" || name == "--abort") {
      if (!shown) {
        throw CLI::ValidationError(name, "the treatment window is not shown: give --split before it");
      }
      if (name != "--apply") shown = false;
    }
  }
}

void ColumnsCommand::Open(Session& session, const std::string& path) {
  if (path.empty()) return;  // the dialog cancelled
  tool_.Open(session.Read(path), path, session.Warnings());
}

void ColumnsCommand::Run(Session& session) {
  if (!file_.empty()) Open(session, file_);
  ReplayActions(session);
  if (Output()) Step(session, "--output", [&] { session.Save(*Output(), tool_.SaveBytes()); });
  if (!session.HasOutputs()) session.Fail("Nothing was saved: give -o OUT or --save OUT");
}

}  // namespace

void AddColumnsCommand(CLI::App& app, Context& context) { AttachCommand<ColumnsCommand>(app, context); }

}  // namespace specbridge::cli
