// The picture writer of specbridge-cli as a module it loads only when a
// picture is asked for: linking Qt Gui into the command line would cost every
// conversion the loading of some forty libraries, several times the work of a
// small conversion.
#include <exception>
#include <string>

#include "gui/QtPlot.hpp"

extern "C" __attribute__((visibility("default"))) bool SpecbridgeScenePng(const specbridge::PlotScene& scene,
                                                                          std::string& png) noexcept {
  try {
    png = specbridge::ScenePng(scene);
  } catch (const std::exception&) {
    return false;
  }
  return !png.empty();
}
