#include "gui/QtDrop.hpp"

#include <QMimeData>
#include <QUrl>

#include "gui/QtText.hpp"

namespace specbridge {

std::vector<std::filesystem::path> DroppedFiles(const QMimeData* data) {
  std::vector<std::filesystem::path> files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    files.push_back(ToPath(url.toLocalFile()));
  }
  return files;
}

}  // namespace specbridge
