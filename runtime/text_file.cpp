#include "runtime/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/errors.h"
#include "runtime/io_error.h"

namespace rt {

TextFile::~TextFile() {
  if (fd_ >= 0) ::close(fd_);
}

void TextFile::Fail(int error_number) {
  if (fd_ >= 0) {
    // Whatever the old content had beyond the part written goes, so the file holds a leading
    // part of the new text and nothing else.
    if (regular_) (void)::ftruncate(fd_, static_cast<off_t>(written_));
    ::close(fd_);
  }
  fd_ = -1;
  used_ = 0;
  regular_ = false;
  throw IoError(IoCodeFromErrno(error_number));
}

void TextFile::Rewrite(const char* path) {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  used_ = 0;
  written_ = 0;
  regular_ = false;
  // Not O_TRUNC: the file may only be changed once the lock says nobody else is writing it.
  fd_ = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd_ < 0) Fail(errno);
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    // A file system without locks is written without one rather than not at all.
    if (errno != ENOLCK && errno != EINVAL && errno != EOPNOTSUPP) Fail(errno);
  }
  struct stat info;
  if (::fstat(fd_, &info) != 0) Fail(errno);
  // A regular file is overwritten from its start and cut to the new length at Close, which on a
  // journalling file system costs a tenth of emptying it first and writing it anew. A device
  // such as /dev/full is written as it is.
  regular_ = S_ISREG(info.st_mode);
}

void TextFile::Write(std::string_view text) {
  while (!text.empty()) {
    if (used_ == buffer_.size()) Flush();
    const std::size_t n = std::min(text.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, text.data(), n);
    used_ += n;
    text.remove_prefix(n);
  }
}

void TextFile::WriteLine() { Write("\r\n"); }

void TextFile::Flush() {
  if (fd_ < 0) Fail(EBADF);
  std::size_t done = 0;
  while (done < used_) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) Fail(ENOSPC);
    done += static_cast<std::size_t>(n);
    written_ += static_cast<std::size_t>(n);
  }
  used_ = 0;
}

void TextFile::Close() {
  Flush();
  if (regular_ && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  regular_ = false;
  if (::close(fd) != 0 && errno != EINTR) Fail(errno);
}

}  // namespace rt
