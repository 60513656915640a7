#include "gui/QtPlotPanel.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace specbridge {

PlotPanel BuildPlotPanel(QWidget* parent, QSize imageSize, const RangeBoxes& boxes) {
  PlotPanel plot;
  plot.widget = new QWidget(parent);
  auto* grid = new QGridLayout(plot.widget);
  auto* black = new QFrame(plot.widget);
  black->setObjectName("Panel1");
  black->setAutoFillBackground(true);
  black->setPalette(QPalette(Qt::black));
  plot.surface = new QGridLayout(black);
  plot.surface->setContentsMargins(4, 4, 4, 4);
  plot.image = new QLabel(black);
  plot.image->setObjectName("Image1");
  plot.image->setFixedSize(imageSize);
  plot.surface->addWidget(plot.image, 0, 0);
  grid->addWidget(boxes.yHigh, 0, 0, Qt::AlignTop);
  grid->addWidget(boxes.yLow, 1, 0, Qt::AlignBottom);
  grid->addWidget(black, 0, 1, 2, 2);
  grid->addWidget(boxes.xLow, 2, 1, Qt::AlignLeft);
  grid->addWidget(boxes.xHigh, 2, 2, Qt::AlignRight);
  // The picture has a fixed size: room the window has to spare stays beside
  // and below the panel, not black around the picture.
  black->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(3, 1);
  return plot;
}

}  // namespace specbridge
