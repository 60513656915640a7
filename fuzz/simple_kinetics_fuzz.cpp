// Any bytes as a MultiSpec kinetics file, saved with the boxes "Open" sets;
// text after a line "==" types Edit3 to Edit8, MIN and MAX, one per line,
// before "Conduct Exclusion" and a second save.
#include <array>
#include <string_view>

#include "fuzz_support.hpp"
#include "simple_kinetics/converter.hpp"

using namespace specbridge;
using namespace specbridge::simple_kinetics;
using fuzz::Try;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::size_t split = bytes.find("\n==\n");
  const std::string_view file = bytes.substr(0, split);
  std::string_view typed = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 4);

  SimpleKineticsConverter converter;
  Try([&] {
    converter.Open(file, "fuzz.ASC");
    (void)converter.SaveBytes();
  });
  constexpr std::array<std::string_view, 8> kBoxes = {"Edit3", "Edit4", "Edit5", "Edit6",
                                                      "Edit7", "Edit8", "MIN",   "MAX"};
  for (const std::string_view box : kBoxes) {
    if (typed.empty()) break;
    const std::size_t end = typed.find('\n');
    converter.Boxes().Set(box, std::string(typed.substr(0, end)));
    typed = end == std::string_view::npos ? std::string_view() : typed.substr(end + 1);
  }
  Try([&] {
    converter.Button1Click();
    (void)converter.SaveBytes();
  });
}
