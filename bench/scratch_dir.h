#pragma once

#include <string>

// A fresh directory under the system's temporary folder, removed with everything in it when the
// object goes. The results file of the cases goes there, never into the directory the benchmark
// was started from.
namespace bench {

class ScratchDir {
 public:
  ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir();

  const std::string& path() const { return path_; }
  // The path of a file named name inside the directory.
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Waits until what was written to the file has reached the disk. Clicks come seconds apart, by
// which time the system has written the previous results file out; back to back, rewriting the
// file would instead wait for that write, and the case would time the disk, not the command.
void WaitForDisk(const std::string& path);

// Stops the whole run with the message when a command did not give its known listing: figures
// of a wrong listing mean nothing.
[[noreturn]] void Fail(const std::string& message);

}  // namespace bench
