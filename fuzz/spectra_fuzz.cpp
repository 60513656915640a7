// Any bytes as up to three spectrum files, parted by form feeds: the first
// opened and the others added, in the sheet window's set and in the emission
// window's set; then both sheets, a lamp factor read from the last part and a
// correction. A sheet has one line per point after its header.
#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "emission/emission_set.hpp"
#include "fuzz_support.hpp"
#include "sheets/spectrum_set.hpp"
#include "sheets/working_list.hpp"

using namespace specbridge;
using fuzz::Check;
using fuzz::Try;

namespace {

std::size_t LineCount(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

template <class Set, class Read>
void Gather(Set& set, const std::vector<std::string_view>& files, Read read) {
  for (std::size_t j = 0; j < files.size(); ++j) {
    const auto reader = [&](Set& s, int k, bool added) { return read(s, files[j], k, added); };
    if (j == 0) {
      Try([&] { sheets::OpenSpectrum(set, "f0.ASC", reader); });
    } else {
      Try([&] { sheets::AddSpectrum(set, "f.ASC", reader); });
    }
  }
}

}  // namespace

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::vector<std::string_view> files = fuzz::Parts(bytes, "\f", 3);

  auto sheet = std::make_unique<sheets::SpectrumSet>();
  Gather(*sheet, files, [](sheets::SpectrumSet& s, std::string_view file, int k, bool added) {
    return sheets::ReadSpectrumBytes(s, file, "f", k, added, nullptr);
  });
  if (sheet->SpectrumCount > 0) {
    std::string text;
    if (Try([&] { text = sheets::WriteTabSheet(*sheet); })) {
      Check(LineCount(text) == static_cast<std::size_t>(sheet->PointCount) + 1);
    }
  }

  auto set = std::make_unique<emission::EmissionSet>();
  Gather(*set, files, [](emission::EmissionSet& s, std::string_view file, int k, bool added) {
    return emission::ReadEmissionBytes(s, file, "f", k, added, nullptr);
  });
  emission::LampGrid grid = emission::LampDataGrid(*set);
  Try([&] { emission::GenerateWFactor(*set, grid); });
  std::vector<std::string_view> lines;
  LoadLineViews(TextBeforeNul(files.back(), "f", nullptr), lines);
  Try([&] { emission::SelectWFactor(*set, lines, "f.wfc", grid); });
  Try([&] { emission::ApplyCorrection(*set, nullptr); });
  if (set->SpectrumCount > 0) {
    const std::string text = emission::WriteGroupedSheet(*set, 1, set->SpectrumCount);
    int rows = 0;
    for (int k = 1; k <= set->SpectrumCount; ++k) rows = std::max(rows, set->Points(k));
    Check(LineCount(text) == static_cast<std::size_t>(rows) + 1);
  }
}
