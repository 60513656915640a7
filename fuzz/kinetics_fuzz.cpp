// Any bytes as a file of the kinetic-trace converter (every layout reader),
// then the window's handlers on what was read: the time axis, the wavelength
// count, the omitting rules and the writer. The converter lives across inputs,
// as the window does, so the controls carry over from one file to the next.
#include <cstdint>
#include <string_view>

#include "common/errors.hpp"
#include "kinetics/converter.hpp"

namespace {

using namespace specbridge;
using namespace specbridge::kinetics;

template <class Body>
void Try(Body&& body) {
  try {
    body();
  } catch (const Failure&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static KineticConverter converter;
  try {
    converter.Open(bytes, "fuzz.ASC");
  } catch (const Failure&) {
    return 0;
  }
  // The last bytes choose the control values, so the corpus explores them.
  const auto pick = [&](std::size_t back, int modulo) {
    return size > back ? static_cast<int>(data[size - 1 - back]) % modulo : 0;
  };
  Try([] { converter.Apply1Click(); });
  Try([] { converter.SpinEdit2Change(); });
  Try([&] { converter.SetSpin("SpinEdit2", 1 + pick(0, 4)); });
  Try([&] { converter.SetSpin("SpinEdit3", pick(1, 8)); });
  Try([&] { converter.SetSpin("SpinEdit4", pick(2, 8)); });
  Try([&] { converter.SetSpin("SpinEdit1", 1 + pick(3, 5)); });
  Try([&] { converter.SetSpin("SpinEdit4", pick(4, 3)); });
  converter.Comments().Set("Comments1", "fuzz");
  if (converter.SaveGuardPassed()) {
    Try([] {
      const std::string written = converter.SaveBytes();
      // What the writer wrote goes through the reader again.
      KineticConverter again;
      again.Open(written, "again.txt");
    });
  }
  return 0;
}
