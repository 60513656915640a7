#include "common/file_chooser.hpp"

#include <system_error>

#include "common/file_checks.hpp"

namespace specbridge {
FileChooser::FileChooser(Dialogs& dialogs, DirectoryMemory& directories, std::string openFilter, std::string saveFilter)
    : openFilter_(std::move(openFilter)),
      saveFilter_(std::move(saveFilter)),
      dialogs_(dialogs),
      directories_(directories),
      open_{{}, {}, openFilter_},
      save_{{}, {}, saveFilter_} {}

std::filesystem::path FileChooser::StartDirectory(StartIn startIn, const FileDialog& dialog) {
  switch (startIn) {
    case StartIn::kCurrentDirectory:
      directories_.RefreshFromCurrentDirectory();
      return directories_.WorkingDirectory();
    case StartIn::kAsLeft:
      return dialog.initialDirectory;
    case StartIn::kWorkingDirectory:
      break;
  }
  return directories_.WorkingDirectory();
}

std::optional<std::filesystem::path> FileChooser::Open(const OpenRequest& request) {
  open_.initialDirectory = StartDirectory(request.startIn, open_);
  open_.fileName.clear();
  open_.filter = request.filter ? std::string(*request.filter) : openFilter_;
  auto chosen = dialogs_.Open(open_);
  if (chosen && request.remember) directories_.RememberDirectory(*chosen, &open_, &save_);
  return chosen;
}

std::vector<std::filesystem::path> FileChooser::OpenMany(const OpenRequest& request) {
  open_.initialDirectory = StartDirectory(request.startIn, open_);
  open_.fileName.clear();
  open_.filter = request.filter ? std::string(*request.filter) : openFilter_;
  auto chosen = dialogs_.OpenMany(open_);
  if (!chosen.empty() && request.remember) directories_.RememberDirectory(chosen.front(), &open_, &save_);
  return chosen;
}

std::optional<std::filesystem::path> FileChooser::Save(const SaveRequest& request) {
  save_.initialDirectory = request.startDirectory ? *request.startDirectory : StartDirectory(request.startIn, save_);
  save_.fileName = request.proposed;
  save_.filter = request.filter ? std::string(*request.filter) : saveFilter_;
  auto chosen = dialogs_.Save(save_);
  if (!chosen) return chosen;
  RefuseOutputOverInputs(*chosen, request.inputs);
  if (request.remember) directories_.RememberDirectory(*chosen, &open_, &save_);
  return chosen;
}

}  // namespace specbridge
