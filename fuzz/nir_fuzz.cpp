// Any bytes as a UV3150K export: the header test and the cleaned text, whose
// lines must all be relevant and end in CR LF.
#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "fuzz_support.hpp"
#include "nir/cleaning.hpp"

using namespace specbridge;
using namespace specbridge::nir;
using fuzz::Check;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  (void)HasHeaderMark(lines);
  const CleanedText cleaned = CleanText(bytes);
  Check(cleaned.bytes.empty() || cleaned.bytes.ends_with("\r\n"));
  std::vector<std::string_view> kept;
  LoadLineViews(cleaned.bytes, kept);
  // CR LF ends each kept line once; no kept line is irrelevant.
  Check(kept.size() + static_cast<std::size_t>(cleaned.removedLines) == lines.size());
  Check(HasRelevantLine(lines) == !kept.empty());
  for (const std::string_view line : kept) Check(!IsIrrelevantLine(line));
}
