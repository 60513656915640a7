// Any bytes as a UV3150K export: the header test and the cleaned text, whose
// lines must all be relevant and end in CR LF.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/text.hpp"
#include "nir/cleaning.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace specbridge;
  using namespace specbridge::nir;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> lines;
  LoadLineViews(bytes, lines);
  (void)HasHeaderMark(lines);
  const CleanedText cleaned = CleanText(bytes);
  if (!cleaned.bytes.empty() && !cleaned.bytes.ends_with("\r\n")) std::abort();
  std::vector<std::string_view> kept;
  LoadLineViews(cleaned.bytes, kept);
  // CR LF ends each kept line once; no kept line is irrelevant.
  if (kept.size() + static_cast<std::size_t>(cleaned.removedLines) != lines.size()) std::abort();
  if (HasRelevantLine(lines) != !kept.empty()) std::abort();
  for (const std::string_view line : kept) {
    if (IsIrrelevantLine(line)) std::abort();
  }
  return 0;
}
