#pragma once

#include <deque>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.hpp"

namespace specbridge {

// What a window hands an open or save dialog. Each window keeps one per
// dialog, so a dialog remembers its initial directory between uses.
struct FileDialog {
  std::filesystem::path initialDirectory;
  std::filesystem::path fileName;  // proposed name, with or without a directory
  std::string filter;              // a pattern such as "*.ASC"; empty offers all files
};

// The platform seam for dialogs and message boxes. The workbench passes the
// Qt implementation; tests pass ScriptedDialogs.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::filesystem::path> Open(FileDialog& dialog) = 0;
  virtual std::optional<std::filesystem::path> Save(FileDialog& dialog) = 0;
  // Several files at once; none when the user cancelled. Without a dialog of
  // its own this is the one-file Open.
  virtual std::vector<std::filesystem::path> OpenMany(FileDialog& dialog) {
    auto chosen = Open(dialog);
    return chosen ? std::vector<std::filesystem::path>{std::move(*chosen)} : std::vector<std::filesystem::path>{};
  }
  // A plain message box with an OK button (the tools' own messages).
  virtual void Message(std::string_view text) = 0;
  // The message of a failed command.
  virtual void Error(std::string_view text) = 0;
};

// Answers dialogs from a script and records what was asked and shown.
class ScriptedDialogs : public Dialogs {
 public:
  struct Request {
    bool save = false;
    FileDialog dialog;
  };

  // Queue the answer of the next dialog; nullopt is a cancel.
  void Answer(std::optional<std::filesystem::path> path) { answers_.push_back(std::move(path)); }

  std::optional<std::filesystem::path> Open(FileDialog& dialog) override { return Next(false, dialog); }
  std::optional<std::filesystem::path> Save(FileDialog& dialog) override { return Next(true, dialog); }
  void Message(std::string_view text) override { messages_.emplace_back(text); }
  void Error(std::string_view text) override { errors_.emplace_back(text); }

  const std::vector<Request>& Requests() const { return requests_; }
  const std::vector<std::string>& Messages() const { return messages_; }
  const std::vector<std::string>& Errors() const { return errors_; }
  bool AllAnswered() const { return answers_.empty(); }

 private:
  std::optional<std::filesystem::path> Next(bool save, const FileDialog& dialog) {
    requests_.push_back({save, dialog});
    if (answers_.empty()) return std::nullopt;  // an unscripted dialog is cancelled
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  std::deque<std::optional<std::filesystem::path>> answers_;
  std::vector<Request> requests_;
  std::vector<std::string> messages_;
  std::vector<std::string> errors_;
};

// Runs one user command. A failure shows its message and ends the command;
// what was done before stays. Returns false when the command failed.
template <class Command>
bool RunCommand(Dialogs& dialogs, Command&& command) {
  try {
    command();
    return true;
  } catch (const Failure& failure) {
    dialogs.Error(failure.Message());
  } catch (const std::bad_alloc&) {
    dialogs.Error("Out of memory");
  } catch (const std::exception& fault) {
    // A fault of the program, not of the input: still no crash, and the
    // data of the window stay as they were.
    dialogs.Error(std::string("Internal error: ") + fault.what());
  }
  return false;
}

}  // namespace specbridge
