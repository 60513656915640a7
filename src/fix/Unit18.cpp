#include "fix/Unit18.hpp"

namespace specbridge::fix {

TForm18::TForm18(std::function<bool()> conversion, QWidget* parent)
    : ConcentrationForm("TForm18", "Input Molar Concentration!", std::move(conversion), parent) {}

}  // namespace specbridge::fix
