#include "fix/Unit19.hpp"

namespace specbridge::fix {

TForm19::TForm19(std::function<bool()> conversion, QWidget* parent)
    : ConcentrationForm("TForm19", "Input the Molar Concentration!", std::move(conversion), parent) {}

}  // namespace specbridge::fix
