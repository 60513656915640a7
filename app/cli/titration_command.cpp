// specbridge-cli titration: the titration window's Open, Calculate, Save and
// Save_As_Kinetics in one run.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

#include "cli/commands.hpp"
#include "cli/options.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"
#include "titration/titration.hpp"

namespace specbridge::cli {
namespace {

using titration::TitrationSeries;

struct TitrationOptions {
  std::string file;
  BoxTexts boxes = titration::DefaultBoxes();
  std::vector<std::string> titrants;
  std::vector<std::string> assignments;
  std::optional<std::string> xLow, xHigh, yHigh, points;
  int skip = 0;
  std::string out, kineticsOut, times;
  bool grid = false;
};

// --titrant NO:CL fills No1/CL1, No2/CL2, ... in order.
void ApplyTitrants(const std::vector<std::string>& titrants, BoxTexts& boxes) {
  if (titrants.size() > 5) throw CLI::ValidationError("--titrant", "at most 5 titrant stocks");
  for (std::size_t j = 0; j < titrants.size(); ++j) {
    const auto colon = titrants[j].find(':');
    if (colon == std::string::npos)
      throw CLI::ValidationError("--titrant", "expected NO:CL, got '" + titrants[j] + "'");
    boxes.Set("No" + std::to_string(j + 1), titrants[j].substr(0, colon));
    boxes.Set("CL" + std::to_string(j + 1), titrants[j].substr(colon + 1));
  }
}

// A range box typed and left: a refused value restores the box, as in the window.
void ApplyRangeBox(TitrationSeries& series, const char* flag, const std::optional<std::string>& text,
                   bool (*accept)(TitrationSeries&, std::string&), std::ostream& err) {
  if (!text) return;
  std::string box = *text;
  if (!accept(series, box)) {
    err << flag << " " << *text << " is outside the data of the series; the box shows " << box
        << " and the range is unchanged\n";
  }
}

void PrintGrid(const titration::ConcentrationGrid& grid, std::ostream& out) {
  for (std::size_t row = 0; row < 4; ++row) {
    for (std::size_t c = 0; c < grid.columns.size(); ++c) out << (c > 0 ? "\t" : "") << grid.columns[c][row];
    out << '\n';
  }
}

int RunTitration(TitrationOptions& o, Context& context) {
  ApplyTitrants(o.titrants, o.boxes);
  ApplyBoxAssignments(o.assignments, o.boxes);

  TitrationSeries series;
  std::vector<std::string> lineBuffer;
  titration::OpenSeries(series, o.file, o.boxes, lineBuffer,
                        [&](std::string_view message) { context.err << message << '\n'; });
  ApplyRangeBox(series, "--xlow", o.xLow, &titration::AcceptXLow, context.err);
  ApplyRangeBox(series, "--xhigh", o.xHigh, &titration::AcceptXHigh, context.err);
  ApplyRangeBox(series, "--yhigh", o.yHigh, &titration::AcceptYHigh, context.err);
  ApplyRangeBox(series, "--points", o.points, &titration::AcceptUsedSpectra, context.err);

  int code = 0;
  if (!o.out.empty() || o.grid) {
    const auto grid = titration::Calculate(o.boxes, series.UsedSpectrumCount);
    if (!grid) {
      const std::string unfilled =
          DefaultBoxesList(o.boxes, {"Comment1", "V0", "Vt", "CM", "CH", "Temp", "No1", "CL1"});
      context.err << "Calculate did nothing: "
                  << (unfilled.empty() ? "the series holds no spectra"
                                       : "these boxes still hold their default text: " + unfilled)
                  << "; nothing was written\n";
      code = 1;
    } else {
      series.ConcentrationsReady = true;
      if (o.grid) PrintGrid(*grid, context.out);
      if (!o.out.empty()) {
        WriteFileAtomically(o.out, titration::WriteTitration2D(series, *grid, o.boxes, o.skip));
        context.err << "Wrote " << o.out << '\n';
      }
    }
  }
  if (!o.kineticsOut.empty()) {
    for (const std::string& message : titration::KineticsGuardMessages(o.boxes)) context.err << message << '\n';
    if (!titration::KineticsGuardPassed(o.boxes)) {
      context.err << "Save_As_Kinetics did nothing: fill Comment1, Edit9 (--t0) and Edit10 (--dt); " << o.kineticsOut
                  << " was not written\n";
      code = 1;
    } else {
      std::vector<int> times;
      if (!o.times.empty()) {
        times = titration::ReadTimesFile(ReadFileBytes(o.times), o.times,
                                         [&](std::string_view text) { context.err << text << '\n'; });
      }
      WriteFileAtomically(o.kineticsOut, titration::WriteKinetics2D(series, o.boxes, !o.times.empty(), times));
      context.err << "Wrote " << o.kineticsOut << '\n';
    }
  }
  if (o.out.empty() && o.kineticsOut.empty() && !o.grid) {
    context.out << series.FileCount << " spectra of " << series.PointCount << " points, " << o.boxes["Edit1"] << " to "
                << o.boxes["Edit2"] << " nm, values " << o.boxes["Edit3"] << " to " << o.boxes["Edit4"] << "\n";
  }
  return code;
}

}  // namespace

void AddTitrationCommand(CLI::App& app, Context& context) {
  CLI::App* command = app.add_subcommand(
      "titration", "Titration series to a SPECFIT 2D-format file (X/Z mode 1) or a kinetics file (X/Z mode 2)");
  auto o = std::make_shared<TitrationOptions>();
  command->add_option("FILE", o->file, "One file of the numbered series (run00.ASC ...) or a \"2D\" sheet")->required();
  AddBoxFlag(*command, "--comment1", o->boxes, "Comment1", "Comment1: the first line of the output");
  AddBoxFlag(*command, "--comment2", o->boxes, "Comment2", "Comment2: the second line of the output");
  AddBoxFlag(*command, "--v0", o->boxes, "V0", "Initial Volume (ml)");
  AddBoxFlag(*command, "--vt", o->boxes, "Vt", "Titration Vol. (ml)");
  AddBoxFlag(*command, "--cm", o->boxes, "CM", "[M] (M)");
  AddBoxFlag(*command, "--ch", o->boxes, "CH", "[H+] (M)");
  AddBoxFlag(*command, "--temp", o->boxes, "Temp", "Temp.");
  command->add_option("--titrant", o->titrants, "NO:CL, repeatable: fills No1/CL1, No2/CL2, ... in order")
      ->type_name("NO:CL");
  command->add_option("--xlow", o->xLow, "Edit1, lower wavelength of the range")->type_name("NM");
  command->add_option("--xhigh", o->xHigh, "Edit2, upper wavelength of the range")->type_name("NM");
  command->add_option("--yhigh", o->yHigh, "Edit4, upper value of the plot")->type_name("VALUE");
  command->add_option("--points", o->points, "Points for Meas. (spectra written)")->type_name("N");
  command->add_option("--skip", o->skip, "Skipping: write every (S+1)-th point")->check(CLI::Range(0, 4));
  command->add_option("-o,--out", o->out, "Calculate and Save the 2D-format file here")->type_name("OUT");
  command->add_option("--kinetics-out", o->kineticsOut, "Save_As_Kinetics to this file")->type_name("OUT");
  AddBoxFlag(*command, "--t0", o->boxes, "Edit9", "Initial time (s) of the kinetics export");
  AddBoxFlag(*command, "--dt", o->boxes, "Edit10", "interval time (s) of the kinetics export");
  command->add_option("--times", o->times, "Times file for the kinetics export (\"from file\")")->type_name("FILE");
  command->add_flag("--grid", o->grid, "Print the concentration grid (tab-separated)");
  AddBoxOption(*command, o->assignments);
  command->callback([o, &context] { context.exitCode = RunTitration(*o, context); });
}

}  // namespace specbridge::cli
