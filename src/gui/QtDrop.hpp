#pragma once

#include <filesystem>
#include <vector>

class QMimeData;

namespace specbridge {

// The local files a drag carries, in the order dragged; empty for anything
// else (text, a web address), so a window accepts only what it can open.
std::vector<std::filesystem::path> DroppedFiles(const QMimeData* data);

}  // namespace specbridge
