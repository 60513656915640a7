#include "gui/QtPlot.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>

namespace specbridge {

void PaintScene(QImage& image, const PlotScene& scene) {
  QPainter painter(&image);
  QPen pen(Qt::black, 1);
  pen.setCosmetic(true);
  painter.setPen(pen);
  QPoint current;
  const auto colour = [](Rgb c) { return QColor(c.r, c.g, c.b); };
  for (const PlotCommand& c : scene.Commands()) {
    switch (c.kind) {
      case PlotCommand::Kind::FillRect:
        painter.fillRect(QRect(QPoint(c.x1, c.y1), QPoint(c.x2 - 1, c.y2 - 1)), colour(c.colour));
        break;
      case PlotCommand::Kind::Pen:
        pen.setColor(colour(c.colour));
        pen.setWidth(c.penWidth);
        painter.setPen(pen);
        break;
      case PlotCommand::Kind::MoveTo:
        current = QPoint(c.x1, c.y1);
        break;
      case PlotCommand::Kind::LineTo:
        painter.drawLine(current, QPoint(c.x1, c.y1));
        current = QPoint(c.x1, c.y1);
        break;
      case PlotCommand::Kind::Ellipse:
        painter.setBrush(colour(c.colour));
        painter.drawEllipse(QRect(QPoint(c.x1, c.y1), QPoint(c.x2 - 1, c.y2 - 1)));
        painter.setBrush(Qt::NoBrush);
        break;
    }
  }
}

std::string ScenePng(const PlotScene& scene) {
  QImage image(scene.Width(), scene.Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  PaintScene(image, scene);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace specbridge
