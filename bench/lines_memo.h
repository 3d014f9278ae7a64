#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ui.h"

// A memo that keeps its lines in storage reserved once, so that the cases time the commands and
// not the allocator: every line is copied into one character buffer, and its end is noted.
namespace bench {

class LinesMemo final : public analysis::Memo {
 public:
  // Room for the longest listing (1759 lines of at most 50 characters) with a margin.
  LinesMemo() {
    text_.reserve(256 * 1024);
    ends_.reserve(4096);
  }

  void Clear() override {
    text_.clear();
    ends_.clear();
  }

  void Add(std::string_view line) override {
    text_.append(line);
    ends_.push_back(text_.size());
  }

  std::size_t size() const { return ends_.size(); }

  std::string_view line(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }

  // The lines joined by "\n", as a text box shows them.
  std::string Text() const {
    std::string text;
    text.reserve(text_.size() + ends_.size());
    for (std::size_t i = 0; i < size(); ++i) {
      if (i > 0) text += '\n';
      text += line(i);
    }
    return text;
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

// Counts the messages of "Traitement 2"; neither data set should lead to one.
class CountingMessageBox final : public analysis::MessageBox {
 public:
  void Show(std::string_view) override { ++shown_; }
  int shown() const { return shown_; }

 private:
  int shown_ = 0;
};

}  // namespace bench
