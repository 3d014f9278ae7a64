#pragma once

#include <string_view>

// What the commands need of the window: the text box and the message box. The window adapts its
// widgets to these; tests hand in plain fakes.
namespace analysis {

class Memo {
 public:
  virtual ~Memo() = default;
  virtual void Clear() = 0;
  // Appends one line at the end. The text is only valid during the call.
  virtual void Add(std::string_view line) = 0;
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows the text with an OK button and returns once the user has closed it.
  virtual void Show(std::string_view text) = 0;
};

}  // namespace analysis
