// Any bytes as a folder of series files held in memory: line 1 names the
// chosen file, then each "\n@@ NAME\n" starts a file. "Open" finds the series
// (numbers, three-digit 100, extension spellings) and reads it; whatever it
// takes must come from the folder.
#include <map>
#include <string_view>

#include "fuzz_support.hpp"
#include "titration/titration.hpp"

using namespace specbridge;
using namespace specbridge::titration;
using fuzz::Check;
using fuzz::Try;

namespace {

class MemoryFolder final : public SeriesFolder {
 public:
  void Add(std::string_view name, std::string_view bytes) { files_[std::filesystem::path("/fuzz") / name] = bytes; }
  bool IsFile(const std::filesystem::path& path) const override { return files_.contains(path); }
  std::string Read(const std::filesystem::path& path) const override {
    const auto found = files_.find(path);
    if (found == files_.end()) throw FileError("Cannot open '" + path.string() + "': No such file or directory");
    return std::string(found->second);
  }

 private:
  std::map<std::filesystem::path, std::string_view> files_;
};

}  // namespace

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::vector<std::string_view> parts = fuzz::Parts(bytes, "\n@@ ", kMaxSpectra + 4);
  MemoryFolder folder;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::size_t end = parts[i].find('\n');
    const std::string_view name = parts[i].substr(0, end);
    if (name.empty() || name.find('\0') != std::string_view::npos) continue;
    folder.Add(name, end == std::string_view::npos ? std::string_view() : parts[i].substr(end + 1));
  }
  const std::string_view chosen = parts[0];
  if (chosen.empty() || chosen.find('\0') != std::string_view::npos) return;

  TitrationSeries series;
  BoxTexts boxes = DefaultBoxes();
  std::vector<std::string> buffer;
  if (!Try([&] { OpenSeries(series, std::filesystem::path("/fuzz") / chosen, boxes, buffer, {}, folder); })) return;
  Check(series.FileCount >= 1 && series.FileCount <= kMaxSpectra);
  Check(series.PointCount >= 1 && series.PointCount <= kMaxPoints);
  for (int k = 0; k < series.FileCount; ++k) {
    // A sheet keeps the names of an earlier series: none here.
    const auto& name = series.FileNames[static_cast<std::size_t>(k)];
    Check(name.empty() || folder.IsFile(name));
  }
  Try([&] { (void)DrawAfterOpen(series, 64, 48); });
}
