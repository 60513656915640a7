// Number conversions, the line reader, the field splitter, the comma point
// reader and the message quoting on any bytes.
#include <string_view>

#include "common/numbers.hpp"
#include "common/text.hpp"
#include "formats/uvprobe.hpp"
#include "fuzz_support.hpp"

using namespace specbridge;
using fuzz::Check;
using fuzz::Try;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  Try([&] {
    const double v = TextToReal(bytes);
    (void)ShortReal(v);
    (void)FixedReal(v, 10, 3);
    (void)SciReal(v, 12);
    (void)FixedText(v, 16, 10);
  });
  Try([&] { (void)TextToInteger(bytes); });
  TextReader reader(bytes, "fuzz");
  for (int i = 0; i < 4 && !reader.AtEnd(); ++i) {
    if (!Try([&] { (void)reader.ReadReal(); })) reader.SkipLine();
    (void)reader.ReadLine();
  }
  std::vector<std::string_view> fields;
  for (const auto& line : LoadLines(bytes)) {
    Try([&] {
      SplitFields(line, fields);
      for (auto field : fields) (void)TextToReal(field);
    });
    Try([&] { (void)formats::ReadCommaPoint(line); });
  }
  // A quoted text stays short and holds no control byte.
  const std::string quoted = QuoteText(bytes);
  Check(quoted.size() <= 4 * kQuotedBytes + 40);
  for (const char c : quoted) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
}
