#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/store.h"
#include "analysis/ui.h"

namespace fixtures {

// A loader for a small series given point by point. Point 1 is always 0 in the store (no loader
// writes element 0), so points[0] must be 0. Value N, which lies just past the series, is a
// not-a-number that no command may print.
analysis::Loader SeriesOf(std::vector<double> points);

// The store is about a megabyte: too large for a test's stack.
std::unique_ptr<analysis::Store> NewStore();

struct FakeMemo : analysis::Memo {
  FakeMemo() = default;
  explicit FakeMemo(std::vector<std::string> seed) : lines(std::move(seed)) {}

  std::vector<std::string> lines;
  void Clear() override { lines.clear(); }
  void Add(std::string_view line) override { lines.emplace_back(line); }
};

struct FakeMessageBox : analysis::MessageBox {
  std::vector<std::string> shown;
  void Show(std::string_view text) override { shown.emplace_back(text); }
};

// Runs a test in a fresh temporary directory, made the current one, and removes it afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  // The bytes of a file in it.
  std::string Read(const std::string& name) const;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The lines of a listing file, each without its CR LF; fails the test on a line end of another
// kind.
std::vector<std::string> SplitCrLf(const std::string& bytes);

}  // namespace fixtures
