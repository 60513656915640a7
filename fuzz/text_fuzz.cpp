// Number conversions, the line reader and the field splitter on any bytes.
#include <cstdint>
#include <string_view>

#include "common/errors.hpp"
#include "common/numbers.hpp"
#include "common/text.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  using namespace specbridge;
  try {
    const double v = TextToReal(bytes);
    (void)ShortReal(v);
    (void)FixedReal(v, 10, 3);
    (void)SciReal(v, 12);
    (void)FixedText(v, 16, 10);
  } catch (const Failure&) {
  }
  try {
    (void)TextToInteger(bytes);
  } catch (const Failure&) {
  }
  TextReader reader(bytes, "fuzz");
  for (int i = 0; i < 4 && !reader.AtEnd(); ++i) {
    try {
      (void)reader.ReadReal();
    } catch (const Failure&) {
      reader.SkipLine();
    }
    (void)reader.ReadLine();
  }
  std::vector<std::string_view> fields;
  for (const auto& line : LoadLines(bytes)) {
    try {
      SplitFields(line, fields);
      for (auto field : fields) (void)TextToReal(field);
    } catch (const Failure&) {
    }
  }
  return 0;
}
