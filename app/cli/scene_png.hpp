#pragma once

#include <string>

#include "common/plot.hpp"

namespace specbridge::cli {

// The PNG bytes of the picture a window shows after `scene`, drawn by the
// specbridge-png module. Throws FileError naming `target` (the picture's
// path) when the module is not there or cannot draw.
std::string ScenePng(const PlotScene& scene, const std::string& target);

}  // namespace specbridge::cli
