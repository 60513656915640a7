#include "kinetics/grid.hpp"

#include <cassert>
#include <functional>

#include "common/errors.hpp"

namespace specbridge::kinetics {

KineticGrid::KineticGrid(int columns, int rows, std::shared_ptr<const std::string> source)
    : columns_(columns),
      rows_(rows),
      row0_(static_cast<std::size_t>(columns)),
      times_(static_cast<std::size_t>(rows)),
      omitted_(static_cast<std::size_t>(rows), 0),
      values_(static_cast<std::size_t>(columns - 2) * static_cast<std::size_t>(rows - 1)) {
  assert(columns >= 2 && rows >= 1);
  // Offsets are 32-bit: a larger file's cells are copied (and refused there).
  if (source != nullptr && source->size() <= UINT32_MAX) {
    sourceSize_ = source->size();
    source_ = std::move(source);
  }
}

std::string_view KineticGrid::Cell(int c, int r) const {
  if (c < 0 || c >= columns_ || r < 0 || r >= rows_) return {};
  if (r == 0) return row0_[static_cast<std::size_t>(c)];
  if (c == 0) return IsOmitted(r) ? kOmitMark : std::string_view();
  if (c == 1) return times_[static_cast<std::size_t>(r)];
  const Span span = values_[ValueIndex(c, r)];
  if (span.offset < sourceSize_) return {source_->data() + span.offset, span.length};
  return std::string_view(text_).substr(span.offset - sourceSize_, span.length);
}

void KineticGrid::SetCell(int c, int r, std::string_view text) {
  assert(c >= 0 && c < columns_ && r >= 0 && r < rows_);
  if (r == 0) {
    row0_[static_cast<std::size_t>(c)].assign(text);
  } else if (c == 0) {
    omitted_[static_cast<std::size_t>(r)] = text == kOmitMark ? 1 : 0;
  } else if (c == 1) {
    times_[static_cast<std::size_t>(r)].assign(text);
  } else {
    Span& span = values_[ValueIndex(c, r)];
    const std::less_equal<const char*> before;
    if (source_ != nullptr && !text.empty() && before(source_->data(), text.data()) &&
        before(text.data() + text.size(), source_->data() + sourceSize_)) {
      span = {static_cast<std::uint32_t>(text.data() - source_->data()), static_cast<std::uint32_t>(text.size())};
      return;
    }
    if (sourceSize_ + text_.size() + text.size() > UINT32_MAX) {
      throw CapacityError("The grid holds at most 4 GB of text");
    }
    span = {static_cast<std::uint32_t>(sourceSize_ + text_.size()), static_cast<std::uint32_t>(text.size())};
    text_.append(text);
  }
}

void KineticGrid::Mark(int r) {
  if (r >= 1 && r < rows_) omitted_[static_cast<std::size_t>(r)] = 1;
}

void KineticGrid::Clear(int r) {
  if (r >= 1 && r < rows_) omitted_[static_cast<std::size_t>(r)] = 0;
}

int KineticGrid::KeptRowCount() const {
  int kept = 0;
  for (int r = 1; r < rows_; ++r) kept += IsOmitted(r) ? 0 : 1;
  return kept;
}

std::string KineticGrid::Dump() const {
  std::string out;
  out.reserve(text_.size() + static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_ + 8));
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      if (c > 0) out += '\t';
      out += Cell(c, r);
    }
    out += "\r\n";
  }
  return out;
}

void CheckGridSize(long long wavelengths, long long timeRows, std::string_view name) {
  const auto refuse = [&](const std::string& what) { throw CapacityError(std::string(name) + ": " + what); };
  if (wavelengths > kMaxWavelengths) {
    refuse(std::to_string(wavelengths) + " wavelengths; the grid holds at most " + std::to_string(kMaxWavelengths));
  }
  if (timeRows > kMaxTimeRows) {
    refuse(std::to_string(timeRows) + " time rows; the grid holds at most " + std::to_string(kMaxTimeRows));
  }
  if ((wavelengths + 2) * (timeRows + 1) > kMaxCells) {
    refuse(std::to_string(wavelengths) + " wavelengths by " + std::to_string(timeRows) +
           " time rows; the grid holds at most " + std::to_string(kMaxCells) + " cells");
  }
}

}  // namespace specbridge::kinetics
