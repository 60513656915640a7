#pragma once

#include <QImage>
#include <string>

#include "common/plot.hpp"

namespace specbridge {

// Paints a scene onto a picture; the picture keeps what the scene leaves.
void PaintScene(QImage& image, const PlotScene& scene);

// The picture a window shows after `scene` on its fresh white surface, as
// the bytes of a PNG file. Qt Gui only: no display is needed.
std::string ScenePng(const PlotScene& scene);

}  // namespace specbridge
