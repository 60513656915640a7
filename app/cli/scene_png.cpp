#include "cli/scene_png.hpp"

#include <dlfcn.h>

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/errors.hpp"

namespace specbridge::cli {
namespace {

// See src/gui/png_module.cpp: the bytes come back through a sink, so the
// module's C++ library never frees or grows what ours allocated.
using Sink = void (*)(void* context, const char* bytes, std::size_t size);
using Painter = bool (*)(const PlotScene* scene, Sink sink, void* context);

void AppendTo(void* context, const char* bytes, std::size_t size) {
  static_cast<std::string*>(context)->append(bytes, size);
}

// Where the module may be: beside an installed program (bin/../lib/...),
// then where this build tree made it.
std::vector<std::filesystem::path> ModuleCandidates() {
  std::vector<std::filesystem::path> candidates;
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) candidates.push_back(self.parent_path().parent_path() / SPECBRIDGE_PNG_INSTALLED);
#ifdef SPECBRIDGE_PNG_BUILT
  candidates.emplace_back(SPECBRIDGE_PNG_BUILT);
#endif
  return candidates;
}

struct Module {
  Painter painter = nullptr;
  std::string tried;  // why each candidate failed, when none served
};

Module Load() {
  Module module;
  for (const std::filesystem::path& candidate : ModuleCandidates()) {
    if (!std::filesystem::exists(candidate)) {
      module.tried += "\n  " + candidate.string() + ": not there";
      continue;
    }
    // The module stays loaded for the rest of the run.
    void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      module.tried += "\n  " + candidate.string() + ": " + dlerror();
      continue;
    }
    module.painter = reinterpret_cast<Painter>(dlsym(handle, "SpecbridgeScenePng"));
    if (module.painter != nullptr) return module;
    module.tried += "\n  " + candidate.string() + ": no picture writer in it";
  }
  return module;
}

}  // namespace

std::string ScenePng(const PlotScene& scene, const std::string& target) {
  // Loaded once, also when batch runs commands on several threads.
  static const Module module = Load();
  if (module.painter == nullptr) {
    throw FileError("Cannot write the picture " + target +
                    ": the picture module specbridge-png.so (Qt Gui) is not installed; looked for it in" +
                    module.tried);
  }
  std::string png;
  if (!module.painter(&scene, AppendTo, &png))
    throw FileError("Cannot write the picture " + target + ": drawing it failed");
  return png;
}

}  // namespace specbridge::cli
