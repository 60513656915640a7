#pragma once

#include "fix/Unit17.hpp"

namespace specbridge::fix {

// Concentration for the UVProbe FIX generator.
class TForm19 : public ConcentrationForm {
  Q_OBJECT

 public:
  explicit TForm19(std::function<bool()> conversion, QWidget* parent = nullptr);
};

}  // namespace specbridge::fix
