#include "runtime/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "runtime/errors.h"

namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/reglin-textfile-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "Resultats.txt").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  // Runs op and returns the code of the IoError it raises, or -1.
  template <typename Op>
  static int CodeOf(Op op) {
    try {
      op();
    } catch (const rt::IoError& e) {
      return e.code();
    }
    return -1;
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(TextFileTest, WritesLinesEndedByCrLfAndEmptiesAnOldFile) {
  { std::ofstream(path_) << "an older and much longer content that must go away"; }
  rt::TextFile file;
  file.Rewrite(path_.c_str());
  file.Write("Point\tX");
  file.WriteLine();
  file.Write(std::string(5000, 'x'));  // more than the buffer holds
  file.WriteLine();
  file.Close();
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ(Contents(), "Point\tX\r\n" + std::string(5000, 'x') + "\r\n");
}

TEST_F(TextFileTest, FailuresCarryTheirCodeAndReleaseTheFile) {
  rt::TextFile file;
  fs::create_directory(dir_ / "dir");
  EXPECT_EQ(CodeOf([&] { file.Rewrite((dir_ / "dir").c_str()); }), 5);
  EXPECT_FALSE(file.is_open());
  EXPECT_EQ(CodeOf([&] { file.Rewrite((dir_ / "missing" / "f.txt").c_str()); }), 3);

  // /dev/full takes the open and fails the write, here when the buffer is written at Close.
  file.Rewrite("/dev/full");
  file.Write("line");
  file.WriteLine();
  EXPECT_EQ(CodeOf([&] { file.Close(); }), 112);
  EXPECT_FALSE(file.is_open());

  // Released, so the same object can write again.
  file.Rewrite(path_.c_str());
  file.Write("ok");
  file.Close();
  EXPECT_EQ(Contents(), "ok");
}

// A write that fails half way on a regular file (here at the file-size limit, in a child process)
// leaves the leading part of the new text, without the old content beyond it.
TEST_F(TextFileTest, AFailedWriteLeavesOnlyTheLeadingPartOfTheNewText) {
  { std::ofstream(path_) << std::string(20000, 'o'); }
  const std::string text(10000, 'n');
  constexpr rlim_t kLimit = 6000;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kLimit, kLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    rt::TextFile file;
    const int code = CodeOf([&] {
      file.Rewrite(path_.c_str());
      file.Write(text);
      file.Close();
    });
    _exit(code == 112 && !file.is_open() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  const std::string contents = Contents();
  EXPECT_EQ(contents, text.substr(0, contents.size()));
  EXPECT_EQ(contents.size(), kLimit);
}

TEST_F(TextFileTest, AFileLockedByAnotherWriterIsLeftAsItIs) {
  { std::ofstream(path_) << "kept"; }
  const int other = ::open(path_.c_str(), O_RDONLY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  rt::TextFile file;
  EXPECT_EQ(CodeOf([&] { file.Rewrite(path_.c_str()); }), 32);
  EXPECT_EQ(Contents(), "kept");
  ::close(other);
  file.Rewrite(path_.c_str());
  file.Close();
  EXPECT_EQ(Contents(), "");
}

}  // namespace
