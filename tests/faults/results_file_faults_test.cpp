// Real faults of the results file, each made as it happens on a user's machine, through the
// "Traitement" command: the exact text the user reads, the memo as the command leaves it, no
// descriptor of the file left open, and a run that succeeds once the fault is gone.

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "fault_support.h"
#include "runtime/errors.h"
#include "runtime/io_error.h"

namespace faults {
namespace {

constexpr std::int32_t kJeu1 = 0;
constexpr std::int32_t kJeu2 = 1;

// The results file collects its output in a buffer of this many bytes and writes it out when it
// is full and at the close, so that is where a full disk shows.
constexpr std::size_t kOutputBuffer = 4096;

const std::vector<std::string> kSeed = {"listing of an earlier run"};
const std::string kEarlierFile = "lines of an earlier run\r\n";

class ResultsFileFaults : public ::testing::Test {
 protected:
  Outcome Run(std::int32_t item, const std::string& watched) {
    return RunTraitement(*store_, analysis::DataSetLoader(item), kSeed, watched);
  }

  // The fault is gone: Jeu1 gives its published listing in the memo and in the file.
  void ExpectNextRunSucceeds() { ExpectJeu1Listing(Run(kJeu1, dir_.Results())); }

  static void ExpectJeu1Listing(const Outcome& run) {
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.memo, kJeu1Traitement);
    EXPECT_EQ(run.file, FileText(kJeu1Traitement));
    EXPECT_EQ(run.file.value_or("").size(), 101u);
    EXPECT_EQ(run.descriptors, 0);
  }

  void WriteEarlierFile() {
    const int fd = ::open(dir_.Results().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << std::strerror(errno);
    ASSERT_EQ(::write(fd, kEarlierFile.data(), kEarlierFile.size()),
              static_cast<ssize_t>(kEarlierFile.size()));
    ::close(fd);
  }

  // Too large for the stack.
  std::unique_ptr<analysis::Store> store_ = std::make_unique<analysis::Store>();
  WorkDir dir_;
};

TEST_F(ResultsFileFaults, ResultsFileIsADirectory) {
  ASSERT_EQ(::mkdir(analysis::kResultsFile, 0755), 0) << std::strerror(errno);

  const Outcome run = Run(kJeu1, dir_.Results());
  EXPECT_EQ(run.error, "Accès au fichier refusé");
  EXPECT_EQ(run.memo, kSeed);
  EXPECT_EQ(run.descriptors, 0);

  ASSERT_EQ(::rmdir(analysis::kResultsFile), 0) << std::strerror(errno);
  ExpectNextRunSucceeds();
}

// Permissions do not hold for root, as whom CI runs: the run happens in a child that has become
// an ordinary user. The file belongs to that user, who may make it writable again afterwards.
TEST_F(ResultsFileFaults, ResultsFileIsReadOnly) {
  const faults::User nobody = Nobody();
  const uid_t uid = nobody.uid;
  const gid_t gid = nobody.gid;
  const bool root = ::geteuid() == 0;
  WriteEarlierFile();
  ASSERT_EQ(::chmod(dir_.Results().c_str(), 0444), 0);
  if (root) {
    ASSERT_EQ(::chown(dir_.Results().c_str(), uid, gid), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  }

  const ChildReport report = InChild([&] {
    if (root) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0) {
        throw Skip{"no unprivileged user can be had here: switching to user id " +
                   std::to_string(uid) + " failed (" + std::strerror(errno) + ")"};
      }
      // A process that changed its user loses access to its own /proc entries, where the
      // descriptors are listed.
      ::prctl(PR_SET_DUMPABLE, 1);
    }
    std::vector<Outcome> runs;
    runs.push_back(Run(kJeu1, dir_.Results()));
    if (::chmod(dir_.Results().c_str(), 0644) != 0) throw std::runtime_error("chmod failed");
    runs.push_back(Run(kJeu1, dir_.Results()));
    return runs;
  });
  if (!report.skipped.empty()) GTEST_SKIP() << report.skipped;
  ASSERT_EQ(report.failure, "");
  ASSERT_EQ(report.outcomes.size(), 2u);

  const Outcome& refused = report.outcomes[0];
  EXPECT_EQ(refused.error, "Accès au fichier refusé");
  EXPECT_EQ(refused.memo, kSeed);
  EXPECT_EQ(refused.descriptors, 0);
  EXPECT_EQ(refused.file, kEarlierFile);
  ExpectJeu1Listing(report.outcomes[1]);
}

// The lines up to the one during which the output first passes the buffer: the memo has received
// that line when the disk refuses it. A listing that fits the buffer fails only at the close, with
// every line in the memo.
std::vector<std::string> LinesUntilFirstWriteOut(const std::vector<std::string>& listing) {
  std::vector<std::string> lines;
  std::size_t bytes = 0;
  for (const std::string& line : listing) {
    lines.push_back(line);
    bytes += line.size() + 2;
    if (bytes > kOutputBuffer) break;
  }
  return lines;
}

// /dev/full accepts the open and fails every write, as a full disk does.
TEST_F(ResultsFileFaults, DiskIsFull) {
  struct Case {
    const char* name;
    std::int32_t item;
    std::size_t listing_lines;
  };
  const Case cases[] = {
      {"Jeu1, whose 101 bytes fail at the close", kJeu1, 7},
      {"Jeu2, whose listing fails while the lines go on", kJeu2, 1759},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome good = Run(c.item, dir_.Results());
    ASSERT_EQ(good.error, "");
    ASSERT_EQ(good.memo.size(), c.listing_lines);
    ASSERT_EQ(::unlink(analysis::kResultsFile), 0);
    ASSERT_EQ(::symlink("/dev/full", analysis::kResultsFile), 0) << std::strerror(errno);

    const Outcome full = Run(c.item, "/dev/full");
    EXPECT_EQ(full.error, "Erreur E/S 112");
    const std::vector<std::string> expected = LinesUntilFirstWriteOut(good.memo);
    EXPECT_EQ(full.memo, expected);
    EXPECT_EQ(full.descriptors, 0);

    ASSERT_EQ(::unlink(analysis::kResultsFile), 0);
    const Outcome again = Run(c.item, dir_.Results());
    EXPECT_EQ(again.error, "");
    EXPECT_EQ(again.memo, good.memo);
    EXPECT_EQ(again.file, FileText(good.memo));
    EXPECT_EQ(again.descriptors, 0);
  }
}

// Another program writing the file holds its lock for as long as it has it open.
TEST_F(ResultsFileFaults, AnotherProgramHoldsTheFile) {
  WriteEarlierFile();
  LockHolder holder(analysis::kResultsFile);
  ASSERT_TRUE(holder.holds()) << "the other program could not lock the file";

  const Outcome run = Run(kJeu1, dir_.Results());
  EXPECT_EQ(run.error, "Erreur E/S 32");
  EXPECT_EQ(run.memo, kSeed);
  EXPECT_EQ(run.descriptors, 0);
  EXPECT_EQ(run.file, kEarlierFile);

  EXPECT_TRUE(holder.Release());
  ExpectNextRunSucceeds();
}

TEST_F(ResultsFileFaults, CurrentDirectoryRemoved) {
  const std::string gone = dir_.path() + "/gone";
  ASSERT_EQ(::mkdir(gone.c_str(), 0755), 0);
  ASSERT_EQ(::chdir(gone.c_str()), 0);
  ASSERT_EQ(::rmdir(gone.c_str()), 0) << std::strerror(errno);

  const Outcome run = Run(kJeu1, gone + "/" + analysis::kResultsFile);
  EXPECT_EQ(run.error, "Nom de fichier incorrect");
  EXPECT_EQ(run.memo, kSeed);
  EXPECT_EQ(run.descriptors, 0);

  ASSERT_EQ(::chdir(dir_.path().c_str()), 0);
  ExpectNextRunSucceeds();
}

// The open-file limit is lowered and used up in a child, so the test process keeps its own.
TEST_F(ResultsFileFaults, NoDescriptorLeft) {
  const ChildReport report = InChild([&] {
    // The undefined-behaviour sanitizer checks the type of an object the first time it meets it
    // by copying the object's memory through a pipe. With no descriptor left that pipe cannot be
    // made, and the check would report a fault that is not there. A good run and an error raised
    // before the limit let it know every type the command uses.
    MemoFake warm_up;
    if (!RunCommand(*store_, analysis::DataSetLoader(kJeu1), warm_up).empty()) {
      throw std::runtime_error("the run before the limit failed");
    }
    try {
      throw rt::IoError(rt::kIoTooManyOpenFiles);
    } catch (const rt::Error& error) {
      (void)error.text();
    }

    rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) throw std::runtime_error("getrlimit failed");
    limit.rlim_cur = 64;
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) throw std::runtime_error("setrlimit failed");
    std::vector<int> fillers;
    for (;;) {
      const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
      if (fd >= 0) {
        fillers.push_back(fd);
        continue;
      }
      if (errno == EMFILE) break;
      throw std::runtime_error(std::string("open of /dev/null: ") + std::strerror(errno));
    }

    MemoFake refused_memo(kSeed);
    const std::string refused_error =
        RunCommand(*store_, analysis::DataSetLoader(kJeu1), refused_memo);
    // One free descriptor is all the command needs.
    ::close(fillers.back());
    fillers.pop_back();
    MemoFake memo(kSeed);
    const std::string error = RunCommand(*store_, analysis::DataSetLoader(kJeu1), memo);
    for (const int fd : fillers) ::close(fd);

    const std::string path = dir_.Results();
    return std::vector<Outcome>{
        {refused_error, refused_memo.lines, DescriptorsOn(path), std::nullopt},
        {error, memo.lines, DescriptorsOn(path), RegularFileText(path)},
    };
  });
  ASSERT_EQ(report.failure, "");
  ASSERT_EQ(report.outcomes.size(), 2u);

  const Outcome& refused = report.outcomes[0];
  EXPECT_EQ(refused.error, "Trop de fichiers ouverts");
  EXPECT_EQ(refused.memo, kSeed);
  EXPECT_EQ(refused.descriptors, 0);
  ExpectJeu1Listing(report.outcomes[1]);
}

}  // namespace
}  // namespace faults
