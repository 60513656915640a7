#include "kinetics/views.hpp"

#include <algorithm>
#include <stdexcept>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "kinetics/rules.hpp"

namespace specbridge::kinetics {
namespace {

constexpr Rgb kRed{255, 0, 0};

double CellReal(const KineticGrid& grid, int c, int r) {
  return WithContext([&] { return "row " + std::to_string(r) + ", column " + std::to_string(c); },
                     [&] { return TextToReal(grid.Cell(c, r)); });
}

// The range of a redraw: it starts at +-1000, so XLow never lies above 1000
// and XHigh never below -1000, whatever the data.
struct RangeBuilder {
  PlotRange range{1000, -1000, 1000, -1000};
  void Include(double x, double y) {
    range.xLow = std::min(range.xLow, x);
    range.xHigh = std::max(range.xHigh, x);
    range.yLow = std::min(range.yLow, y);
    range.yHigh = std::max(range.yHigh, y);
  }
};

std::string Label(double v) { return FixedText(v, 11, 2); }

void SetLabels(BoxTexts& boxes, const PlotRange& range) {
  boxes.Set("Edit1", Label(range.xLow));
  boxes.Set("Edit2", Label(range.xHigh));
  boxes.Set("Edit3", Label(range.yLow));
  boxes.Set("Edit4", Label(range.yHigh));
}

// Clears the surface and draws the blue frame around the range.
PlotMapping ClearAndFrame(PlotScene& scene, const PlotRange& range) {
  const int w = scene.Width();
  const int h = scene.Height();
  scene.FillRect(-3, -3, w + 3, h + 3, kWhite);
  scene.SetPen(kFrameBlue, 1);
  const PlotMapping map(range, w, h);
  scene.MoveTo(map.PlotX(range.xLow), map.PlotY(range.yLow));
  scene.LineTo(map.PlotX(range.xLow), map.PlotY(range.yHigh));
  scene.LineTo(map.PlotX(range.xHigh), map.PlotY(range.yHigh));
  scene.LineTo(map.PlotX(range.xHigh), map.PlotY(range.yLow));
  scene.LineTo(map.PlotX(range.xLow), map.PlotY(range.yLow));
  return map;
}

}  // namespace

// --- ViewControls ----------------------------------------------------------------

ViewControls::ViewControls(std::string_view form, BoxTexts boxes, std::vector<SpinEdit> spins, int width, int height)
    : form_(form), boxes_(std::move(boxes)), spins_(std::move(spins)), scene_(width, height) {}

bool ViewControls::IsSpin(std::string_view name) const {
  return std::any_of(spins_.begin(), spins_.end(), [&](const SpinEdit& spin) { return spin.name == name; });
}

const SpinEdit& ViewControls::Spin(std::string_view name) const {
  for (const SpinEdit& spin : spins_) {
    if (spin.name == name) return spin;
  }
  throw std::out_of_range(form_ + " has no spin editor named " + std::string(name));
}

SpinEdit& ViewControls::MutableSpin(std::string_view name) { return const_cast<SpinEdit&>(Spin(name)); }

bool ViewControls::Change(std::string_view name, int value) {
  SpinEdit& spin = MutableSpin(name);
  value = std::clamp(value, spin.min, spin.max);
  if (value == spin.value) return false;
  spin.value = value;
  return true;
}

PlotScene& ViewControls::StartPicture() {
  scene_ = PlotScene(scene_.Width(), scene_.Height());
  ++serial_;
  return scene_;
}

std::vector<std::string> ViewControls::ReportLines(const std::vector<std::string_view>& order) const {
  std::vector<std::string> lines;
  for (const std::string_view name : order) {
    if (IsSpin(name)) {
      lines.push_back(form_ + "." + std::string(name) + "=" + IntText(SpinValue(name)));
    } else if (!(boxes_.IsDefault(name) && boxes_.Default(name).empty())) {
      lines.push_back(form_ + "." + std::string(name) + "=" + boxes_[name]);
    }
  }
  return lines;
}

// --- TraceView -------------------------------------------------------------------

TraceView::TraceView(KineticConverter& converter)
    : ViewControls("TForm5",
                   {{"Edit1", ""},
                    {"Edit2", ""},
                    {"Edit3", ""},
                    {"Edit4", ""},
                    {"Edit5", ""},
                    {"DeadTime", "1"},
                    {"Interval", "1"},
                    {"Total", ""},
                    {"Part", ""}},
                   {{"SpinEdit1", 0, 3300, 0},
                    {"SpinEdit2", 0, 1000, 0},
                    {"SpinEdit3", 1, 100, 1},
                    {"SpinEdit4", 0, 1000, 0},
                    {"SpinEdit5", 0, 1000, 0},
                    {"SpinEdit6", 0, 1000, 0}},
                   kTraceWidth, kTraceHeight),
      converter_(converter) {}

void TraceView::SetSpin(std::string_view name, int value) {
  if (!Change(name, value)) return;
  if (name == "SpinEdit1") {
    SpinEdit1Change();
  } else if (name == "SpinEdit3") {
    SpinEdit3Change();
  } else if (name == "SpinEdit2" || name == "SpinEdit5") {
    SpinEdit2Change();
  } else {
    SpinEdit4Change();
  }
}

void TraceView::SpinEdit1Change() {
  const KineticGrid& grid = converter_.Grid();
  if (grid.Cell(1, 2).empty() || grid.Cell(2, 2).empty()) return;
  SpinEdit& column = MutableSpin("SpinEdit1");
  if (column.value == 0) {
    // First use: the middle wavelength column, and the column range of this grid.
    const int last = grid.ColumnCount() - 1;
    column.min = 2;
    column.max = last;
    column.value = std::clamp((grid.ColumnCount() - 3) / 2, 2, last);
  }
  const int col = column.value;
  // The label names the wavelength of the trace drawn, so it follows every redraw.
  Boxes().Set("Edit5", std::string(grid.Cell(col, 0)));

  RangeBuilder range;
  points_.clear();
  for (int r = 2; r < grid.RowCount(); ++r) {
    if (grid.IsOmitted(r)) continue;
    const double t = CellReal(grid, 1, r);
    const double a = CellReal(grid, col, r);
    range.Include(t, a);
    points_.push_back(t);
    points_.push_back(a);
  }
  SetLabels(Boxes(), range.range);

  PlotScene& scene = StartPicture();
  const PlotMapping map = ClearAndFrame(scene, range.range);
  const int yLow = map.PlotY(range.range.yLow);
  const int yHigh = map.PlotY(range.range.yHigh);
  for (std::size_t k = 0; k < points_.size(); k += 2) {
    const int x = map.PlotX(points_[k]);
    const int y = map.PlotY(points_[k + 1]);
    scene.SetPen(kFrameBlue, 1);
    scene.MoveTo(x, yLow);
    scene.LineTo(x, yHigh);
    scene.SetPen(kRed, 1);
    scene.Ellipse(x - 2, y - 2, x + 2, y + 2);
  }
}

void TraceView::Apply1Click() {
  converter_.Boxes().Set("DeadTime", Boxes()["DeadTime"]);
  converter_.Boxes().Set("Interval", Boxes()["Interval"]);
  converter_.Apply1Click();
  SpinEdit1Change();
}

void TraceView::SpinEdit3Change() {
  converter_.SetSpin("SpinEdit1", SpinValue("SpinEdit3"));
  SpinEdit1Change();
}

void TraceView::SpinEdit2Change() {
  const int lower = SpinValue("SpinEdit2");
  ApplyLowerCutOff(converter_.RuleGrid(), lower, SpinValue("SpinEdit5"));
  if (lower > 0) {
    SetSpin("SpinEdit5", lower);
    converter_.SetSpin("SpinEdit3", lower);
    converter_.SetSpin("SpinEdit5", lower);
  }
  Recount();
  SpinEdit1Change();
}

void TraceView::SpinEdit4Change() {
  const int upper = SpinValue("SpinEdit4");
  ApplyUpperCutOff(converter_.RuleGrid(), upper, SpinValue("SpinEdit6"));
  if (upper > 0) {
    SetSpin("SpinEdit6", upper);
    converter_.SetSpin("SpinEdit4", upper);
    converter_.SetSpin("SpinEdit6", upper);
  }
  Recount();
  SpinEdit1Change();
}

// Into both Part fields: the converter's copies its text here.
void TraceView::Recount() { converter_.Recount(); }

std::vector<std::string> TraceView::ReportLines() const {
  return ViewControls::ReportLines({"Edit4", "Edit3", "Edit1", "Edit2", "Edit5", "SpinEdit1", "DeadTime", "Interval",
                                    "SpinEdit3", "SpinEdit2", "SpinEdit4", "SpinEdit5", "SpinEdit6", "Total", "Part"});
}

// --- SpectraView -----------------------------------------------------------------

SpectraView::SpectraView(KineticConverter& converter)
    : ViewControls("TForm6",
                   {{"Edit1", ""},
                    {"Edit2", ""},
                    {"Edit3", ""},
                    {"Edit4", ""},
                    {"nmlow", "nmlow"},
                    {"nmhigh", "nmhigh"},
                    {"Points", ""}},
                   {{"SpinEdit1", 1, 10, 1},
                    {"SpinEdit2", 0, 1000, 0},
                    {"SpinEdit4", 0, 1000, 0},
                    {"SpinEdit5", 0, 1000, 0},
                    {"SpinEdit6", 0, 1000, 0}},
                   kSpectraWidth, kSpectraHeight),
      converter_(converter) {}

void SpectraView::SetSpin(std::string_view name, int value) {
  if (Change(name, value) && name == "SpinEdit1") SpinEdit1Change();
}

void SpectraView::SpinEdit1Change() {
  const KineticGrid& grid = converter_.Grid();
  if (grid.Cell(2, 2).empty()) return;
  // The converter counts with this view's step, and copies its limits and
  // step back here.
  const int step = SpinValue("SpinEdit1");
  converter_.SetSpin("SpinEdit2", step);
  converter_.SpinEdit2Change();
  const ColumnSelection selection = SelectColumns(grid, Boxes()["nmlow"], Boxes()["nmhigh"], step);
  const int k = selection.anchor;
  const std::size_t width = selection.columns.size() + 1;

  // One stride per kept row: the anchor column first, then the selected ones.
  values_.clear();
  values_.push_back(CellReal(grid, k, 0));
  for (const int c : selection.columns) values_.push_back(CellReal(grid, c, 0));
  RangeBuilder range;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (grid.IsOmitted(r)) continue;
    for (std::size_t j = 0; j < width; ++j) {
      const int c = j == 0 ? k : selection.columns[j - 1];
      const double a = CellReal(grid, c, r);
      range.Include(values_[j], a);
      values_.push_back(a);
    }
  }
  SetLabels(Boxes(), range.range);

  PlotScene& scene = StartPicture();
  const PlotMapping map = ClearAndFrame(scene, range.range);
  std::vector<int> xs(width);
  for (std::size_t j = 0; j < width; ++j) xs[j] = map.PlotX(values_[j]);
  int n = 0;
  for (std::size_t row = width; row < values_.size(); row += width) {
    scene.SetPen(CurveColour(n), 1);
    ++n;
    scene.MoveTo(xs[0], map.PlotY(values_[row]));
    for (std::size_t j = 1; j < width; ++j) scene.LineTo(xs[j], map.PlotY(values_[row + j]));
  }
}

void SpectraView::nmlowExit() {
  converter_.Boxes().Set("nmlow", Boxes()["nmlow"]);
  SpinEdit1Change();
}

void SpectraView::nmhighExit() {
  converter_.Boxes().Set("nmhigh", Boxes()["nmhigh"]);
  SpinEdit1Change();
}

std::vector<std::string> SpectraView::ReportLines() const {
  return ViewControls::ReportLines({"Edit4", "Edit3", "Edit1", "Edit2", "nmlow", "nmhigh", "SpinEdit1", "Points"});
}

// --- KineticViews ----------------------------------------------------------------

KineticViews::KineticViews(KineticConverter& converter)
    : converter_(converter), trace_(converter), spectra_(converter) {
  converter_.SetTwins(this);
}

KineticViews::~KineticViews() { converter_.SetTwins(nullptr); }

void KineticViews::CopyOpenFields(const BoxTexts& b) {
  for (const char* name : {"Total", "Part", "DeadTime", "Interval"}) trace_.Boxes().Set(name, b[name]);
  for (const char* name : {"nmlow", "nmhigh", "Points"}) spectra_.Boxes().Set(name, b[name]);
}

void KineticViews::CopyTimeAxis(std::string_view deadTime, std::string_view interval) {
  trace_.Boxes().Set("DeadTime", std::string(deadTime));
  trace_.Boxes().Set("Interval", std::string(interval));
}

void KineticViews::CopyWavelengthCount(std::string_view points, int step, std::string_view nmlow,
                                       std::string_view nmhigh) {
  spectra_.Boxes().Set("Points", std::string(points));
  spectra_.SetSpin("SpinEdit1", step);
  spectra_.Boxes().Set("nmlow", std::string(nmlow));
  spectra_.Boxes().Set("nmhigh", std::string(nmhigh));
}

void KineticViews::CopyOmittingUnit(int unit) { trace_.SetSpin("SpinEdit3", unit); }

void KineticViews::CopyLowerCutOff(int lower) {
  trace_.SetSpin("SpinEdit2", lower);
  trace_.SetSpin("SpinEdit5", lower);
}

void KineticViews::CopyUpperCutOff(int upper) {
  trace_.SetSpin("SpinEdit4", upper);
  trace_.SetSpin("SpinEdit6", upper);
}

void KineticViews::CopyPart(std::string_view part) { trace_.Boxes().Set("Part", std::string(part)); }

}  // namespace specbridge::kinetics
