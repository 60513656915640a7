#pragma once

// What every harness shares: the input as text, the catch of the failures a
// hostile input is expected to raise, and the checks that stop the fuzzer.
// A harness keeps nothing from one input to the next.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/errors.hpp"

namespace specbridge::fuzz {

// Runs `body`. A Failure is the program's answer to a bad input; anything
// else (a logic error, bad_alloc) escapes and stops the fuzzer.
template <class Body>
bool Try(Body&& body) {
  try {
    body();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

// Stops the fuzzer when an invariant does not hold.
inline void Check(bool holds) {
  if (!holds) std::abort();
}

// `text` cut at every `separator`, into at most `most` parts (the last one
// keeps the rest, separators included).
inline std::vector<std::string_view> Parts(std::string_view text, std::string_view separator, std::size_t most) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < most) {
    const std::size_t end = text.find(separator);
    if (end == std::string_view::npos) break;
    parts.push_back(text.substr(0, end));
    text.remove_prefix(end + separator.size());
  }
  parts.push_back(text);
  return parts;
}

// Byte `back` counted from the end, modulo `modulo`; 0 for a shorter input.
// Lets the corpus choose control values.
inline int Pick(std::string_view bytes, std::size_t back, int modulo) {
  return bytes.size() > back ? static_cast<unsigned char>(bytes[bytes.size() - 1 - back]) % modulo : 0;
}

}  // namespace specbridge::fuzz

// The libFuzzer entry point over the input as text:
//   SPECBRIDGE_FUZZ_TARGET(bytes) { ... }
#define SPECBRIDGE_FUZZ_TARGET(bytes)                                                 \
  static void SpecbridgeFuzzOne(std::string_view bytes);                              \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    SpecbridgeFuzzOne(std::string_view(reinterpret_cast<const char*>(data), size));   \
    return 0;                                                                         \
  }                                                                                   \
  static void SpecbridgeFuzzOne(std::string_view bytes)
