// Any bytes as an epsilon file, a MultiSpec spectrum and a UVProbe export,
// through the FIX and table writers; and as the typed concentration.
#include <cstdint>
#include <string_view>

#include "common/errors.hpp"
#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace specbridge;
  using namespace specbridge::fix;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const EpsilonData epsilon = ParseEpsilonData(bytes, "fuzz.dem");
    (void)EpsilonTableText(epsilon);
    (void)EpsilonFixText(epsilon);
  } catch (const Failure&) {
  }
  for (const SpectrumKind kind :
       {SpectrumKind::kMultiSpecRows, SpectrumKind::kMultiSpecColumns, SpectrumKind::kUvProbe}) {
    try {
      const SingleSpectrum spectrum = LoadSpectrum(kind, bytes, "fuzz.asc");
      (void)SpectrumFixText(kind, spectrum, "1e-3");
    } catch (const Failure&) {
    }
  }
  try {
    const SingleSpectrum spectrum{{400, 1000}, {0.5, -0.25}};
    (void)SpectrumFixText(SpectrumKind::kUvProbe, spectrum, bytes);
  } catch (const Failure&) {
  }
  return 0;
}
