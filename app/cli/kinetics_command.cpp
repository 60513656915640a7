// specbridge-cli kinetics: a session of the kinetic-trace window replayed.
// FILE is the first "Open"; the action options then run in command-line
// order, each doing what the user's action does; -o saves once more at the
// end, then the grid, the control report and the pictures of the two views
// are taken. The views exist as in the window, drawn whether shown or not.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/commands.hpp"
#include "cli/scene_png.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "kinetics/converter.hpp"
#include "kinetics/views.hpp"

namespace specbridge::cli {
namespace {

namespace fs = std::filesystem;
using kinetics::KineticConverter;
using kinetics::KineticViews;

// The box a --box name means: "TForm3.nmlow", "TForm4.Comments1",
// "TForm5.DeadTime", "TForm6.nmlow", or a bare name, looked up in the
// converter first and then in the comments dialog.
BoxTexts* BoxFor(KineticConverter& converter, KineticViews& views, std::string& name) {
  const auto dot = name.find('.');
  if (dot == std::string::npos) {
    if (converter.Boxes().Has(name)) return &converter.Boxes();
    if (converter.Comments().Has(name)) return &converter.Comments();
    return nullptr;
  }
  const std::string form = name.substr(0, dot);
  name = name.substr(dot + 1);
  BoxTexts* boxes = form == "TForm3"   ? &converter.Boxes()
                    : form == "TForm4" ? &converter.Comments()
                    : form == "TForm5" ? &views.Trace().Boxes()
                    : form == "TForm6" ? &views.Spectra().Boxes()
                                       : nullptr;
  return boxes && boxes->Has(name) ? boxes : nullptr;
}

std::string CheckBoxAssignment(const std::string& assignment) {
  const auto equals = assignment.find('=');
  if (equals == std::string::npos) return "expected NAME=TEXT, got '" + assignment + "'";
  std::string name = assignment.substr(0, equals);
  const auto dot = name.find('.');
  const std::string form = dot == std::string::npos ? "" : name.substr(0, dot);
  const std::string control = name.substr(dot == std::string::npos ? 0 : dot + 1);
  KineticConverter probe;
  KineticViews probeViews(probe);
  if ((form.empty() || form == "TForm3") && KineticConverter::IsSpin(control)) {
    return "'" + name + "' is a spin editor; set it with its option (--step, --unit, --lower-cut, --upper-cut)";
  }
  if ((form == "TForm5" && probeViews.Trace().IsSpin(control)) ||
      (form == "TForm6" && probeViews.Spectra().IsSpin(control))) {
    return "'" + name + "' is a spin editor; set it with its option (--trace-..., --spectra-step)";
  }
  if (BoxFor(probe, probeViews, name) == nullptr) return "the kinetic-trace windows have no box named '" + name + "'";
  return {};
}

std::string CheckSpinValue(const std::string& text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return "'" + text + "' is not an integer";
  return {};
}

// Any integer: the spin editor clamps it to its range.
int SpinValue(const std::string& text) {
  long long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return static_cast<int>(std::clamp<long long>(value, -1'000'000, 1'000'000));
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class KineticsCommand : public Command {
 public:
  explicit KineticsCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  void Open(Session& session, const fs::path& path);
  void Save(Session& session, const fs::path& path);
  // `--flag T` types T into a box of the converter or the comments dialog;
  // the limits are also left, which recounts.
  void TypeAction(const char* flag, const char* box, const std::string& description, bool leave = false);
  void SpinAction(const char* flag, const char* spin, const std::string& description);
  // The same for a box or a spin editor of a view.
  void ViewTypeAction(const char* flag, bool trace, const char* box, const std::string& description);
  void ViewSpinAction(const char* flag, bool trace, const char* spin, const std::string& description);
  void SavePicture(Session& session, const std::string& path, const PlotScene& scene);

  std::optional<std::string> file_;
  std::string gridOut_, report_, tracePng_, spectraPng_;
  // Made by Run: the grid may be large.
  std::unique_ptr<KineticConverter> converter_;
  std::unique_ptr<KineticViews> views_;
};

KineticsCommand::KineticsCommand(CLI::App& parent)
    : Command(parent, "kinetics",
              "Time-resolved spectra to a SPECFIT 2D-format file for kinetics (X/Z mode 2, model 4)") {
  App().add_option("FILE", file_, "File -> Open (without it: a fresh window's empty table)");
  TypeAction("--comments1", "Comments1", "Type T into Comments1 (the comments dialog)");
  TypeAction("--comments2", "Comments2", "Type T into Comments2");
  TypeAction("--temperature", "Temperature", "Type T into Temperature");
  TypeAction("--dead-time", "DeadTime",
             "Type T into DeadTime, \"Dead_Time [sec]\" (a text starting with - as --dead-time=-60)");
  TypeAction("--interval", "Interval", "Type T into Interval, \"delta(Time) [sec]\"");
  FlagAction("--apply", "Press \"Apply\": the time column from DeadTime and Interval",
             [this](Session&) { converter_->Apply1Click(); });
  TypeAction("--nmlow", "nmlow",
             "Type T into nmlow, the first box of \"Wavelength Range\", and leave the box (the wavelength count runs)",
             true);
  TypeAction("--nmhigh", "nmhigh", "Type T into nmhigh, the second box of \"Wavelength Range\", and leave the box",
             true);
  SpinAction("--step", "SpinEdit2", "Set SpinEdit2, \"Skipping Policy\" (1-10)");
  SpinAction("--unit", "SpinEdit1", "Set SpinEdit1, \"Omitting Unit\" (1-500)");
  SpinAction("--lower-cut", "SpinEdit3", "Set SpinEdit3, \"Lower_Cut_Off\" (0-1000)");
  SpinAction("--upper-cut", "SpinEdit4", "Set SpinEdit4, \"Upper_Cut_Off\" (0-1000)");
  Action(
      "--open", "File -> Open again, with FILE2",
      [this](Session& session, const std::string& path) { Open(session, path); }, "FILE2");
  Action(
      "--save", "Save_SPECFIT_File now, the dialog answering FILE2",
      [this](Session& session, const std::string& path) { Save(session, path); }, "FILE2");
  FlagAction("--trace", "Menu \"Kinetic_Trace\": show the trace view and redraw it",
             [this](Session&) { views_->KineticTrace1Click(); });
  ViewSpinAction("--trace-column", true, "SpinEdit1", "Set the trace's grid column SpinEdit1 (No.)");
  ViewTypeAction("--trace-dead-time", true, "DeadTime", "Type T into the trace view's DeadTime");
  ViewTypeAction("--trace-interval", true, "Interval", "Type T into the trace view's Interval");
  FlagAction("--trace-apply", "Press the trace view's \"Apply\"", [this](Session&) { views_->Trace().Apply1Click(); });
  ViewSpinAction("--trace-unit", true, "SpinEdit3", "Set the trace view's omitting unit SpinEdit3 (1-100)");
  ViewSpinAction("--trace-lower-cut", true, "SpinEdit2", "Set the trace view's lower cut-off SpinEdit2 (0-1000)");
  ViewSpinAction("--trace-upper-cut", true, "SpinEdit4", "Set the trace view's upper cut-off SpinEdit4 (0-1000)");
  FlagAction("--spectra", "Menu \"Spectral_Features\": show the spectrum view and redraw it",
             [this](Session&) { views_->SpectralFeatures1Click(); });
  ViewTypeAction("--spectra-nmlow", false, "nmlow", "Type T into the spectrum view's nmlow and leave the box");
  ViewTypeAction("--spectra-nmhigh", false, "nmhigh", "Type T into the spectrum view's nmhigh and leave the box");
  ViewSpinAction("--spectra-step", false, "SpinEdit1", "Set the spectrum view's skipping policy SpinEdit1 (1-10)");
  Action(
      "--box", "Set a box's text without an event: NAME=TEXT (TForm3 first, then TForm4), or TFormN.NAME=TEXT (3 to 6)",
      [this](Session&, const std::string& assignment) {
        const auto equals = assignment.find('=');
        std::string name = assignment.substr(0, equals);
        BoxFor(*converter_, *views_, name)->Set(name, assignment.substr(equals + 1));
      },
      "NAME=TEXT")
      ->check(CLI::Validator(CheckBoxAssignment, ""));
  OutputOption("Save_SPECFIT_File once more after all actions");
  App().add_option("--grid-out", gridOut_, "Write the grid after all actions")->type_name("GRID");
  App().add_option("--report", report_, "Write the control texts after all actions")->type_name("REPORT");
  App().add_option("--trace-png", tracePng_, "Write the trace view's picture after all actions")->type_name("OUT.png");
  App()
      .add_option("--spectra-png", spectraPng_, "Write the spectrum view's picture after all actions")
      ->type_name("OUT.png");
  Example(
      "specbridge-cli kinetics run.ASC --comments1 \"A -> B\" --temperature 25 --apply --nmlow 410 --step 2 "
      "--unit 3 --lower-cut 1 -o run.txt");
}

void KineticsCommand::ViewTypeAction(const char* flag, bool trace, const char* box, const std::string& description) {
  Action(
      flag, description,
      [this, trace, box](Session&, const std::string& text) {
        if (trace) {
          views_->Trace().Boxes().Set(box, text);
          return;
        }
        views_->Spectra().Boxes().Set(box, text);
        if (std::string_view(box) == "nmlow") {
          views_->Spectra().nmlowExit();
        } else {
          views_->Spectra().nmhighExit();
        }
      },
      "T");
}

void KineticsCommand::ViewSpinAction(const char* flag, bool trace, const char* spin, const std::string& description) {
  Action(
      flag, description,
      [this, trace, spin](Session&, const std::string& value) {
        if (trace) {
          views_->Trace().SetSpin(spin, SpinValue(value));
        } else {
          views_->Spectra().SetSpin(spin, SpinValue(value));
        }
      },
      "N")
      ->check(CLI::Validator(CheckSpinValue, "INTEGER"));
}

void KineticsCommand::SavePicture(Session& session, const std::string& path, const PlotScene& scene) {
  session.Save(path, ScenePng(scene, path));
}

void KineticsCommand::TypeAction(const char* flag, const char* box, const std::string& description, bool leave) {
  Action(
      flag, description,
      [this, box, leave](Session&, const std::string& text) {
        BoxTexts& boxes = converter_->Boxes().Has(box) ? converter_->Boxes() : converter_->Comments();
        boxes.Set(box, text);
        if (leave) converter_->SpinEdit2Change();
      },
      "T");
}

void KineticsCommand::SpinAction(const char* flag, const char* spin, const std::string& description) {
  Action(
      flag, description,
      [this, spin](Session&, const std::string& value) { converter_->SetSpin(spin, SpinValue(value)); }, "N")
      ->check(CLI::Validator(CheckSpinValue, "INTEGER"));
}

void KineticsCommand::Open(Session& session, const fs::path& path) {
  converter_->Open(session.Read(path), path.string());
}

// The guards' messages first, then the selection and its failures, and only
// then the refusal of an output over an input.
void KineticsCommand::Save(Session& session, const fs::path& path) {
  const std::vector<std::string_view> messages = converter_->SaveMessages();
  if (!converter_->SaveGuardPassed()) {
    if (messages.empty()) {
      session.Fail("Save_SPECFIT_File stopped: the time of row 3 is empty; " + path.string() + " was not written");
      return;
    }
    // The last message fails the run, so no line repeats it.
    for (std::size_t k = 0; k + 1 < messages.size(); ++k) session.Err() << messages[k] << '\n';
    session.Fail(messages.back());
    return;
  }
  for (const std::string_view message : messages) session.Err() << message << '\n';
  session.Save(path, converter_->SaveBytes());
}

void KineticsCommand::Run(Session& session) {
  converter_ = std::make_unique<KineticConverter>();
  views_ = std::make_unique<KineticViews>(*converter_);
  if (file_) Open(session, *file_);
  ReplayActions(session);
  if (Output()) Save(session, *Output());
  if (!gridOut_.empty()) session.Save(gridOut_, converter_->Grid().Dump());
  if (!report_.empty()) {
    std::vector<std::string> lines = converter_->ReportLines();
    for (auto&& view : {views_->Trace().ReportLines(), views_->Spectra().ReportLines()}) {
      lines.insert(lines.end(), view.begin(), view.end());
    }
    session.Save(report_, Lines(lines));
  }
  if (!tracePng_.empty()) SavePicture(session, tracePng_, views_->Trace().Scene());
  if (!spectraPng_.empty()) SavePicture(session, spectraPng_, views_->Spectra().Scene());
  if (!Output() && gridOut_.empty() && report_.empty() && tracePng_.empty() && spectraPng_.empty() &&
      App().count("--save") == 0) {
    const BoxTexts& b = converter_->Boxes();
    session.Out() << b["Total"] << " time rows, " << b["Part"] << " to be saved; " << b["Points"]
                  << " wavelengths from " << b["nmlow"] << " to " << b["nmhigh"] << " nm\n";
  }
}

}  // namespace

void AddKineticsCommand(CLI::App& app, Context& context) { AttachCommand<KineticsCommand>(app, context); }

}  // namespace specbridge::cli
