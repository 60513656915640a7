#pragma once

// The simple kinetic-trace converter as its window TForm7 holds it: the
// trace data, the edit boxes and the handlers. The window and the CLI only
// run the dialogs, copy texts and call these.

#include <filesystem>
#include <string>
#include <string_view>

#include "common/boxes.hpp"
#include "simple_kinetics/trace_data.hpp"

namespace specbridge::simple_kinetics {

class SimpleKineticsConverter {
 public:
  SimpleKineticsConverter();

  // Edit1 ("Total"), Edit2 ("Part"), Edit3 to Edit8 ("NONE"), MIN, MAX.
  BoxTexts& Boxes() { return boxes_; }
  const BoxTexts& Boxes() const { return boxes_; }
  const SimpleTraceData& Data() const { return data_; }

  // The path the save dialog proposes (the hidden box SaveFile): the opened
  // file's path less its last four characters, plus ".txt".
  const std::filesystem::path& SaveFile() const { return saveFile_; }

  // "File" -> "Open" once the dialog chose `path`: replaces the trace data
  // and fills MIN, MAX, Edit1 to Edit4 and SaveFile. All or nothing: a
  // failure leaves the data and the boxes as they were.
  void Open(std::string_view bytes, const std::filesystem::path& path);
  // "Conduct Exclusion".
  void Button1Click();
  // "File" -> "Save" after the dialog: the file's bytes.
  std::string SaveBytes() const;
  // "File" -> "Quit": drops the data; the boxes keep their texts.
  void Quit1Click();

 private:
  SimpleTraceData data_;
  BoxTexts boxes_;
  std::filesystem::path saveFile_;
};

// `path` less its last four characters (the extension of "run.ASC"), plus ".txt".
std::filesystem::path ProposedSaveFile(const std::filesystem::path& path);

}  // namespace specbridge::simple_kinetics
