#pragma once

#include <QString>
#include <span>
#include <string_view>

namespace specbridge::shell {

struct ToolRow;

// One line on what a menu item does, for the status bar; empty for an
// unknown item.
QString ToolPurpose(std::string_view itemName);

// The main window's welcome text (HTML): each tool under its menu, with its
// purpose, and a word on the command line.
QString WelcomeText(std::span<const ToolRow> tools);

// The text of Help → About: version, licence, Qt version.
QString AboutText();

}  // namespace specbridge::shell
