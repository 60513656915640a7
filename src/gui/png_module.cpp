// The picture writer of specbridge-cli as a module it loads only when a
// picture is asked for: linking Qt Gui into the command line would cost every
// conversion the loading of some forty libraries, several times the work of a
// small conversion.
//
// The program carries its own copy of the C++ library (see
// app/cli/CMakeLists.txt) while this module and Qt use the shared one, so
// nothing allocated on one side is freed on the other: the scene is only
// read here, and the bytes go back through the caller's sink.
#include <cstddef>
#include <exception>
#include <string>

#include "gui/QtPlot.hpp"

extern "C" __attribute__((visibility("default"))) bool SpecbridgeScenePng(const specbridge::PlotScene* scene,
                                                                          void (*sink)(void* context, const char* bytes,
                                                                                       std::size_t size),
                                                                          void* context) noexcept {
  try {
    const std::string png = specbridge::ScenePng(*scene);
    if (png.empty()) return false;
    sink(context, png.data(), png.size());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
