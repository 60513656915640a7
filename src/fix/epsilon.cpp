#include "fix/epsilon.hpp"

#include <algorithm>

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

EpsilonData ParseEpsilonData(std::string_view bytes, const std::string& name, const MessageSink& warn) {
  TextReader reader(TextBeforeNul(bytes, name, warn), name);
  EpsilonData data;
  std::int32_t header[3] = {};
  for (int i = 0; i < 3; ++i) {
    if (!reader.TokenLeft()) {
      if (i == 0) throw FileError(Prefix(name) + "the file holds no data");
      throw FileError(Prefix(name) + "the header ends after " + std::to_string(i) +
                      " of its 3 integers (unused, spectra, wavelengths)");
    }
    header[i] = reader.ReadInteger();
  }
  reader.SkipLine();
  data.spectrumCount = header[1];
  data.wavelengthCount = header[2];
  CheckCount(data.spectrumCount, kMaxEpsilonSpectra, "spectra", name);
  CheckCount(data.wavelengthCount, kMaxEpsilonWavelengths, "wavelengths", name);
  if (data.wavelengthCount == 0) {
    throw FileError(Prefix(name) + "the header announces 0 wavelengths; the file holds no data");
  }
  const std::int64_t values = std::int64_t{data.spectrumCount} * data.wavelengthCount;
  if (values > kMaxEpsilonValues) {
    throw CapacityError(Prefix(name) + "the header announces " + std::to_string(data.spectrumCount) + " spectra of " +
                        std::to_string(data.wavelengthCount) + " wavelengths; at most " +
                        std::to_string(kMaxEpsilonValues) + " values are supported");
  }

  // Every number is the first of its line; the rest of the line is a comment.
  // Storage grows with what the file holds, never with what it announces.
  const std::int64_t announced = data.wavelengthCount + values;
  std::int64_t read = 0;
  const auto next = [&] {
    if (!reader.TokenLeft()) {
      throw FileError(
          Prefix(name) + "the file ends after " + std::to_string(read) + " of the " + std::to_string(announced) +
          " numbers its header announces (" + std::to_string(data.wavelengthCount) + " wavelengths, then " +
          std::to_string(data.spectrumCount) + " spectra of " + std::to_string(data.wavelengthCount) + " values)");
    }
    const double value = reader.ReadReal();
    reader.SkipLine();
    ++read;
    return value;
  };
  const auto room = static_cast<std::int64_t>(bytes.size() / 2 + 1);
  data.wavelengths.reserve(static_cast<std::size_t>(std::min<std::int64_t>(data.wavelengthCount, room)));
  for (std::int32_t w = 0; w < data.wavelengthCount; ++w) data.wavelengths.push_back(next());
  data.epsilon.reserve(static_cast<std::size_t>(std::min(values, room)));
  for (std::int64_t v = 0; v < values; ++v) data.epsilon.push_back(next());
  return data;
}

EpsilonData ReadEpsilonFile(const std::filesystem::path& path, const MessageSink& warn) {
  return ParseEpsilonData(ReadFileBytes(path), path.filename().string(), warn);
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
