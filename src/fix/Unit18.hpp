#pragma once

#include "fix/Unit17.hpp"

namespace specbridge::fix {

// Concentration for the MultiSpec FIX generator No.2.
class TForm18 : public ConcentrationForm {
  Q_OBJECT

 public:
  explicit TForm18(std::function<bool()> conversion, QWidget* parent = nullptr);
};

}  // namespace specbridge::fix
