#include "fix/epsilon.hpp"

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/output_file.hpp"
#include "common/text.hpp"

namespace specbridge::fix {
namespace {

std::string Prefix(const std::string& name) { return name.empty() ? std::string() : name + ": "; }

void CheckCount(std::int32_t count, std::int32_t limit, const char* what, const std::string& name) {
  if (count < 0) {
    throw ConversionError(Prefix(name) + "the header announces " + std::to_string(count) + " " + what +
                          "; a count cannot be negative");
  }
  if (count > limit) {
    throw CapacityError(Prefix(name) + "the header announces " + std::to_string(count) + " " + what + "; at most " +
                        std::to_string(limit) + " are supported");
  }
}

}  // namespace

EpsilonData ParseEpsilonData(std::string_view bytes, const std::string& name) {
  TextReader reader(bytes, name);
  EpsilonData data;
  reader.ReadInteger();  // unused by the format
  data.spectrumCount = reader.ReadInteger();
  data.wavelengthCount = reader.ReadInteger();
  reader.SkipLine();
  CheckCount(data.spectrumCount, kMaxEpsilonSpectra, "spectra", name);
  CheckCount(data.wavelengthCount, kMaxEpsilonWavelengths, "wavelengths", name);
  const std::int64_t values = std::int64_t{data.spectrumCount} * data.wavelengthCount;
  if (values > kMaxEpsilonValues) {
    throw CapacityError(Prefix(name) + "the header announces " + std::to_string(data.spectrumCount) + " spectra of " +
                        std::to_string(data.wavelengthCount) + " wavelengths; at most " +
                        std::to_string(kMaxEpsilonValues) + " values are supported");
  }

  // Every number is the first of its line; the rest of the line is a comment.
  data.wavelengths.resize(static_cast<std::size_t>(data.wavelengthCount));
  for (double& wavelength : data.wavelengths) {
    wavelength = reader.ReadReal();
    reader.SkipLine();
  }
  data.epsilon.resize(static_cast<std::size_t>(values));
  for (double& value : data.epsilon) {
    value = reader.ReadReal();
    reader.SkipLine();
  }
  return data;
}

EpsilonData ReadEpsilonFile(const std::filesystem::path& path) {
  return ParseEpsilonData(ReadFileBytes(path), path.filename().string());
}

std::string EpsilonTableText(const EpsilonData& data) {
  std::string text;
  const std::size_t spectra = static_cast<std::size_t>(data.spectrumCount);
  const std::size_t wavelengths = data.wavelengths.size();
  text.reserve(wavelengths * (8 + 14 * spectra));
  for (std::size_t w = 0; w < wavelengths; ++w) {
    text += FixedReal(data.wavelengths[w], 6, 2);
    for (std::size_t s = 0; s < spectra; ++s) {
      text += '\t';
      text += FixedReal(data.epsilon[s * wavelengths + w], 13, 2);
    }
    text += "\r\n";
  }
  return text;
}

void WriteEpsilonTable(const std::filesystem::path& path, const EpsilonData& data) {
  WriteFileAtomically(path, EpsilonTableText(data));
}

}  // namespace specbridge::fix
