#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace specbridge {

// Every failure a command can meet. The message is written for a chemist:
// what went wrong, where (file and line when known) and the offending text.
class Failure : public std::exception {
 public:
  explicit Failure(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

  // Puts the place of the failure in front of the message, as in
  // "run03.ASC, line 12: '1,5' is not a valid floating point value".
  void AddContext(std::string_view where) { message_.insert(0, std::string(where) + ": "); }

 private:
  std::string message_;
};

// A text that is not the number it should be.
class ConversionError : public Failure {
  using Failure::Failure;
};

// A file that cannot be opened, read, written or replaced.
class FileError : public Failure {
  using Failure::Failure;
};

// Division by zero, an invalid operation or an overflow.
class MathError : public Failure {
  using Failure::Failure;
};

// An input beyond a fixed capacity (101 spectra, 3001 points, ...).
class CapacityError : public Failure {
  using Failure::Failure;
};

// The offending text of a message, in single quotes: at most about
// kQuotedBytes bytes of it (then "..." and its whole length), control and
// non-text bytes written as \xNN. Shift-JIS characters stay as they are, so
// a window shows them and a 50 MB line stays one readable line.
inline constexpr std::size_t kQuotedBytes = 60;
std::string QuoteText(std::string_view text);

// "name, line 12", or "line 12" without a name.
std::string LinePlace(std::string_view name, long long line);

// Runs `body`; a Failure escaping it gets `where` put in front of its message
// and keeps its type. `where` is a text, or a callable that gives it: the
// callable runs only on a failure, so loops over many numbers build no text.
template <class Where, class Body>
decltype(auto) WithContext(Where&& where, Body&& body) {
  try {
    return body();
  } catch (Failure& failure) {
    if constexpr (std::is_invocable_v<Where&>) {
      failure.AddContext(where());
    } else {
      failure.AddContext(where);
    }
    throw;
  }
}

// WithContext with the place "name, line N".
template <class Body>
decltype(auto) AtLine(std::string_view name, long long line, Body&& body) {
  return WithContext([&] { return LinePlace(name, line); }, body);
}

// Quotient a / b; a zero divisor, 0/0 or an overflow throws MathError.
double CheckedDivide(double a, double b);

// Throws MathError when v is infinite or not a number (an overflow upstream).
double CheckedFinite(double v);

}  // namespace specbridge
