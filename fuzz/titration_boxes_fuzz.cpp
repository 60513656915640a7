// Any bytes as the texts typed into the titration window's boxes, one line a
// box: "Calculate" with them, "Save" with its grid, and the range boxes of a
// series read from a small comma file.
#include <array>
#include <string_view>

#include "common/text.hpp"
#include "fuzz_support.hpp"
#include "titration/titration.hpp"

using namespace specbridge;
using namespace specbridge::titration;
using fuzz::Check;
using fuzz::Try;

namespace {

// The boxes "Calculate" and "Save" read, then the five range boxes.
constexpr std::array<std::string_view, 20> kBoxes = {"V0",   "Vt",       "CM",    "CH",    "No1",   "CL1",  "No2",
                                                     "CL2",  "No3",      "CL3",   "No4",   "CL4",   "No5",  "CL5",
                                                     "Temp", "Comment1", "Edit1", "Edit2", "Edit4", "Edit6"};

TitrationSeries SmallSeries() {
  TitrationSeries series;
  const std::vector<std::string> lines = {"400.0,0.1", "401.0,-0.2", "402.0,3.5"};
  bool countHeader = false;
  for (int k = 0; k < 3; ++k) ReadSeriesFile(series, lines, k, "f.ASC", countHeader, {});
  series.FileCount = series.UsedSpectrumCount = 3;
  series.DataRange = series.SelectedRange = {400, 402, -0.2, 3.5};
  return series;
}

}  // namespace

SPECBRIDGE_FUZZ_TARGET(bytes) {
  const std::vector<std::string_view> texts = fuzz::Parts(bytes, "\n", kBoxes.size());
  BoxTexts boxes = DefaultBoxes();
  for (std::size_t i = 0; i < texts.size(); ++i) boxes.Set(std::string(kBoxes[i]), std::string(texts[i]));

  TitrationSeries series = SmallSeries();
  series.UsedSpectrumCount = 1 + fuzz::Pick(bytes, 0, 3);
  Try([&] {
    const auto grid = Calculate(boxes, series.UsedSpectrumCount);
    if (!grid) return;
    series.ConcentrationsReady = true;
    (void)WriteTitration2D(series, *grid, boxes, fuzz::Pick(bytes, 1, 5));
  });

  // A refused text is replaced by what the box must show; an accepted one
  // stays inside the data, widened as the boxes allow.
  const PlotRange data = series.DataRange;
  using Accept = bool (*)(TitrationSeries&, std::string&);
  for (const auto& box : {std::pair<const char*, Accept>{"Edit1", AcceptXLow},
                          {"Edit2", AcceptXHigh},
                          {"Edit4", AcceptYHigh},
                          {"Edit6", AcceptUsedSpectra}}) {
    std::string text = boxes[box.first];
    const Accept accept = box.second;
    Try([&] {
      if (!accept(series, text)) Check(!TrimControls(text).empty());
    });
  }
  Check(data.xLow - 1 < series.SelectedRange.xLow && series.SelectedRange.xLow < data.xHigh + 1);
  Check(data.xLow - 1 < series.SelectedRange.xHigh && series.SelectedRange.xHigh < data.xHigh + 1);
  Check(series.UsedSpectrumCount >= 1 && series.UsedSpectrumCount <= series.FileCount);
  std::string yLow = boxes["Edit1"];
  RefuseYLow(yLow);
  Check(yLow == "0.00");
  // Equal range boxes give a plot of no width: the window shows the failure.
  BoxTexts shown = boxes;
  Try([&] { (void)ReDraw(series, shown, 64, 48); });
}
