// Any bytes as a "dirinf" file: the directory is the first line, nothing of
// a line end or a NUL in it.
#include <string_view>

#include "common/directory_memory.hpp"
#include "fuzz_support.hpp"

using specbridge::fuzz::Check;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::string directory = specbridge::DirinfDirectory(bytes);
  Check(bytes.starts_with(directory));
  Check(directory.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  Check(directory.size() == bytes.size() ||
        std::string_view("\r\n\0", 3).find(bytes[directory.size()]) != std::string_view::npos);
}
