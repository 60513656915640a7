#include "common/boxes.hpp"

#include <algorithm>
#include <stdexcept>

namespace specbridge {

BoxTexts::BoxTexts(std::initializer_list<std::pair<std::string_view, std::string_view>> defaults) {
  boxes_.reserve(defaults.size());
  for (const auto& [name, text] : defaults) boxes_.push_back({std::string(name), std::string(text), std::string(text)});
}

namespace {

template <class Boxes>
auto& FindBox(Boxes& boxes, std::string_view name) {
  const auto it = std::find_if(boxes.begin(), boxes.end(), [&](const auto& box) { return box.name == name; });
  if (it == boxes.end()) throw std::out_of_range("no box named " + std::string(name));
  return *it;
}

}  // namespace

const BoxTexts::Box& BoxTexts::Find(std::string_view name) const { return FindBox(boxes_, name); }

const std::string& BoxTexts::operator[](std::string_view name) const { return Find(name).text; }

void BoxTexts::Set(std::string_view name, std::string text) { FindBox(boxes_, name).text = std::move(text); }

bool BoxTexts::Has(std::string_view name) const {
  return std::any_of(boxes_.begin(), boxes_.end(), [&](const Box& box) { return box.name == name; });
}

bool BoxTexts::IsDefault(std::string_view name) const {
  const Box& box = Find(name);
  return box.text == box.designText;
}

const std::string& BoxTexts::Default(std::string_view name) const { return Find(name).designText; }

}  // namespace specbridge
