#pragma once

// What every reader of every tool makes of one file: which accept it and as
// which layout, which refuse it and why, and the facts of its bytes (line
// ends, Shift-JIS text, NUL bytes, the table of numbers, its axis and
// anomalies, the numbered series it belongs to). Reads only: every reader
// works on a throwaway object, nothing is written.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "titration/titration.hpp"

namespace specbridge::inspect {

// How often something odd occurs, and where first.
struct Anomaly {
  int count = 0;
  int firstLine = 0;
  std::string firstText;
};

struct ByteFacts {
  std::size_t bytes = 0;
  int lines = 0;  // as the readers cut them: at CR LF, LF, CR; a NUL ends the text
  int crlf = 0, lf = 0, cr = 0;
  bool finalLineEnd = true;  // also true for an empty file
  // Bytes above 0x7F: none (ASCII), all in Shift-JIS characters, or not.
  int shiftJisCharacters = 0;
  int firstShiftJisLine = 0;
  int badByte = -1;  // the first byte that starts no Shift-JIS character
  int badByteLine = 0;
  int nulCount = 0;
  int firstNulLine = 0;
  // The block of lines whose first field is a number (fields are parted by
  // blanks, tabs and commas), the lines before it and after it.
  int headerLines = 0;
  int dataLines = 0;
  int fields = 0;  // the field count most data lines have
  int linesAfter = 0;
  // The first field of the data lines, when they hold two or more fields.
  std::vector<double> axis;
  Anomaly shortLines;  // fewer fields than `fields`
  Anomaly longLines;   // more: a decimal comma, a line of another table
  Anomaly notNumbers;  // tokens of the data block that are no number
};

struct ReaderVerdict {
  std::string tool;  // the specbridge-cli command
  bool accepted = false;
  std::string layout;
  std::string detail;   // what was read
  std::string refusal;  // the reader's message
  std::vector<std::string> warnings;
};

struct SeriesFacts {
  std::string base;
  std::string extension;
  int number = 0;            // of this file
  std::vector<int> numbers;  // found in its directory
  std::optional<int> firstGap;
};

struct FileReport {
  std::string name;         // as given
  std::string readFailure;  // set when the file could not be read
  ByteFacts facts;
  std::optional<SeriesFacts> series;
  std::vector<ReaderVerdict> readers;
};

// The facts of the bytes alone.
ByteFacts ExamineBytes(std::string_view bytes);

// Every reader on `bytes`; `fileName` goes into their messages.
std::vector<ReaderVerdict> AskReaders(std::string_view bytes, const std::string& fileName);

// The whole report of the file at `path`, shown as `name`; `folder` answers
// for the other files of its series.
FileReport InspectFile(const std::filesystem::path& path, const std::string& name,
                       const titration::SeriesFolder& folder = titration::DiskFolder());

// One block per file, for a person.
std::string ReportText(const FileReport& report);
// All reports as one JSON array, for scripts.
std::string ReportJson(const std::vector<FileReport>& reports);

}  // namespace specbridge::inspect
