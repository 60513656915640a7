#include "gui/QtSpeciesPlot.hpp"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "gui/QtPlot.hpp"
#include "gui/QtText.hpp"

namespace specbridge {

SpeciesPlot::SpeciesPlot(QWidget* parent) : QWidget(parent) {
  setObjectName("SpeciesPlot");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  // The window may be short: the labels are never squeezed into the plot.
  layout->setSizeConstraint(QLayout::SetMinimumSize);
  auto* title = new QLabel("Singular values (log scale)", this);
  image_ = new QLabel(this);
  image_->setObjectName("SpeciesImage");
  image_->setFixedSize(kWidth, kHeight);
  count_ = new QLabel(this);
  count_->setObjectName("SpeciesCount");
  count_->setWordWrap(true);  // a failure's message can be long
  count_->setFixedWidth(kWidth);
  // Room for a note or a short message; a label sized by its first line
  // would cut the others.
  count_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  count_->setMinimumHeight(3 * count_->fontMetrics().lineSpacing());
  layout->addWidget(title);
  layout->addWidget(image_);
  layout->addWidget(count_);
  ShowNothing("Open a file to see its singular values");
}

void SpeciesPlot::Update(const std::function<species::AbsorbanceMatrix()>& matrix) {
  try {
    species::AbsorbanceMatrix next = matrix();
    if (next == shown_) return;
    const species::SpeciesEstimate estimate = species::EstimateSpecies(next);
    shown_ = std::move(next);
    QString text = QString("Suggested species: %1").arg(estimate.suggestedCount);
    if (estimate.values.size() > static_cast<std::size_t>(species::kMaxPlotted)) {
      text += QString("\n(the first %1 of %2 values shown)").arg(species::kMaxPlotted).arg(estimate.values.size());
    }
    Show(estimate, text);
  } catch (const Failure& failure) {
    ShowNothing(FromShiftJis(failure.Message()));
  }
}

void SpeciesPlot::ShowNothing(const QString& reason) {
  shown_ = {};
  Show({}, reason);
}

void SpeciesPlot::Show(const species::SpeciesEstimate& estimate, const QString& text) {
  const species::SingularValuePlot plot = species::DrawSingularValues(estimate, kWidth, kHeight);
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(Qt::white);
  PaintScene(picture, plot.scene);
  QPainter painter(&picture);
  QFont font = painter.font();
  font.setPixelSize(10);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (const species::DecadeMark& mark : plot.decades) {
    painter.drawText(QRect(0, mark.y - 7, plot.left - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
                     QString("1E%1").arg(mark.exponent));
  }
  painter.end();
  image_->setPixmap(QPixmap::fromImage(picture));
  count_->setText(text);
}

}  // namespace specbridge
