// specbridge-cli svd: the singular values of a titration series or a
// kinetic grid, within the range its window would save, and the suggested
// number of absorbing species. Each FILE is opened as its window opens it,
// then the range options run in command-line order.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <memory>
#include <system_error>

#include "cli/commands.hpp"
#include "cli/session.hpp"
#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "kinetics/converter.hpp"
#include "species/species.hpp"
#include "titration/titration.hpp"

namespace specbridge::cli {
namespace {

using titration::TitrationSeries;

std::string CheckInteger(const std::string& text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return "'" + text + "' is not an integer";
  return {};
}

class SvdCommand : public Command {
 public:
  explicit SvdCommand(CLI::App& parent);

 private:
  void Run(Session& session) override;
  species::AbsorbanceMatrix OpenTitration(Session& session, const std::string& file);
  species::AbsorbanceMatrix OpenKinetics(Session& session, const std::string& file);
  void RangeBox(const char* flag, const std::string& description, bool (*accept)(TitrationSeries&, std::string&));
  void LimitBox(const char* flag, const char* box, const std::string& description);
  void Spin(const char* flag, const char* spin, const std::string& description);

  std::vector<std::string> files_;
  bool kinetics_ = false;
  CLI::Option* kineticsFlag_ = nullptr;
  // The file being read: the range options act on it.
  std::unique_ptr<TitrationSeries> series_;
  std::unique_ptr<kinetics::KineticConverter> converter_;
};

SvdCommand::SvdCommand(CLI::App& parent)
    : Command(parent, "svd",
              "Singular values of a titration series or a kinetic grid and the suggested number of absorbing "
              "species") {
  App()
      .add_option("FILE", files_, "A file of a numbered series or a \"2D\" sheet; with --kinetics a kinetics file")
      ->required();
  kineticsFlag_ =
      App().add_flag("--kinetics", kinetics_, "Read FILE as the kinetic-trace converter does (one time-resolved file)");
  RangeBox("--xlow", "Edit1, lower wavelength of the range", &titration::AcceptXLow);
  RangeBox("--xhigh", "Edit2, upper wavelength of the range", &titration::AcceptXHigh);
  RangeBox("--points", "Points for Meas. (the first N spectra)", &titration::AcceptUsedSpectra);
  LimitBox("--nmlow", "nmlow", "Type T into nmlow and leave the box");
  LimitBox("--nmhigh", "nmhigh", "Type T into nmhigh and leave the box");
  Spin("--step", "SpinEdit2", "Set the skipping policy SpinEdit2 (1-10)");
  Spin("--unit", "SpinEdit1", "Set the omitting unit SpinEdit1 (1-500)");
  Spin("--lower-cut", "SpinEdit3", "Set the lower cut-off SpinEdit3 (0-1000)");
  Spin("--upper-cut", "SpinEdit4", "Set the upper cut-off SpinEdit4 (0-1000)");
  ExitStatus("Exit status: 0 the values were reported, 1 a failure (the message says why), 2 a usage error.");
  Example(
      "specbridge-cli svd run00.ASC --xlow 260 --xhigh 600\n"
      "  specbridge-cli svd --kinetics run.ASC --nmlow 410 --lower-cut 1");
  // The rule comes before the example.
  App().footer(
      "The matrix is what the window would save: wavelengths inside the range (for a series widened by 1 nm,\n"
      "as its file) by spectra (times not omitted). A share is a squared singular value over the sum of all\n"
      "squared values. The suggested count is the number of values above " +
      ShortReal(species::kNoiseFactor) +
      " times the noise floor, the median\n"
      "of the lower half of the values (with fewer than " +
      IntText(species::kMinValuesForFloor) +
      " values, above the rounding level alone); it is\n"
      "reliable with fewer species than half the spectra.\n\n" +
      App().get_footer());
}

void SvdCommand::RangeBox(const char* flag, const std::string& description,
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
      "VALUE")
      ->excludes(kineticsFlag_);
}

void SvdCommand::LimitBox(const char* flag, const char* box, const std::string& description) {
  Action(
      flag, description,
      [this, box](Session&, const std::string& text) {
        converter_->Boxes().Set(box, text);
        converter_->SpinEdit2Change();
      },
      "T")
      ->needs(kineticsFlag_);
}

void SvdCommand::Spin(const char* flag, const char* spin, const std::string& description) {
  Action(
      flag, description,
      [this, spin](Session&, const std::string& text) {
        long long value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        // Any integer: the spin editor clamps it to its range.
        converter_->SetSpin(spin, static_cast<int>(std::clamp<long long>(value, -1'000'000, 1'000'000)));
      },
      "N")
      ->check(CLI::Validator(CheckInteger, "INTEGER"))
      ->needs(kineticsFlag_);
}

species::AbsorbanceMatrix SvdCommand::OpenTitration(Session& session, const std::string& file) {
  series_ = std::make_unique<TitrationSeries>();
  BoxTexts boxes = titration::DefaultBoxes();
  std::vector<std::string> lineBuffer;
  titration::OpenSeries(*series_, file, boxes, lineBuffer, session.Warnings());
  session.AddInput(file);
  ReplayActions(session);
  return WithContext(file, [&] { return species::TitrationMatrix(*series_); });
}

species::AbsorbanceMatrix SvdCommand::OpenKinetics(Session& session, const std::string& file) {
  converter_ = std::make_unique<kinetics::KineticConverter>();
  converter_->Open(session.Read(file), file);
  ReplayActions(session);
  return WithContext(file, [&] { return species::KineticMatrix(*converter_); });
}

void SvdCommand::Run(Session& session) {
  for (std::size_t k = 0; k < files_.size(); ++k) {
    const std::string& file = files_[k];
    // A file that fails is reported; the others are still decomposed.
    try {
      const species::AbsorbanceMatrix matrix = kinetics_ ? OpenKinetics(session, file) : OpenTitration(session, file);
      const species::SpeciesEstimate estimate = WithContext(file, [&] { return species::EstimateSpecies(matrix); });
      if (files_.size() > 1) session.Out() << (k > 0 ? "\n" : "") << "==> " << file << " <==\n";
      session.Out() << species::ReportText(matrix, estimate);
    } catch (const Failure& failure) {
      session.Fail(failure.Message());
    }
  }
}

}  // namespace

void AddSvdCommand(CLI::App& app, Context& context) { AttachCommand<SvdCommand>(app, context); }

}  // namespace specbridge::cli
