// specbridge-cli titration: the titration window's Open, the boxes typed in
// command-line order, then Calculate, Save and Save_As_Kinetics.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/commands.hpp"
#include "cli/scene_png.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "titration/titration.hpp"

namespace specbridge::cli {
namespace {

using titration::TitrationSeries;

class TitrationCommand : public Command {
 public:
  explicit TitrationCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  void RangeBox(const char* flag, const std::string& description, bool (*accept)(TitrationSeries&, std::string&));
  void Calculate(Session& session);
  void SaveAsKinetics(Session& session);

  std::string file_;
  BoxTexts boxes_ = titration::DefaultBoxes();
  std::size_t titrants_ = 0;
  int skip_ = 0;
  std::string kineticsOut_, times_, plotPng_;
  bool grid_ = false;
  // Made by Run: its arrays are large.
  std::unique_ptr<TitrationSeries> series_;
  std::vector<int> timeList_;
};

TitrationCommand::TitrationCommand(CLI::App& parent)
    : Command(parent, "titration",
              "Titration series to a SPECFIT 2D-format file (X/Z mode 1) or a kinetics file (X/Z mode 2)") {
  App().add_option("FILE", file_, "One file of the numbered series (run00.ASC ...) or a \"2D\" sheet")->required();
  BoxAction("--comment1", boxes_, "Comment1", "the first line of the output");
  BoxAction("--comment2", boxes_, "Comment2", "the second line of the output");
  BoxAction("--v0", boxes_, "V0", "Initial Volume (ml)");
  BoxAction("--vt", boxes_, "Vt", "Titration Vol. (ml)");
  BoxAction("--cm", boxes_, "CM", "[M] (M)");
  BoxAction("--ch", boxes_, "CH", "[H+] (M)");
  BoxAction("--temp", boxes_, "Temp", "Temp.");
  Action(
      "--titrant", "NO:CL, repeatable: fills No1/CL1, No2/CL2, ... in order",
      [this](Session&, const std::string& titrant) {
        if (titrants_ == 5) throw CLI::ValidationError("--titrant", "at most 5 titrant stocks");
        const auto colon = titrant.find(':');
        if (colon == std::string::npos)
          throw CLI::ValidationError("--titrant", "expected NO:CL, got '" + titrant + "'");
        ++titrants_;
        boxes_.Set("No" + std::to_string(titrants_), titrant.substr(0, colon));
        boxes_.Set("CL" + std::to_string(titrants_), titrant.substr(colon + 1));
      },
      "NO:CL");
  RangeBox("--xlow", "Edit1, lower wavelength of the range", &titration::AcceptXLow);
  RangeBox("--xhigh", "Edit2, upper wavelength of the range", &titration::AcceptXHigh);
  RangeBox("--yhigh", "Edit4, upper value of the plot", &titration::AcceptYHigh);
  RangeBox("--points", "Points for Meas. (spectra written)", &titration::AcceptUsedSpectra);
  BoxAction("--t0", boxes_, "Edit9", "Initial time (s) of the kinetics export");
  BoxAction("--dt", boxes_, "Edit10", "interval time (s) of the kinetics export");
  BoxAssignments(boxes_);
  App().add_option("--skip", skip_, "Skipping: write every (S+1)-th point")->check(CLI::Range(0, 4));
  App().add_option("--times", times_, "Times file for the kinetics export (\"from file\")")->type_name("FILE");
  App().add_flag("--grid", grid_, "Calculate and print the concentration grid (tab-separated)");
  OutputOption("Calculate and Save the 2D-format file here");
  App().add_option("--kinetics-out", kineticsOut_, "Save_As_Kinetics to this file")->type_name("OUT");
  App().add_option("--plot-png", plotPng_, "Write the window's drawing after Open as a PNG file")->type_name("OUT.png");
  Example(
      "specbridge-cli titration run00.ASC --comment1 \"M + L\" --comment2 \"pH 7\" --v0 2 --vt 0.01 --cm 1e-4 --ch 0 "
      "--temp 25 --titrant 1:2e-3 --xlow 260 --xhigh 600 -o run.txt");
}

// A range box typed and left: a refused value restores the box, as in the window.
void TitrationCommand::RangeBox(const char* flag, const std::string& description,
                                bool (*accept)(TitrationSeries&, std::string&)) {
  Action(
      flag, description,
      [this, flag, accept](Session& session, const std::string& text) {
        std::string box = text;
        if (!accept(*series_, box)) {
          session.Err() << flag << " " << text << " is outside the data of the series; the box shows " << box
                        << " and the range is unchanged\n";
        }
      },
      "VALUE");
}

void TitrationCommand::Run(Session& session) {
  series_ = std::make_unique<TitrationSeries>();
  std::vector<std::string> lineBuffer;
  titration::OpenSeries(*series_, file_, boxes_, lineBuffer, session.Warnings());
  session.AddInput(file_);
  for (int k = 0; k < series_->FileCount; ++k) session.AddInput(series_->FileNames[static_cast<std::size_t>(k)]);
  if (!plotPng_.empty()) {
    session.Save(plotPng_,
                 ScenePng(titration::DrawAfterOpen(*series_, titration::kPlotWidth, titration::kPlotHeight), plotPng_));
  }
  // Ticking "from file" reads the times file at once, as the check box does.
  if (!times_.empty()) timeList_ = titration::ReadTimesFile(session.Read(times_), times_, session.Warnings());

  ReplayActions(session);

  if (grid_ || Output()) Calculate(session);
  if (!kineticsOut_.empty()) SaveAsKinetics(session);
  if (!grid_ && !Output() && kineticsOut_.empty()) {
    session.Out() << series_->FileCount << " spectra of " << series_->PointCount << " points, " << boxes_["Edit1"]
                  << " to " << boxes_["Edit2"] << " nm, values " << boxes_["Edit3"] << " to " << boxes_["Edit4"]
                  << "\n";
  }
}

void TitrationCommand::Calculate(Session& session) {
  // Comment1 and Temp reach only the written file: --grid alone does not ask for them.
  BoxTexts guarded = boxes_;
  if (!Output()) {
    for (const char* name : {"Comment1", "Temp"}) {
      if (guarded.IsDefault(name)) guarded.Set(name, "");
    }
  }
  const auto grid = titration::Calculate(guarded, series_->UsedSpectrumCount);
  if (!grid) {
    const std::string unfilled = DefaultBoxesList(guarded, {"Comment1", "V0", "Vt", "CM", "CH", "Temp", "No1", "CL1"});
    session.Fail("Calculate did nothing: " +
                 (unfilled.empty() ? std::string("the series holds no spectra")
                                   : "these boxes still hold their default text: " + unfilled) +
                 "; nothing was written");
    return;
  }
  series_->ConcentrationsReady = true;
  if (grid_) {
    for (std::size_t row = 0; row < 4; ++row) {
      for (std::size_t c = 0; c < grid->columns.size(); ++c) {
        session.Out() << (c > 0 ? "\t" : "") << grid->columns[c][row];
      }
      session.Out() << '\n';
    }
  }
  if (Output()) {
    session.Save(*Output(), titration::WriteTitration2D(*series_, *grid, boxes_, skip_),
                 std::to_string(titration::CountSelectedPoints(*series_, skip_)) + " wavelengths × " +
                     std::to_string(series_->UsedSpectrumCount) + " points");
  }
}

void TitrationCommand::SaveAsKinetics(Session& session) {
  for (const std::string& message : titration::KineticsGuardMessages(boxes_)) session.Err() << message << '\n';
  if (!titration::KineticsGuardPassed(boxes_)) {
    session.Fail("Save_As_Kinetics did nothing: fill Comment1, Edit9 (--t0) and Edit10 (--dt); " + kineticsOut_ +
                 " was not written");
    return;
  }
  session.Save(kineticsOut_, titration::WriteKinetics2D(*series_, boxes_, !times_.empty(), timeList_));
}

}  // namespace

void AddTitrationCommand(CLI::App& app, Context& context) { AttachCommand<TitrationCommand>(app, context); }

}  // namespace specbridge::cli
