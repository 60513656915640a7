#include "cli/large_blocks.hpp"

#include <sys/mman.h>

#include <cstdint>
#include <cstring>

namespace specbridge::cli {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kPage = 4096;
// Each block starts with its size; the caller's bytes follow, 16-aligned.
constexpr std::size_t kHeader = 16;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

}  // namespace

LargeBlocks::LargeBlocks(std::size_t capacity) noexcept {
  capacity = RoundUp(capacity, kHugePage);
  // Address space only: no memory is committed until a page is touched.
  void* mapping =
      mmap(nullptr, capacity + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (capacity == 0 || mapping == MAP_FAILED) return;
  mapping_ = static_cast<char*>(mapping);
  mappingSize_ = capacity + kHugePage;
  begin_ = mapping_ + (RoundUp(reinterpret_cast<std::uintptr_t>(mapping_), kHugePage) -
                       reinterpret_cast<std::uintptr_t>(mapping_));
  end_ = begin_ + capacity;
  // Only advice: where the kernel has no 2 MB pages, small ones serve.
  madvise(begin_, capacity, MADV_HUGEPAGE);
  free_[0] = {0, capacity};
  freeCount_ = 1;
}

LargeBlocks::~LargeBlocks() {
  if (mapping_ != nullptr) munmap(mapping_, mappingSize_);
}

void* LargeBlocks::Allocate(std::size_t size) noexcept {
  if (size > static_cast<std::size_t>(end_ - begin_)) return nullptr;
  const std::size_t need = RoundUp(size + kHeader, kPage);
  const std::lock_guard<std::mutex> lock(mutex_);
  for (std::size_t i = 0; i < freeCount_; ++i) {
    Range& range = free_[i];
    if (range.size < need) continue;
    const std::size_t offset = range.offset;
    range.offset += need;
    range.size -= need;
    if (range.size == 0) {
      std::memmove(&free_[i], &free_[i + 1], (freeCount_ - i - 1) * sizeof(Range));
      --freeCount_;
    }
    if (offset + need > highWater_) highWater_ = offset + need;
    char* block = begin_ + offset;
    std::memcpy(block, &need, sizeof need);
    return block + kHeader;
  }
  return nullptr;
}

void LargeBlocks::Free(void* p) noexcept {
  char* block = static_cast<char*>(p) - kHeader;
  Range freed{static_cast<std::size_t>(block - begin_), 0};
  std::memcpy(&freed.size, block, sizeof freed.size);
  const std::lock_guard<std::mutex> lock(mutex_);
  std::size_t i = 0;  // the first free range after the block
  while (i < freeCount_ && free_[i].offset < freed.offset) ++i;
  const bool joinsBefore = i > 0 && free_[i - 1].offset + free_[i - 1].size == freed.offset;
  const bool joinsAfter = i < freeCount_ && freed.offset + freed.size == free_[i].offset;
  if (joinsBefore && joinsAfter) {
    free_[i - 1].size += freed.size + free_[i].size;
    std::memmove(&free_[i], &free_[i + 1], (freeCount_ - i - 1) * sizeof(Range));
    --freeCount_;
  } else if (joinsBefore) {
    free_[i - 1].size += freed.size;
  } else if (joinsAfter) {
    free_[i].offset = freed.offset;
    free_[i].size += freed.size;
  } else if (freeCount_ < kMaxFreeRanges) {
    std::memmove(&free_[i + 1], &free_[i], (freeCount_ - i) * sizeof(Range));
    free_[i] = freed;
    ++freeCount_;
  }
}

}  // namespace specbridge::cli
