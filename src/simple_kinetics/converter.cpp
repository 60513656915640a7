#include "simple_kinetics/converter.hpp"

#include "common/numbers.hpp"
#include "simple_kinetics/exclusion.hpp"
#include "simple_kinetics/writer.hpp"

namespace specbridge::simple_kinetics {

SimpleKineticsConverter::SimpleKineticsConverter()
    : boxes_({{"Edit1", "Total"},
              {"Edit2", "Part"},
              {"Edit3", kNone},
              {"Edit4", kNone},
              {"Edit5", kNone},
              {"Edit6", kNone},
              {"Edit7", kNone},
              {"Edit8", kNone},
              {"MIN", "MIN"},
              {"MAX", "MAX"}}),
      saveFile_("SaveFile") {}

std::filesystem::path ProposedSaveFile(const std::filesystem::path& path) {
  const std::string& text = path.native();
  return text.substr(0, text.size() > 4 ? text.size() - 4 : 0) + ".txt";
}

void SimpleKineticsConverter::Open(std::string_view bytes, const std::filesystem::path& path) {
  SimpleTraceData data = ReadSimpleTrace(bytes, path.string());
  data.FileName = path;
  boxes_.Set("MIN", ShortReal(data.W1));
  boxes_.Set("MAX", ShortReal(data.W2));
  saveFile_ = ProposedSaveFile(path);
  const std::string runs = IntText(data.Nr);
  boxes_.Set("Edit1", runs);
  boxes_.Set("Edit2", runs);
  boxes_.Set("Edit3", "1");
  boxes_.Set("Edit4", runs);
  data_ = std::move(data);
}

void SimpleKineticsConverter::Button1Click() { ConductExclusion(data_, boxes_); }

std::string SimpleKineticsConverter::SaveBytes() const { return WriteSimpleTrace(data_, boxes_["MIN"], boxes_["MAX"]); }

void SimpleKineticsConverter::Quit1Click() { data_ = SimpleTraceData(); }

}  // namespace specbridge::simple_kinetics
