#pragma once

#include <exception>
#include <string>

namespace rt {

// The one kind of error a command can end with. Its text is what the user reads, in French,
// without the final period that the error report adds.
class Error : public std::exception {
 public:
  explicit Error(std::string text) : text_(std::move(text)) {}
  const char* what() const noexcept override { return text_.c_str(); }
  const std::string& text() const noexcept { return text_; }

 private:
  std::string text_;
};

enum class FloatFault { InvalidOperation, DivisionByZero, Overflow };

// Raised where the processor, set up as the program expects, would stop on an invalid operation,
// a division by zero or an overflow instead of going on with an infinity or a not-a-number.
class FloatError : public Error {
 public:
  explicit FloatError(FloatFault fault);
  FloatFault fault() const noexcept { return fault_; }

 private:
  FloatFault fault_;
};

// A failure of the results file, with the code that selects its text (see io_error.h).
class IoError : public Error {
 public:
  explicit IoError(int code);
  int code() const noexcept { return code_; }

 private:
  int code_;
};

}  // namespace rt
