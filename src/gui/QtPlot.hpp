#pragma once

#include <QImage>

#include "common/plot.hpp"

namespace specbridge {

// Paints a scene onto a picture; the picture keeps what the scene leaves.
void PaintScene(QImage& image, const PlotScene& scene);

}  // namespace specbridge
