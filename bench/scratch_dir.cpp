#include "bench/scratch_dir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace bench {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "reglin-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) Fail("cannot create a temporary directory");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void Fail(const std::string& message) {
  std::fprintf(stderr, "reglin-bench: %s\n", message.c_str());
  std::abort();
}

}  // namespace bench
