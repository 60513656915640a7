#include "sheets/working_list.hpp"

#include <algorithm>
#include <cctype>

namespace specbridge::sheets {

bool EndsWithNoCase(std::string_view name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), name.end() - static_cast<std::ptrdiff_t>(extension.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                    });
}

bool DirectoryList::Shows(std::string_view name) const {
  return std::find(rows_.begin(), rows_.end(), name) != rows_.end();
}

std::vector<std::string> ListDirectory(const std::filesystem::path& directory,
                                       const std::vector<std::string_view>& extensions, bool withDirectories) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(directory, error);
  if (error) return names;
  std::vector<std::string> all;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::error_code kindError;
    const bool listed = withDirectories ? it->exists(kindError) : it->is_regular_file(kindError);
    if (listed) all.push_back(it->path().filename().string());
  }
  std::sort(all.begin(), all.end());
  for (const std::string_view extension : extensions) {
    for (const std::string& name : all) {
      if (EndsWithNoCase(name, extension)) names.push_back(name);
    }
  }
  return names;
}

std::vector<std::string> SheetDirectoryList(const std::filesystem::path& directory,
                                            const std::filesystem::path& firstSpectrum) {
  if (EndsWithNoCase(firstSpectrum.string(), "ASC")) return ListDirectory(directory, {".ins", ".ASC"}, false);
  return ListDirectory(directory, {".ins"}, false);
}

}  // namespace specbridge::sheets
