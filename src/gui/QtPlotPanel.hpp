#pragma once

#include <QSize>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace specbridge {

// The four range boxes around a plot, made by the window (read-only boxes or
// boxes that act on exit).
struct RangeBoxes {
  QLineEdit* xLow;   // below the plot, left
  QLineEdit* xHigh;  // below the plot, right
  QLineEdit* yLow;   // left of the plot, bottom
  QLineEdit* yHigh;  // left of the plot, top
};

struct PlotPanel {
  QWidget* widget = nullptr;
  // Panel1's layout: a widget added at (0, 0) lies over the picture.
  QGridLayout* surface = nullptr;
  QLabel* image = nullptr;  // Image1, of the size asked for
};

// The plot of a window: the picture Image1 inside the black frame Panel1,
// with the range boxes beside and below it.
PlotPanel BuildPlotPanel(QWidget* parent, QSize imageSize, const RangeBoxes& boxes);

}  // namespace specbridge
