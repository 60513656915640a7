#include "kinetics/converter.hpp"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "common/numbers.hpp"
#include "common/text.hpp"
#include "kinetics/writer.hpp"

namespace specbridge::kinetics {

KineticConverter::KineticConverter()
    : boxes_{{"DeadTime", "1"},    {"Interval", "1"},  {"nmlow", "nmlow"}, {"nmhigh", "nmhigh"},
             {"Points", "Points"}, {"Total", "Total"}, {"Part", "Part"}},
      comments_{{"Comments1", "Comments1"}, {"Comments2", "Comments2"}, {"Temperature", "Temperature"}},
      spins_{{{"SpinEdit1", 1, 500, 1},
              {"SpinEdit2", 1, 10, 1},
              {"SpinEdit3", 0, 1000, 0},
              {"SpinEdit4", 0, 1000, 0},
              {"SpinEdit5", 0, 1000, 0},
              {"SpinEdit6", 0, 1000, 0}}} {}

bool KineticConverter::IsSpin(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kNames = {"SpinEdit1", "SpinEdit2", "SpinEdit3",
                                                             "SpinEdit4", "SpinEdit5", "SpinEdit6"};
  return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

const SpinEdit& KineticConverter::Spin(std::string_view name) const {
  for (const SpinEdit& spin : spins_) {
    if (spin.name == name) return spin;
  }
  throw std::out_of_range("TForm3 has no spin editor named " + std::string(name));
}

SpinEdit& KineticConverter::MutableSpin(std::string_view name) { return const_cast<SpinEdit&>(Spin(name)); }

void KineticConverter::SetSpin(std::string_view name, int value) {
  SpinEdit& spin = MutableSpin(name);
  value = std::clamp(value, spin.min, spin.max);
  if (value == spin.value) return;
  spin.value = value;
  // The hidden previous values start the handler of their cut-off again.
  if (name == "SpinEdit1") {
    SpinEdit1Change();
  } else if (name == "SpinEdit2") {
    SpinEdit2Change();
  } else if (name == "SpinEdit3" || name == "SpinEdit5") {
    SpinEdit3Change();
  } else {
    SpinEdit4Change();
  }
}

void KineticConverter::Open(std::string bytes, const std::string& path) {
  KineticFile file = ReadKineticFile(std::move(bytes), std::filesystem::path(path).filename().string());
  grid_ = std::move(file.grid);
  state_.KineticFileName = path;
  if (file.header) state_.header = *file.header;
  boxes_.Set("nmlow", file.nmlow);
  boxes_.Set("nmhigh", file.nmhigh);
  boxes_.Set("Points", file.points);
  boxes_.Set("Total", file.total);
  boxes_.Set("Part", file.part);
  if (file.deadTime) boxes_.Set("DeadTime", *file.deadTime);
  if (file.interval) boxes_.Set("Interval", *file.interval);
  twins_->CopyOpenFields(boxes_);
}

void KineticConverter::Apply1Click() {
  FillTimeAxis(grid_, boxes_["DeadTime"], boxes_["Interval"]);
  twins_->CopyTimeAxis(boxes_["DeadTime"], boxes_["Interval"]);
}

void KineticConverter::SpinEdit2Change() {
  const int step = SpinValue("SpinEdit2");
  const auto selection = SelectColumns(grid_, boxes_["nmlow"], boxes_["nmhigh"], step);
  boxes_.Set("Points", IntText(static_cast<long long>(selection.columns.size())));
  twins_->CopyWavelengthCount(boxes_["Points"], step, boxes_["nmlow"], boxes_["nmhigh"]);
}

void KineticConverter::SpinEdit1Change() {
  const int unit = SpinValue("SpinEdit1");
  ApplyOmittingUnit(grid_, unit, SpinValue("SpinEdit3"), SpinValue("SpinEdit4"));
  if (unit == 1) twins_->CopyOmittingUnit(unit);
  Recount();
}

void KineticConverter::SpinEdit3Change() {
  const int lower = SpinValue("SpinEdit3");
  ApplyLowerCutOff(grid_, lower, SpinValue("SpinEdit5"));
  if (lower > 0) {
    SetSpin("SpinEdit5", lower);
    twins_->CopyLowerCutOff(lower);
  }
  Recount();
}

void KineticConverter::SpinEdit4Change() {
  const int upper = SpinValue("SpinEdit4");
  ApplyUpperCutOff(grid_, upper, SpinValue("SpinEdit6"));
  if (upper > 0) {
    SetSpin("SpinEdit6", upper);
    twins_->CopyUpperCutOff(upper);
  }
  Recount();
}

void KineticConverter::Recount() {
  boxes_.Set("Part", IntText(grid_.KeptRowCount()));
  twins_->CopyPart(boxes_["Part"]);
}

std::vector<std::string_view> KineticConverter::SaveMessages() const {
  std::vector<std::string_view> messages;
  if (TrimControls(comments_["Comments1"]) == "Comments1") messages.push_back(kComments1Missing);
  if (TrimControls(grid_.Cell(1, 5)).empty()) messages.push_back(kTimeColumnMissing);
  return messages;
}

bool KineticConverter::SaveGuardPassed() const {
  // Only three time rows are needed; the time-column message warns from five.
  return TrimControls(comments_["Comments1"]) != "Comments1" && !TrimControls(grid_.Cell(1, 3)).empty();
}

std::string ProposedSaveName(const std::string& fileName) {
  return fileName.substr(0, fileName.size() - std::min<std::size_t>(4, fileName.size())) + ".txt";
}

std::string KineticConverter::ProposedSaveName() const { return kinetics::ProposedSaveName(state_.KineticFileName); }

std::string KineticConverter::SaveBytes() {
  const auto selection = SelectColumns(grid_, boxes_["nmlow"], boxes_["nmhigh"], SpinValue("SpinEdit2"));
  const int nm = WithContext("Part", [&] { return TextToInteger(boxes_["Part"]); });
  if (selection.columns.empty()) {
    throw NothingToSave("Nothing to save: no wavelength column lies between nmlow " + boxes_["nmlow"] + " and nmhigh " +
                        boxes_["nmhigh"] + "; nothing was written");
  }
  if (grid_.KeptRowCount() == 0) {
    throw NothingToSave("Nothing to save: every time row is marked Omit; nothing was written");
  }
  if (comments_["Temperature"] == "Temperature") comments_.Set("Temperature", "20");
  return WriteSpecfit2D(grid_, selection.columns, nm,
                        {comments_["Comments1"], comments_["Comments2"], comments_["Temperature"]});
}

std::vector<std::string> KineticConverter::ReportLines() const {
  std::vector<std::string> lines;
  const auto box = [&](const BoxTexts& boxes, std::string_view form, std::string_view name) {
    lines.push_back(std::string(form) + "." + std::string(name) + "=" + boxes[name]);
  };
  const auto spin = [&](std::string_view name) {
    lines.push_back("TForm3." + std::string(name) + "=" + IntText(SpinValue(name)));
  };
  box(boxes_, "TForm3", "DeadTime");
  box(boxes_, "TForm3", "Interval");
  box(boxes_, "TForm3", "nmlow");
  box(boxes_, "TForm3", "nmhigh");
  spin("SpinEdit2");
  box(boxes_, "TForm3", "Points");
  for (const std::string_view name : {"SpinEdit1", "SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"}) spin(name);
  box(boxes_, "TForm3", "Total");
  box(boxes_, "TForm3", "Part");
  for (const std::string_view name : {"Comments1", "Comments2", "Temperature"}) box(comments_, "TForm4", name);
  return lines;
}

}  // namespace specbridge::kinetics
