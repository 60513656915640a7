#pragma once

#include <QWidget>
#include <functional>

#include "species/species.hpp"

class QLabel;

namespace specbridge {

// The singular values of the data a window shows, as a small log-scale
// plot, with the suggested number of absorbing species under it.
class SpeciesPlot : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 240;
  static constexpr int kHeight = 130;

  explicit SpeciesPlot(QWidget* parent = nullptr);

  // Builds the matrix and decomposes it, unless it is the one shown. A
  // Failure empties the plot and shows its message instead of the count.
  void Update(const std::function<species::AbsorbanceMatrix()>& matrix);
  // Nothing to decompose yet: an empty plot and `reason`.
  void ShowNothing(const QString& reason);

 private:
  void Show(const species::SpeciesEstimate& estimate, const QString& text);

  QLabel* image_ = nullptr;
  QLabel* count_ = nullptr;
  species::AbsorbanceMatrix shown_;
};

}  // namespace specbridge
