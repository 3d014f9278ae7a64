#include "bench/scratch_dir.h"

#include <fcntl.h>
#include <unistd.h>

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

void WaitForDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("cannot open " + path);
  if (::fdatasync(fd) != 0) Fail("cannot flush " + path);
  ::close(fd);
}

void Fail(const std::string& message) {
  std::fprintf(stderr, "reglin-bench: %s\n", message.c_str());
  std::abort();
}

}  // namespace bench
