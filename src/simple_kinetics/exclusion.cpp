#include "simple_kinetics/exclusion.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "common/errors.hpp"
#include "common/numbers.hpp"

namespace specbridge::simple_kinetics {
namespace {

constexpr std::size_t kBoxCount = kSectionBoxes.size();
// Step of the section that ends in box b (b = 2 .. 5).
constexpr std::array<int, kBoxCount> kStep = {0, 1, 2, 5, 10, 20};

// Rule r (0 .. 4) reads boxes r and r + 1.
bool RuleRuns(const std::array<bool, kBoxCount>& none, std::size_t r) { return !none[r] && !none[r + 1]; }

}  // namespace

void ConductExclusion(SimpleTraceData& data, BoxTexts& boxes) {
  if (data.Empty()) throw NoTraceData(std::string(kNoTraceData));

  std::array<bool, kBoxCount> none{};
  for (std::size_t b = 0; b < kBoxCount; ++b) none[b] = boxes[kSectionBoxes[b]] == kNone;

  // Every box a rule reads is converted and checked before any mark changes.
  std::array<std::int32_t, kBoxCount> box{};
  for (std::size_t b = 0; b < kBoxCount; ++b) {
    const bool read = (b > 0 && RuleRuns(none, b - 1)) || (b + 1 < kBoxCount && RuleRuns(none, b));
    if (!read) continue;
    const std::string_view name = kSectionBoxes[b];
    const std::string& text = boxes[name];
    box[b] = WithContext(name, [&] { return TextToInteger(text); });
    if (box[b] < 1 || box[b] > data.Nr) {
      throw ConversionError(std::string(name) + ": run " + std::to_string(box[b]) + " is not one of the runs 1 to " +
                            std::to_string(data.Nr));
    }
  }

  std::vector<std::uint8_t> marks = data.marks;
  const auto mark = [&](std::int32_t i, bool used) {
    if (i >= 1 && i <= data.Nr) marks[static_cast<std::size_t>(i - 1)] = used ? 1 : 0;
  };
  std::array<std::int32_t, kBoxCount> B{};
  std::array<std::optional<std::string>, kBoxCount> rewritten;

  if (RuleRuns(none, 0)) {
    B[0] = box[0];
    B[1] = box[1];
    for (std::int32_t i = 1; i < B[0]; ++i) mark(i, false);
    for (std::int32_t i = B[0]; i <= B[1]; ++i) mark(i, true);
  }
  for (std::size_t b = 2; b < kBoxCount; ++b) {
    if (!RuleRuns(none, b - 1)) continue;
    // The start is read from its box again, after an earlier rule rewrote it.
    const std::int32_t start = box[b - 1];
    std::int32_t end = box[b];
    const int step = kStep[b];
    // Remainders keep the sign of the difference. The every-2nd rule always
    // lowers an odd end by one, also below a start it lies under.
    const std::int32_t remainder = (end - start) % step;
    if (remainder != 0) end -= step == 2 ? 1 : remainder;
    B[b - 1] = start;
    B[b] = end;
    box[b] = end;
    rewritten[b] = IntText(end);
    for (std::int32_t i = start + 1; i <= end; ++i) mark(i, (i - start) % step == 0);
  }
  const std::int32_t a = std::max(1, *std::max_element(B.begin(), B.end()));
  for (std::int32_t i = a + 1; i <= data.Nr; ++i) mark(i, false);

  data.marks = std::move(marks);
  data.Ns = data.CountUsed();
  for (std::size_t b = 0; b < kBoxCount; ++b) {
    if (rewritten[b]) boxes.Set(kSectionBoxes[b], std::move(*rewritten[b]));
  }
  boxes.Set("Edit2", IntText(data.Ns));
}

}  // namespace specbridge::simple_kinetics
