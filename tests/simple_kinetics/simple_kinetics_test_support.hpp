#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace specbridge::simple_kinetics::test {

// The six header values as the file spells them.
struct Header {
  std::string W1 = "400", W2 = "408", Nw = "5", T1 = "0", T2 = "3", Nr = "4";
};

// A kinetics file: lines 1 to 18 with the header values after their labels,
// then `body`, every line ended by `eol`.
inline std::string TraceFile(const Header& h, const std::vector<std::string>& body, std::string_view eol = "\r\n") {
  std::vector<std::string> lines = {"##TITLE=test"};
  for (int n = 2; n <= 10; ++n) lines.push_back("##LINE" + std::to_string(n));
  lines.insert(lines.end(), {"##FIRSTX=" + h.W1, "##LASTX=" + h.W2, "##NPOINTS=" + h.Nw, "##TUNITS=SECONDS",
                             "##TFACTOR=1", "##FIRSTT=" + h.T1, "##LASTT=" + h.T2, "##NPOINTS=" + h.Nr});
  lines.insert(lines.end(), body.begin(), body.end());
  std::string text;
  for (const std::string& line : lines) text += line + std::string(eol);
  return text;
}

// `runs` blocks of `wavelengths` values, each after a "##PAGE" line; value
// p of run i is i + p / 1000 ("1.001", "1.002", ...).
inline std::vector<std::string> Blocks(int runs, int wavelengths) {
  std::vector<std::string> body;
  for (int i = 1; i <= runs; ++i) {
    body.push_back("##PAGE=" + std::to_string(i));
    for (int p = 1; p <= wavelengths; ++p) {
      const std::string digits = std::to_string(1000 + p);
      body.push_back(std::to_string(i) + "." + digits.substr(1));
    }
  }
  return body;
}

}  // namespace specbridge::simple_kinetics::test

#include <functional>

#include "common/errors.hpp"
#include "simple_kinetics/trace_data.hpp"

namespace specbridge::simple_kinetics::test {

// "Type: whole message" of the failure `action` throws, "nothing thrown"
// otherwise: failure tables compare both at once.
inline std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const CapacityError& e) {
    return std::string("CapacityError: ") + e.what();
  } catch (const ConversionError& e) {
    return std::string("ConversionError: ") + e.what();
  } catch (const FileError& e) {
    return std::string("FileError: ") + e.what();
  } catch (const MathError& e) {
    return std::string("MathError: ") + e.what();
  } catch (const NoTraceData& e) {
    return std::string("NoTraceData: ") + e.what();
  }
  return "nothing thrown";
}

}  // namespace specbridge::simple_kinetics::test
