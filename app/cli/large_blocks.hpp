#pragma once

// Large blocks of memory backed by 2 MB pages.
//
// A conversion touches a few megabytes once: the file it read, the numbers,
// the text it writes. Each fresh 4 KB page costs a fault, about 10 us on a
// virtual machine, which is more than converting the numbers on it; a 2 MB
// page costs one fault for 512 of them. malloc gives large blocks mappings
// of their own, which the kernel backs with small pages, so specbridge-cli
// takes its large blocks from one reserved range the kernel is asked to back
// with 2 MB pages (see main.cpp).

#include <array>
#include <cstddef>
#include <mutex>

namespace specbridge::cli {

class LargeBlocks {
 public:
  // Blocks from this size on come from here.
  static constexpr std::size_t kThreshold = std::size_t{256} << 10;

  // Reserves `capacity` bytes of address space; nothing is touched. When the
  // reservation fails the object owns nothing and Allocate returns null.
  explicit LargeBlocks(std::size_t capacity) noexcept;
  ~LargeBlocks();
  LargeBlocks(const LargeBlocks&) = delete;
  LargeBlocks& operator=(const LargeBlocks&) = delete;

  // A block of `size` bytes aligned to 16, first fit from the lowest address
  // so the touched part of the range stays small; null when none is free.
  void* Allocate(std::size_t size) noexcept;
  bool Owns(const void* p) const noexcept { return p >= begin_ && p < end_; }
  // Requires Owns(p). The block's pages stay mapped for the next block.
  void Free(void* p) noexcept;

  // The bytes from the start of the range to the end of the highest block
  // ever handed out: what the range can have touched.
  std::size_t HighWater() const noexcept { return highWater_; }

 private:
  struct Range {
    std::size_t offset = 0;
    std::size_t size = 0;
  };
  // The free ranges, by offset, never adjacent. A block freed when the list
  // is full is not reused: the list never allocates.
  static constexpr std::size_t kMaxFreeRanges = 256;

  std::mutex mutex_;
  char* mapping_ = nullptr;
  std::size_t mappingSize_ = 0;
  char* begin_ = nullptr;
  char* end_ = nullptr;
  std::array<Range, kMaxFreeRanges> free_{};
  std::size_t freeCount_ = 0;
  std::size_t highWater_ = 0;
};

}  // namespace specbridge::cli
