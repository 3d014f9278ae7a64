#include "fixtures.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

namespace fixtures {

analysis::Loader SeriesOf(std::vector<double> points) {
  return [points = std::move(points)](std::int32_t& count, std::span<double> values) {
    count = static_cast<std::int32_t>(points.size());
    for (std::size_t k = 1; k < points.size(); ++k) values[k] = points[k];
    // Past the series: a command that read it would print it.
    values[points.size()] = std::numeric_limits<double>::quiet_NaN();
  };
}

std::unique_ptr<analysis::Store> NewStore() { return std::make_unique<analysis::Store>(); }

TempDir::TempDir() : previous_(std::filesystem::current_path()) {
  char pattern[] = "/tmp/reglin-test-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) ADD_FAILURE() << "no temporary directory";
  path_ = pattern;
  std::filesystem::current_path(path_);
}

TempDir::~TempDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> SplitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF";
      break;
    }
    const std::string line = bytes.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) ADD_FAILURE() << "stray line end";
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

}  // namespace fixtures
