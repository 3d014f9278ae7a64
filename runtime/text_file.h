#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace rt {

// A text file open for writing, as the results file needs it. Every operation that fails raises
// an IoError with the code of io_error.h, and the file is released whatever happens: after a
// failed write or close, the next Rewrite of the same name can succeed.
//
// Rewrite takes an exclusive lock on the file, so that two writers never mix their lines;
// readers are not locked out. Output is buffered, so a write error may show at a later line or at
// Close, like the text files of the platform the program comes from.
class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();

  // Opens path for writing, creating it when absent. A regular file then holds exactly what is
  // written from here on: its old content is overwritten and cut off at Close, or after a failed
  // write at the part that reached it. Another program holding the lock makes it fail with code
  // 32 without changing the file.
  void Rewrite(const char* path);
  void Write(std::string_view text);
  // Ends the line with CR LF.
  void WriteLine();
  // Writes what is buffered and releases the file.
  void Close();
  bool is_open() const noexcept { return fd_ >= 0; }

 private:
  void Flush();
  [[noreturn]] void Fail(int error_number);

  int fd_ = -1;
  bool regular_ = false;     // a regular file, cut to what was written
  std::size_t written_ = 0;  // bytes that reached the file
  std::size_t used_ = 0;     // bytes waiting in the buffer
  std::array<char, 4096> buffer_;
};

}  // namespace rt
