#include <cstdlib>
#include <iostream>
#include <new>

#include "cli/cli.hpp"
#include "cli/large_blocks.hpp"

// Large blocks come from a range backed by 2 MB pages (see large_blocks.hpp);
// the rest from malloc as usual. Sanitizer builds keep their own allocator.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
namespace {

using specbridge::cli::LargeBlocks;

// Never destroyed: a block may be freed by a destructor that runs at exit.
LargeBlocks& Blocks() {
  alignas(LargeBlocks) static unsigned char storage[sizeof(LargeBlocks)];
  static LargeBlocks* const blocks = new (storage) LargeBlocks(std::size_t{64} << 30);
  return *blocks;
}

}  // namespace

void* operator new(std::size_t size) {
  if (size >= LargeBlocks::kThreshold) {
    if (void* p = Blocks().Allocate(size)) return p;
  }
  for (;;) {
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    const std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* p) noexcept {
  if (Blocks().Owns(p)) {
    Blocks().Free(p);
  } else {
    std::free(p);
  }
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
#endif

int main(int argc, char* argv[]) {
  return specbridge::cli::Run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
