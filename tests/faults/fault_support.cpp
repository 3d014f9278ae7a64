#include "fault_support.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "runtime/errors.h"

namespace faults {

const std::vector<std::string> kJeu1Traitement = {
    "Point\tX",          " 1\t0",           " 1777\t-1511.223",
    " 4110\t-2634.34",   " 13342\t768.748", " 24489\t-12552.817",
    " 27686\t-7864.767",
};

const std::vector<std::string> kJeu1Traitement2 = {
    "Point\tX",          " 1\t0",
    " 1777\t-1511.223",  " 4111\t-2631.693",
    " 13342\t768.748",   " 24490\t-12554.861",
    " 27686\t-7864.767", " Fin des segments  --------------- ",
};

std::string FileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::optional<std::string> RegularFileText(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  ::close(fd);
  return text;
}

int DescriptorsOn(const std::string& path) {
  DIR* dir = ::opendir("/proc/self/fd");
  if (dir == nullptr) return -1;
  const std::string removed = path + " (deleted)";
  int count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    // The descriptor that lists the directory may be gone by the time its link is read.
    if (n < 0) continue;
    const std::string_view seen(target, static_cast<std::size_t>(n));
    if (seen == path || seen == removed) ++count;
  }
  ::closedir(dir);
  return count;
}

User Nobody() {
  if (const passwd* nobody = ::getpwnam("nobody")) return {nobody->pw_uid, nobody->pw_gid};
  return {65534, 65534};
}

LockHolder::LockHolder(const char* path) {
  int ready[2];
  int release[2];
  if (::pipe2(ready, O_CLOEXEC) != 0) return;
  if (::pipe2(release, O_CLOEXEC) != 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return;
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(ready[0]);
    ::close(release[1]);
    const int fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    (void)!::write(ready[1], "L", 1);
    char byte;
    // Holds the lock until the test closes its end of the pipe.
    while (::read(release[0], &byte, 1) < 0 && errno == EINTR) {
    }
    ::_exit(0);
  }
  ::close(ready[1]);
  ::close(release[0]);
  release_ = release[1];
  char byte = 0;
  holds_ = pid_ > 0 && ::read(ready[0], &byte, 1) == 1;
  ::close(ready[0]);
}

LockHolder::~LockHolder() { Release(); }

bool LockHolder::Release() {
  if (release_ >= 0) ::close(release_);
  release_ = -1;
  if (pid_ <= 0) return false;
  int status = 0;
  const bool ended = ::waitpid(pid_, &status, 0) == pid_;
  pid_ = -1;
  return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

WorkDir::WorkDir() {
  char cwd[4096];
  if (::getcwd(cwd, sizeof cwd) == nullptr) throw std::runtime_error("getcwd failed");
  previous_ = cwd;
  std::string pattern = ::testing::TempDir() + "reglin-faults-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  if (::chdir(path_.c_str()) != 0) throw std::runtime_error("chdir failed");
}

WorkDir::~WorkDir() {
  if (::chdir(previous_.c_str()) != 0) std::abort();
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string RunCommand(analysis::Store& store, const analysis::Loader& loader, MemoFake& memo) {
  try {
    analysis::Traitement(store, loader, '.', memo);
  } catch (const rt::Error& error) {
    return error.text();
  }
  return {};
}

Outcome RunTraitement(analysis::Store& store, const analysis::Loader& loader,
                      std::vector<std::string> seed, const std::string& watched) {
  MemoFake memo(std::move(seed));
  Outcome outcome;
  outcome.error = RunCommand(store, loader, memo);
  outcome.memo = std::move(memo.lines);
  outcome.descriptors = DescriptorsOn(watched);
  outcome.file = RegularFileText(watched);
  return outcome;
}

namespace {

// The child's report travels through a pipe as length-prefixed fields.
void PutField(std::string& out, std::string_view field) {
  out += std::to_string(field.size());
  out += ':';
  out += field;
}

std::string Encode(const std::vector<Outcome>& outcomes) {
  std::string out;
  PutField(out, std::to_string(outcomes.size()));
  for (const Outcome& o : outcomes) {
    PutField(out, o.error);
    PutField(out, std::to_string(o.memo.size()));
    for (const std::string& line : o.memo) PutField(out, line);
    PutField(out, std::to_string(o.descriptors));
    PutField(out, o.file ? "1" : "0");
    PutField(out, o.file.value_or(""));
  }
  return out;
}

class Decoder {
 public:
  explicit Decoder(std::string_view in) : in_(in) {}

  std::string Field() {
    const std::size_t colon = in_.find(':');
    if (colon == std::string_view::npos) throw std::runtime_error("truncated report");
    const std::size_t size = std::stoul(std::string(in_.substr(0, colon)));
    if (in_.size() - colon - 1 < size) throw std::runtime_error("truncated report");
    std::string field(in_.substr(colon + 1, size));
    in_.remove_prefix(colon + 1 + size);
    return field;
  }
  std::size_t Number() { return std::stoul(Field()); }

 private:
  std::string_view in_;
};

std::vector<Outcome> Decode(std::string_view in) {
  Decoder d(in);
  std::vector<Outcome> outcomes(d.Number());
  for (Outcome& o : outcomes) {
    o.error = d.Field();
    o.memo.resize(d.Number());
    for (std::string& line : o.memo) line = d.Field();
    o.descriptors = std::stoi(d.Field());
    const bool has_file = d.Field() == "1";
    std::string file = d.Field();
    if (has_file) o.file = std::move(file);
  }
  return outcomes;
}

// Exit statuses of the child.
constexpr int kReported = 0;
constexpr int kSkipped = 3;
constexpr int kFailed = 4;

void WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

ChildReport InChild(const std::function<std::vector<Outcome>()>& body) {
  int channel[2];
  if (::pipe2(channel, O_CLOEXEC) != 0) return {{}, {}, "pipe failed"};
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return {{}, {}, "fork failed"};
  }
  if (pid == 0) {
    ::close(channel[0]);
    int status = kReported;
    std::string message;
    try {
      message = Encode(body());
    } catch (const Skip& skip) {
      status = kSkipped;
      message = skip.reason;
    } catch (const std::exception& e) {
      status = kFailed;
      message = std::string("unexpected exception: ") + e.what();
    } catch (...) {
      status = kFailed;
      message = "unexpected exception";
    }
    WriteAll(channel[1], message);
    // No exit handlers: they belong to the test process, which goes on in the parent.
    ::_exit(status);
  }
  ::close(channel[1]);
  std::string message;
  char buf[4096];
  ssize_t n;
  while ((n = ::read(channel[0], buf, sizeof buf)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    message.append(buf, static_cast<std::size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ChildReport report;
  if (!WIFEXITED(status)) {
    report.failure = "the child ended abnormally (status " + std::to_string(status) + ")";
  } else if (WEXITSTATUS(status) == kSkipped) {
    report.skipped = message;
  } else if (WEXITSTATUS(status) == kFailed) {
    report.failure = message;
  } else if (WEXITSTATUS(status) != kReported) {
    report.failure = "the child exited with " + std::to_string(WEXITSTATUS(status));
  } else {
    try {
      report.outcomes = Decode(message);
    } catch (const std::exception& e) {
      report.failure = std::string("unreadable report: ") + e.what();
    }
  }
  return report;
}

}  // namespace faults
