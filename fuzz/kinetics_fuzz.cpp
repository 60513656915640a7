// Any bytes as a file of the kinetic-trace converter (every layout reader),
// then the window's handlers on what was read: the time axis, the wavelength
// count, the omitting rules and the writer. Each input starts from a fresh
// converter.
#include <string_view>

#include "fuzz_support.hpp"
#include "kinetics/converter.hpp"

using namespace specbridge;
using namespace specbridge::kinetics;
using fuzz::Try;

SPECBRIDGE_FUZZ_TARGET(bytes) {
  KineticConverter converter;
  if (!Try([&] { converter.Open(std::string(bytes), "fuzz.ASC"); })) return;
  // The last bytes choose the control values, so the corpus explores them.
  const auto pick = [&](std::size_t back, int modulo) { return fuzz::Pick(bytes, back, modulo); };
  Try([&] { converter.Apply1Click(); });
  Try([&] { converter.SpinEdit2Change(); });
  Try([&] { converter.SetSpin("SpinEdit2", 1 + pick(0, 4)); });
  Try([&] { converter.SetSpin("SpinEdit3", pick(1, 8)); });
  Try([&] { converter.SetSpin("SpinEdit4", pick(2, 8)); });
  Try([&] { converter.SetSpin("SpinEdit1", 1 + pick(3, 5)); });
  Try([&] { converter.SetSpin("SpinEdit4", pick(4, 3)); });
  converter.Comments().Set("Comments1", "fuzz");
  if (converter.SaveGuardPassed()) {
    Try([&] {
      const std::string written = converter.SaveBytes();
      // What the writer wrote goes through the reader again.
      KineticConverter again;
      again.Open(written, "again.txt");
    });
  }
}
