#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace specbridge {

// The texts of a window's edit boxes by control name. Many guards compare a
// box with its design-time text, so every box starts with it and remembers it.
class BoxTexts {
 public:
  BoxTexts(std::initializer_list<std::pair<std::string_view, std::string_view>> defaults);

  // Throws std::out_of_range for a name the window does not have.
  const std::string& operator[](std::string_view name) const;
  void Set(std::string_view name, std::string text);
  bool Has(std::string_view name) const;
  bool IsDefault(std::string_view name) const;
  const std::string& Default(std::string_view name) const;

  struct Box {
    std::string name, text, designText;
  };
  const std::vector<Box>& All() const { return boxes_; }

 private:
  const Box& Find(std::string_view name) const;
  std::vector<Box> boxes_;
};

}  // namespace specbridge
