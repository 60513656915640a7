// Any bytes as an epsilon file, a MultiSpec spectrum and a UVProbe export,
// through the FIX and table writers; and as the typed concentration.
#include <string_view>

#include "fix/epsilon.hpp"
#include "fix/fix_commands.hpp"
#include "fuzz_support.hpp"

using namespace specbridge;
using namespace specbridge::fix;
using fuzz::Check;
using fuzz::Try;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  Try([&] {
    const EpsilonData epsilon = ParseEpsilonData(bytes, "fuzz.dem");
    // Every value came from the file: no padding, no amplification.
    Check(epsilon.wavelengths.size() + epsilon.epsilon.size() <= bytes.size() / 2 + 1);
    (void)EpsilonTableText(epsilon);
    (void)EpsilonFixText(epsilon);
  });
  for (const SpectrumKind kind :
       {SpectrumKind::kMultiSpecRows, SpectrumKind::kMultiSpecColumns, SpectrumKind::kUvProbe}) {
    Try([&] {
      const SingleSpectrum spectrum = LoadSpectrum(kind, bytes, "fuzz.asc");
      Check(spectrum.Count() > 0 && spectrum.Count() <= kMaxSpectrumPoints);
      (void)SpectrumFixText(kind, spectrum, "1e-3");
    });
  }
  Try([&] {
    const SingleSpectrum spectrum{{400, 1000}, {0.5, -0.25}};
    (void)SpectrumFixText(SpectrumKind::kUvProbe, spectrum, bytes);
  });
}
