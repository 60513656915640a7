#include "fix/fix_commands.hpp"

#include <array>

#include <vector>

#include "common/errors.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"
#include "fix/fix_file.hpp"

namespace specbridge::fix {
namespace {

std::filesystem::path WithoutLastFour(const std::filesystem::path& input) {
  const std::string name = input.filename().string();
  // Cutting into the directory would propose a file elsewhere.
  if (name.size() <= 4) return input;
  return input.parent_path() / name.substr(0, name.size() - 4);
}

}  // namespace

std::filesystem::path TableName(const std::filesystem::path& input) { return WithoutLastFour(input); }

std::filesystem::path FixName(const std::filesystem::path& input) {
  std::filesystem::path name = WithoutLastFour(input);
  name += ".fix";
  return name;
}

std::string EpsilonFixText(const EpsilonData& data) {
  std::vector<std::span<const double>> spectra;
  spectra.reserve(static_cast<std::size_t>(data.spectrumCount));
  for (std::int32_t s = 0; s < data.spectrumCount; ++s) spectra.push_back(data.Spectrum(s));
  return FixRowsText(data.wavelengths, spectra);
}

SingleSpectrum LoadSpectrum(SpectrumKind kind, std::string_view bytes, const std::string& name,
                            const MessageSink& warn) {
  const std::vector<std::string> lines = LoadLines(TextBeforeNul(bytes, name, warn));
  if (kind == SpectrumKind::kUvProbe) {
    SingleSpectrum spectrum = ReadUvProbeSpectrum(lines, name);
    if (spectrum.Count() == 0) {
      throw FileError(name + " holds no data point: a UVProbe export has two header lines, then one line per point");
    }
    return spectrum;
  }
  std::optional<SingleSpectrum> spectrum = ReadMultiSpecSpectrum(lines, name);
  if (!spectrum)
    throw FileError(name + " is not a MultiSpec spectrum file: its line 1 does not begin with \"##TITLE\"");
  return std::move(*spectrum);
}

std::string SpectrumFixText(SpectrumKind kind, const SingleSpectrum& spectrum, std::string_view concentrationText) {
  const std::vector<double> values = DivideByConcentration(spectrum.absorbances, concentrationText);
  if (kind == SpectrumKind::kMultiSpecColumns) return FixColumnsText(spectrum.wavelengths, values);
  const std::span<const double> rows[] = {values};
  return FixRowsText(spectrum.wavelengths, rows);
}

MessageSink FixCommands::Warn() {
  return [this](std::string_view text) { files_.Message(text); };
}

void FixCommands::ConvertEpsilonData() {
  const auto input = files_.Open();
  if (!input) return;
  const EpsilonData data = ReadEpsilonFile(*input, Warn());
  // The table is proposed beside its input, wherever the working directory is.
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(*input, ec);
  const auto output = files_.Save(
      {.proposed = TableName(*input), .inputs = {*input}, .startDirectory = (ec ? *input : absolute).parent_path()});
  if (!output) return;
  WriteEpsilonTable(*output, data);
}

void FixCommands::GenerateFixFromEpsilon() {
  const auto input = files_.Open();
  if (!input) return;
  const EpsilonData data = ReadEpsilonFile(*input, Warn());
  const auto output = files_.Save({.proposed = FixName(*input), .inputs = {*input}});
  if (!output) return;
  WriteFileAtomically(*output, EpsilonFixText(data));
}

void FixCommands::GenerateFixFromSpectrum(SpectrumKind kind, std::string_view concentrationText) {
  // A concentration that cannot divide is refused before any file dialog.
  (void)DivideByConcentration(std::array{1.0}, concentrationText);
  const auto input = files_.Open();
  if (!input) return;
  const std::string bytes = ReadFileBytes(*input);
  if (onLoaded) onLoaded(bytes);
  const SingleSpectrum spectrum = LoadSpectrum(kind, bytes, input->filename().string(), Warn());
  const auto output = files_.Save({.proposed = FixName(*input), .inputs = {*input}});
  if (!output) return;
  WriteFileAtomically(*output, SpectrumFixText(kind, spectrum, concentrationText));
}

}  // namespace specbridge::fix
